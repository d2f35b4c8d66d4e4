#include "OItemFactory.h"

#include "game/OGameConfig.h"
#include "items/OCompositionItem.h"
#include "items/OContainerItem.h"
#include "items/OKeyItem.h"
#include "items/OPassageItem.h"
#include "items/OProducerItem.h"
#include "items/OProductItem.h"
#include "items/OSimpleItem.h"
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

// The creator of a kind whose loader takes the place to put the item in.
template <class T, int32_t Place>
IItem* CreateIn(const str& name, TXmlNode* node, IItemsManager* owner) {
  return T::CreateFromXml(name, node, owner, Place);
}

const Kind kKinds[] = {
    {"", &OSimpleItem::CreateForScene, &OSimpleItem::CreateForPointer, &OSimpleItem::CreateForInventory,
     &OSimpleItem::CreateDropped},
    {"key", &OKeyItem::CreateForScene, &CreateIn<OKeyItem, ItemPlace::stPointer>,
     &CreateIn<OKeyItem, ItemPlace::stInventory>, &CreateIn<OKeyItem, ItemPlace::stDropped>},
    {"passage", &OPassageItem::CreateForScene, nullptr, nullptr, nullptr},
    {"container", &OContainerItem::CreateForScene, nullptr, nullptr, nullptr},
    {"producer", &OProducerItem::CreateForScene, nullptr, nullptr, nullptr},
    {"locked_container", &OLockedContainerItem::CreateForScene, nullptr, nullptr, nullptr},
    {"composition", &OCompositionItem::CreateForScene, nullptr, nullptr, nullptr},
    {"product", nullptr, &CreateIn<OProductItem, ItemPlace::stPointer>,
     &CreateIn<OProductItem, ItemPlace::stInventory>, &CreateIn<OProductItem, ItemPlace::stDropped>},
    {"fish", nullptr, &CreateIn<OProductItem, ItemPlace::stPointer>,
     &CreateIn<OProductItem, ItemPlace::stInventory>, nullptr},
    {"mirror", nullptr, &CreateIn<OProductItem, ItemPlace::stPointer>,
     &CreateIn<OProductItem, ItemPlace::stInventory>, nullptr},
    {"combo", nullptr, &CreateIn<OComboItem, ItemPlace::stPointer>,
     &CreateIn<OComboItem, ItemPlace::stInventory>, &CreateIn<OComboItem, ItemPlace::stDropped>},
    // Stored in an inventory an auto food is an ordinary item that never
    // acts by itself.
    {"auto_food", nullptr, &CreateIn<OAutoFoodItem, ItemPlace::stPointer>, &OSimpleItem::CreateForInventory,
     &CreateIn<OAutoFoodItem, ItemPlace::stDropped>},
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
