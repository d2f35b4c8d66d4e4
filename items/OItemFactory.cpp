#include "OItemFactory.h"

#include "game/OGameConfig.h"
#include "items/OSimpleItem.h"
#include "rules/OQuestBookItem.h"
#include "sdk/TXmlNode.h"

namespace {
using OItemFactory::Creator;

// One row per items_guide "type": the creator of each situation, null where
// that situation does not accept the kind. Each kind adds its row when it
// lands; a type without a row makes nothing.
struct Kind {
  const char* type;
  Creator scene;
  Creator pointer;
  Creator inventory;
  Creator dropped;
};

const Kind kKinds[] = {
    {"", &OSimpleItem::CreateForScene, &OSimpleItem::CreateForPointer, &OSimpleItem::CreateForInventory,
     &OSimpleItem::CreateDropped},
    // Stored in an inventory an auto food is an ordinary item; its own kind
    // fills in the pointer and the drop zones.
    {"auto_food", nullptr, nullptr, &OSimpleItem::CreateForInventory, nullptr},
    // The quest book lies in its own scene and nowhere else.
    {"basement_quest_book", &OQuestBookItem::CreateFromXml, nullptr, nullptr, nullptr},
};

enum Situation { kScene, kPointer, kInventory, kDropped };

Creator FindCreator(const str& type, Situation situation) {
  for (const Kind& kind : kKinds) {
    if (type != kind.type) continue;
    switch (situation) {
      case kScene:
        return kind.scene;
      case kPointer:
        return kind.pointer;
      case kInventory:
        return kind.inventory;
      case kDropped:
        return kind.dropped;
    }
  }
  return nullptr;
}

IItem* Create(const str& name, IItemsManager* owner, Situation situation) {
  TXmlNode* node = OItemFactory::FindGuideNode(name);
  if (!node) return nullptr;
  Creator creator = FindCreator(node->GetAttribute("type"), situation);
  return creator ? creator(name, node, owner) : nullptr;
}
}  // namespace

namespace OItemFactory {
TXmlNode* FindGuideNode(const str& name) {
  if (name.empty()) return nullptr;
  TXmlNode* guide = OGameConfig::GetInstance()->GetItemsGuideEntries();
  return guide ? guide->GetChild(name) : nullptr;
}

str GetGuidePath() {
  TXmlNode* paths = OGameConfig::GetInstance()->GetConfig()->GetChild("path");
  str path = paths ? paths->GetChildContent("items_guide") : str();
  return path.empty() ? str("items_guide") : path;
}

IItem* CreateForScene(const str& name, IItemsManager* owner) {
  return Create(name, owner, kScene);
}

IItem* CreateForPointer(const str& name, IItemsManager* owner) {
  return Create(name, owner, kPointer);
}

IItem* CreateForInventory(const str& name, IItemsManager* owner) {
  return Create(name, owner, kInventory);
}

IItem* CreateDropped(const str& name, IItemsManager* owner) {
  return Create(name, owner, kDropped);
}
}  // namespace OItemFactory
