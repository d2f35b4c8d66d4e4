#pragma once
// The game variables: story progress kept as string values under string
// names. Every change through SetValue is announced to the rules as the game
// event "flag" and then to the one listener (the game object), in that order,
// after the value is stored.

#include <map>

#include "sdk/str.h"

class TXmlNode;

class IFlagsListener {
 public:
  virtual ~IFlagsListener() = default;
  virtual void OnFlagChanged() = 0;
};

class OFlagsRegistry {
 public:
  static OFlagsRegistry* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // "null" for a name never set; reading adds nothing.
  str GetValue(const str& name) const;
  void SetValue(const str& name, const str& value);
  // Stores only: no event, no listener.
  void SetValueSilently(const str& name, const str& value);

  // Not owned; the game object sets itself here.
  void SetListener(IFlagsListener* listener) { mListener = listener; }
  IFlagsListener* GetListener() const { return mListener; }

  // Appends "flags_registry" to `node`, one child per variable in name order.
  void Save(TXmlNode* node) const;
  // Empties the store, then reads `node`'s "flags_registry" back. Silent.
  void Load(TXmlNode* node);
  // What Load would read from `node`, the store left as it is.
  static std::map<str, str> Read(const TXmlNode* node);
  // A variable's value among `values` as GetValue reads it.
  static str ValueIn(const std::map<str, str>& values, const str& name);

  const std::map<str, str>& GetValues() const { return mValues; }

 private:
  OFlagsRegistry() = default;
  IFlagsListener* mListener = nullptr;
  std::map<str, str> mValues;
  static OFlagsRegistry* sInstance;
};
