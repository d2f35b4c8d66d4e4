#pragma once
// A player's saved games: one XML document per player, kept as text in the
// player's preference "save". This object holds the current player's
// document in memory and writes it back whole. The game window asks every
// manager, in a fixed order, to write or read its section of a slot.

#include <memory>
#include <vector>

#include "sdk/str.h"

class TXmlNode;

class OSaveData {
 public:
  // Slots 0 and 1 are the autosave and the quick save.
  enum { kAutosaveSlot = 0, kQuickSaveSlot = 1 };

  static OSaveData* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // (Re)loads the document of the current player ("curuser") unless it is
  // loaded for that player already. A preference that does not parse, or
  // whose root is not "save_data", is moved to the first free key of
  // "save_damaged", "save_damaged.1", ... and the document starts empty;
  // the player is told on screen where it was kept.
  void Load();
  // Reads the current player's document again from the preferences, even
  // when it is loaded: saves and loads start from what is stored, so one
  // player's slots are never written over another's.
  void Reload();
  // Writes the document into the current player's preference "save". When
  // any slot would not read back as it stands (the one CreateSave made, or
  // one stored before), nothing is stored, the document is read again as
  // stored, and false comes back with a message.
  bool Store();

  // The "save_data" element; null before the first load.
  TXmlNode* GetDocument() const { return mDocument.get(); }
  int GetUserIndex() const { return mUserIndex; }

  // Reloads, deletes every "save" of the slot, appends a new one with
  // "save_name" and "ind" and returns it for the sections. A save is of a
  // slot only when its "ind" is that number written out ("3", not "03").
  TXmlNode* CreateSave(int slot, const str& name);
  // Reloads and returns the first "save" of the slot, or null.
  TXmlNode* FindSave(int slot);

  // The save names by slot, read from the current player's preference;
  // slots without a save read as empty.
  std::vector<str> GetSaveNames() const;
  // Whether the current player's preference holds a save in the slot.
  static bool HasSave(int slot);

  // The preference text of the current player, its default when unset.
  static str ReadPreference();
  static const char* const kPrefKey;
  static const char* const kEmptyDocument;

 private:
  OSaveData() = default;
  ~OSaveData();
  void ParseFor(int user);
  // `damaged` goes under a free "save_damaged" key and `kept` (the slots
  // read whole, or none) becomes the save data, with a notice either way.
  void KeepAside(const str& damaged, const TXmlNode& kept, int user);

  int mUserIndex = -1;
  std::unique_ptr<TXmlNode> mDocument;
  TXmlNode* mNewSave = nullptr;  // in the document: the save CreateSave made last
  int mListenerId = 0;
  static OSaveData* sInstance;
};
