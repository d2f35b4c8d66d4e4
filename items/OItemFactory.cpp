#include "OItemFactory.h"

#include "game/OGameConfig.h"
#include "items/OAltarItem.h"
#include "items/OAnimSaveItem.h"
#include "items/OBasementFlaskItem.h"
#include "items/OCaptionItem.h"
#include "items/OCompositionItem.h"
#include "items/OContainerItem.h"
#include "items/OCookCutItem.h"
#include "items/OCookDeskItem.h"
#include "items/OCookDishItem.h"
#include "items/ODialogItem.h"
#include "items/ODifferentReactionItem.h"
#include "items/OFireMagicItem.h"
#include "items/OFlagItem.h"
#include "items/OKeyItem.h"
#include "items/OKitchenMouseTrapItem.h"
#include "items/OMatchesBoxItem.h"
#include "items/OMusicItem.h"
#include "items/ONoteItem.h"
#include "items/OParticleItem.h"
#include "items/OPassageItem.h"
#include "items/OProducerItem.h"
#include "items/OProductItem.h"
#include "items/ORaptorItem.h"
#include "items/OSceneJumpItem.h"
#include "items/OSimpleItem.h"
#include "items/OSparkItem.h"
#include "items/OTimerActionItem.h"
#include "rules/questbook/OQuestBookItem.h"
#include "sdk/TXmlNode.h"
#include "tools/alchemy/OAlchemicalDeviceItem.h"

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

// A takeable kind: made by its loader in every situation, in that place.
template <OSimpleItem::Loader Load>
constexpr Kind Takeable(const char* type) {
  return {type, &OSimpleItem::CreateIn<Load, ItemPlace::stScene>,
          &OSimpleItem::CreateIn<Load, ItemPlace::stPointer>,
          &OSimpleItem::CreateIn<Load, ItemPlace::stInventory>,
          &OSimpleItem::CreateIn<Load, ItemPlace::stDropped>};
}

