#pragma once
// Stand-in for the magic registry until the player tools land: nothing is
// unlocked, flask uses are recorded, and it writes an empty "magic_registry"
// section.

#include <map>
#include <vector>

#include "game/OCallLog.h"
#include "sdk/str.h"

class GGamePanel;
class TXmlNode;

class OMagicRegistry {
 public:
  static OMagicRegistry* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // Not owned: the game window hands in its panel.
  void SetListener(GGamePanel* panel) { mListener = panel; }
  GGamePanel* GetListener() const { return mListener; }
  void OnFlaskUsed(const str& magic) { mAsked.push_back("flask " + magic); }
  void PlayUnlockSound();
  // Magics and worlds by id: 0 locked, 1 earned, 2 unlocked; 0 for an id
  // never set. Kept, not yet saved.
  void SetValue(const str& id, int value) { mValues[id] = value; }
  int GetValue(const str& id) const {
    auto it = mValues.find(id);
    return it == mValues.end() ? 0 : it->second;
  }

  void Save(TXmlNode* save) const;
  void Load(TXmlNode* save) { mAsked.push_back("load"); }
  const std::vector<str>& GetAsked() const { return mAsked.Lines(); }

 private:
  OMagicRegistry() = default;
  GGamePanel* mListener = nullptr;
  OCallLog mAsked{"magic"};
  std::map<str, int> mValues;
  static OMagicRegistry* sInstance;
};
