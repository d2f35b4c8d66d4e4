#include "ODropZonesRegistry.h"

#include <algorithm>

#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

ODropZonesRegistry* ODropZonesRegistry::sInstance = nullptr;

namespace {
// A record whose item is no element name ("0", a recipe index: the player
// tools keep codes among their records) is written under this name with the
// text in "name". An item that is itself called so is written the ordinary
// way and has no "name", so the two never read back as each other.
const char* const kNamedRecord = "record";
const char* const kNameAttribute = "name";
}  // namespace

ODropZonesRegistry* ODropZonesRegistry::GetInstance() {
  if (!sInstance) sInstance = new ODropZonesRegistry();
  return sInstance;
}

bool ODropZonesRegistry::HasInstance() {
  return sInstance != nullptr;
}

void ODropZonesRegistry::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

const ODropZonesRegistry::Records* ODropZonesRegistry::Find(const str& key) const {
  auto it = mEntries.find(key);
  return it == mEntries.end() ? nullptr : &it->second;
}

void ODropZonesRegistry::Remove(const str& key) {
  mEntries.erase(key);
}

bool ODropZonesRegistry::RemoveItem(const str& key, const str& item) {
  auto it = mEntries.find(key);
  if (it == mEntries.end()) return false;
  const bool removed = EraseItem(&it->second, item);
  if (it->second.empty()) mEntries.erase(it);
  return removed;
}

bool ODropZonesRegistry::EraseItem(Records* records, const str& item) {
  const size_t before = records->size();
  records->erase(std::remove_if(records->begin(), records->end(),
                                [&item](const Record& record) { return record.item == item; }),
                 records->end());
  return records->size() != before;
}

void ODropZonesRegistry::Set(const str& key, const str& item, int32_t x, int32_t y) {
  Record record;
  record.item = item;
  record.x = x;
  record.y = y;
  mEntries[key].push_back(record);
}

void ODropZonesRegistry::Save(TXmlNode* save) const {
  if (!save) return;
  TXmlNode* section = save->CreateChild("drop_zones");
  for (const auto& entry : mEntries) {
    // A key becomes an element name; one that cannot be would make a save
    // that does not read back.
    if (!TXmlNode::IsValidName(entry.first)) {
      Report("drop zones: \"%s\" is not a valid element name; zone not saved", entry.first.c_str());
      continue;
    }
    TXmlNode* zone = section->CreateChild(entry.first);
    for (const Record& record : entry.second) {
      TXmlNode* item;
      if (TXmlNode::IsValidName(record.item)) {
        item = zone->CreateChild(record.item);
      } else {
        item = zone->CreateChild(kNamedRecord);
        item->SetAttribute(kNameAttribute, record.item);
      }
      item->SetAttribute("x", str::format("%d", int(record.x)));
      item->SetAttribute("y", str::format("%d", int(record.y)));
    }
  }
}

void ODropZonesRegistry::Load(TXmlNode* save) {
  Clear();
  TXmlNode* section = save ? save->GetChild("drop_zones") : nullptr;
  if (!section) return;
  for (size_t i = 0; i < section->GetChildCount(); ++i) {
    TXmlNode* zone = section->GetChildAt(i);
    // Every child is a key, one without records too.
    Records& records = mEntries[zone->GetName()];
    for (size_t j = 0; j < zone->GetChildCount(); ++j) {
      TXmlNode* item = zone->GetChildAt(j);
      Record record;
      bool named = false;
      if (item->GetName() == kNamedRecord) record.item = item->GetAttribute(kNameAttribute, &named);
      if (!named) record.item = item->GetName();
      record.x = item->GetAttribute("x").to_int();
      record.y = item->GetAttribute("y").to_int();
      records.push_back(record);
    }
  }
}
