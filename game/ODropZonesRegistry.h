#pragma once
// What lies in every drop zone, kept across scene changes and in saved
// games: for each key (a zone's name, or a key of the cook desk or the
// player tools) the items lying there with their screen positions, in the
// order they were put down. Zones rewrite their entry after every put and
// every take; scenes re-create the zones' items from it. Saved as the
// section "drop_zones", keys in ascending order.

#include <cstdint>
#include <map>
#include <vector>

#include "sdk/str.h"

class TXmlNode;

class ODropZonesRegistry {
 public:
  struct Record {
    str item;
    int32_t x = 0;
    int32_t y = 0;
  };
  typedef std::vector<Record> Records;

  // Created empty on first use; the game window deletes it, and the next use
  // starts a new, empty one.
  static ODropZonesRegistry* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // The records of the key (the registry keeps them), or null.
  const Records* Find(const str& key) const;
  void Remove(const str& key);
  // Drops every record of the item under the key (the key goes when it is
  // left empty); false when there was none.
  bool RemoveItem(const str& key, const str& item);
  // Drops the item's records from the list; false when it had none.
  static bool EraseItem(Records* records, const str& item);
  // Appends one record, making the key's entry when it has none.
  void Set(const str& key, const str& item, int32_t x, int32_t y);
  void Clear() { mEntries.clear(); }

  // Appends "drop_zones" to the save element: a child per key, in it a child
  // per record named after the item, with "x" and "y"; an item text that is
  // no element name goes into the element "record" as its "name". A key that
  // is no element name is reported and not written.
  void Save(TXmlNode* save) const;
  // Empties the registry, then reads "drop_zones" of the save element.
  void Load(TXmlNode* save);

  const std::map<str, Records>& GetEntries() const { return mEntries; }

 private:
  ODropZonesRegistry() = default;
  std::map<str, Records> mEntries;
  static ODropZonesRegistry* sInstance;
};
