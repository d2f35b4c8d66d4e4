#pragma once
// The remembered state of every item that has one, across scene changes and
// in saved games: for each item name a short list of integers, the first
// being the place code for items that move between places. Items write here
// at every change; item creators read it when a scene is built. Saved as the
// section "items_registry", names in ascending order.

#include <cstdint>
#include <map>
#include <vector>

#include "sdk/str.h"

class TXmlNode;

class OItemsRegistry {
 public:
  typedef std::vector<int32_t> States;

  // Created empty on first use; the game window deletes it, and the next use
  // starts a new, empty one.
  static OItemsRegistry* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // The list stored for the name (the registry keeps it), or null.
  const States* GetStates(const str& name) const;
  // The value at `index` of the name's list; false (and `value` untouched)
  // when the name has no entry or its list is too short. A missing value
  // is absent, never read past the list.
  bool GetState(const str& name, size_t index, int32_t* value) const;
  // The entry becomes a list of the one value.
  void SetState(const str& name, int32_t value);
  void SetStates(const str& name, const States& states);
  void Clear();

  // Appends "items_registry" to the save element: one child per entry named
  // after the item, with "a0", "a1" ... in list order.
  void Save(TXmlNode* save) const;
  // Empties the registry, then reads "items_registry" of the save element;
  // each child's attributes become its list in document order, whatever
  // they are called.
  void Load(TXmlNode* save);

  const std::map<str, States>& GetEntries() const { return mEntries; }

 private:
  OItemsRegistry() = default;
  std::map<str, States> mEntries;
  static OItemsRegistry* sInstance;
};
