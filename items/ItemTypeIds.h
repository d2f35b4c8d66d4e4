#pragma once
// Run-time identity of the item classes. Every item class has a number taken
// once at start-up from one shared counter, in ascending order of the class
// names, so the numbers run densely from 1 to 40. They are never saved or
// shown; code only compares them: exactly (IItem::GetTypeId) or by kind
// (IItem::IsKindOf). Classes that have no code yet still have their number,
// so kind tests can be written against them before they land.

#include <cstdint>

namespace ItemTypeId {
extern const int32_t IItem;
extern const int32_t OAlchemicalDeviceItem;
extern const int32_t OAltarItem;
extern const int32_t OAnimSaveItem;
extern const int32_t OAutoFoodItem;
extern const int32_t OBasementFlaskItem;
extern const int32_t OCaptionItem;
extern const int32_t OChalkMarkItem;
extern const int32_t OComboItem;
extern const int32_t OCompositionItem;
extern const int32_t OContainerItem;
extern const int32_t OCookCutItem;
extern const int32_t OCookDeskItem;
extern const int32_t OCookDishItem;
extern const int32_t OCookDustItem;
extern const int32_t OCookToolItem;
extern const int32_t ODifferentReactionItem;
extern const int32_t OFireMagicItem;
extern const int32_t OFlagItem;
extern const int32_t OItem;
extern const int32_t OJungleSnakaItem;
extern const int32_t OKeyItem;
extern const int32_t OKitchenMouseTrapItem;
extern const int32_t OLockedContainerItem;
extern const int32_t OMatchesBoxItem;
extern const int32_t OMusicItem;
extern const int32_t ONoteItem;
extern const int32_t OParticleItem;
extern const int32_t OPassageItem;
extern const int32_t OProducerItem;
extern const int32_t OProductItem;
extern const int32_t OQuestBookItem;
extern const int32_t ORaptorItem;
extern const int32_t OReadyTabletItem;
extern const int32_t OSceneFlagItem;
extern const int32_t OSceneJumpItem;
extern const int32_t OSceneTextItem;
extern const int32_t OSimpleItem;
extern const int32_t OSparkItem;
extern const int32_t OTimerActionItem;

// How many classes have a number (the highest number given).
int32_t Count();
// The item class of that number and every item class it derives from,
// walked from the class itself up to IItem. For classes without code this
// is the only answer to a kind test; classes with code answer the same
// through their own IsKindOf.
bool IsKindOf(int32_t type, int32_t id);
// The direct item-class base of a class (0 for IItem and unknown numbers).
int32_t GetBase(int32_t type);
// The class name of a number ("OSimpleItem"), "" for an unknown one.
const char* GetName(int32_t type);
}  // namespace ItemTypeId