const Kind kKinds[] = {
    {"", &OSimpleItem::CreateForScene, &OSimpleItem::CreateForPointer, &OSimpleItem::CreateForInventory,
     &OSimpleItem::CreateDropped},
    {"key", &OKeyItem::CreateForScene, &OSimpleItem::CreateIn<&OKeyItem::CreateFromXml, ItemPlace::stPointer>,
     &OSimpleItem::CreateIn<&OKeyItem::CreateFromXml, ItemPlace::stInventory>,
     &OSimpleItem::CreateIn<&OKeyItem::CreateFromXml, ItemPlace::stDropped>},
    {"passage", &OPassageItem::CreateForScene, nullptr, nullptr, nullptr},
    {"container", &OContainerItem::CreateForScene, nullptr, nullptr, nullptr},
    {"producer", &OProducerItem::CreateForScene, nullptr, nullptr, nullptr},
    {"locked_container", &OLockedContainerItem::CreateForScene, nullptr, nullptr, nullptr},
    {"composition", &OCompositionItem::CreateForScene, nullptr, nullptr, nullptr},
    // Products never lie in a scene; "fish" and "mirror" are products that
    // no drop zone keeps.
    {"product", nullptr, &OSimpleItem::CreateIn<&OProductItem::CreateFromXml, ItemPlace::stPointer>,
     &OSimpleItem::CreateIn<&OProductItem::CreateFromXml, ItemPlace::stInventory>,
     &OSimpleItem::CreateIn<&OProductItem::CreateFromXml, ItemPlace::stDropped>},
    {"fish", nullptr, &OSimpleItem::CreateIn<&OProductItem::CreateFromXml, ItemPlace::stPointer>,
     &OSimpleItem::CreateIn<&OProductItem::CreateFromXml, ItemPlace::stInventory>, nullptr},
    {"mirror", nullptr, &OSimpleItem::CreateIn<&OProductItem::CreateFromXml, ItemPlace::stPointer>,
     &OSimpleItem::CreateIn<&OProductItem::CreateFromXml, ItemPlace::stInventory>, nullptr},
    {"combo", nullptr, &OSimpleItem::CreateIn<&OComboItem::CreateFromXml, ItemPlace::stPointer>,
     &OSimpleItem::CreateIn<&OComboItem::CreateFromXml, ItemPlace::stInventory>,
     &OSimpleItem::CreateIn<&OComboItem::CreateFromXml, ItemPlace::stDropped>},
    // Stored in an inventory an auto food is an ordinary item that never
    // acts by itself.
    {"auto_food", nullptr, &OSimpleItem::CreateIn<&OAutoFoodItem::CreateFromXml, ItemPlace::stPointer>,
     &OSimpleItem::CreateForInventory,
     &OSimpleItem::CreateIn<&OAutoFoodItem::CreateFromXml, ItemPlace::stDropped>},
    // Scene items that react, and the takeable kinds that read or mirror.
    {"scene_jump_item", &OSceneJumpItem::CreateForScene, nullptr, nullptr, nullptr},
    {"jungle_snake", &OJungleSnakaItem::CreateForScene, nullptr, nullptr, nullptr},
    {"dialog", &ODialogItem::CreateForScene, nullptr, nullptr, nullptr},
    Takeable<&ONoteItem::CreateFromXml>("note"),
    Takeable<&OReadyTabletItem::CreateFromXml>("ready_tablet"),
    {"scene_text", &OSceneTextItem::CreateForScene, nullptr, nullptr, nullptr},
    Takeable<&OFlagItem::CreateFromXml>("flag"),
    Takeable<&OSceneFlagItem::CreateFromXml>("scene_flag"),
    {"caption", &OCaptionItem::CreateForScene, nullptr, nullptr, nullptr},
    {"chalk_mark", &OChalkMarkItem::CreateForScene, nullptr, nullptr, nullptr},
    {"different_reaction", &ODifferentReactionItem::CreateForScene, nullptr, nullptr, nullptr},
    {"raptor", &ORaptorItem::CreateForScene, nullptr, nullptr, nullptr},
    {"kitchen_mousetrap", &OKitchenMouseTrapItem::CreateForScene, nullptr, nullptr, nullptr},
    // The quest book lies in its own scene and nowhere else.
    {"basement_quest_book", &OQuestBookItem::CreateFromXml, nullptr, nullptr, nullptr},
    // Decorations of a scene, the kinds that run by time, and the fire that
    // only the fire magic puts into the hand.
    {"sound", &OMusicItem::CreateForScene, nullptr, nullptr, nullptr},
    {"particle", &OParticleItem::CreateForScene, nullptr, nullptr, nullptr},
    {"spark", &OSparkItem::CreateForScene, nullptr, nullptr, nullptr},
    {"timer_action", &OTimerActionItem::CreateForScene, nullptr, nullptr, nullptr},
    {"fire_magic", nullptr, &OFireMagicItem::CreateForPointer, nullptr, nullptr},
    {"anim_save", &OAnimSaveItem::CreateForScene, nullptr, nullptr, nullptr},
    // The potion flask, filled by the rules and drunk.
    Takeable<&OBasementFlaskItem::CreateFromXml>("potion_flask"),
    {"altar", &OAltarItem::CreateForScene, nullptr, nullptr, nullptr},
    // The matches box and the cooking items.
    Takeable<&OMatchesBoxItem::CreateFromXml>("matches_box"),
    Takeable<&OCookCutItem::CreateFromXml>("cook_cut"),
    Takeable<&OCookDustItem::CreateFromXml>("cook_dust"),
    Takeable<&OCookToolItem::CreateFromXml>("cook_tool"),
    Takeable<&OCookDeskItem::CreateFromXml>("cook_desk"),
    Takeable<&OCookDishItem::CreateFromXml>("cook_dish"),
    // The alchemical device stands in its own scene.
    {"alchemical_device", &OAlchemicalDeviceItem::CreateForScene, nullptr, nullptr, nullptr},
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
