#include "ItemTypeIds.h"

namespace {
int32_t sCounter = 0;
int32_t Next() {
  return ++sCounter;
}

struct Row {
  const char* name;
  const char* base;  // the direct item-class base; null for IItem
};
// In ascending order of the class names: the order the numbers are given.
const Row kRows[] = {
    {"IItem", nullptr},
    {"OAlchemicalDeviceItem", "OItem"},
    {"OAltarItem", "OCompositionItem"},
    {"OAnimSaveItem", "OItem"},
    {"OAutoFoodItem", "OProductItem"},
    {"OBasementFlaskItem", "OSimpleItem"},
    {"OCaptionItem", "OItem"},
    {"OChalkMarkItem", "OItem"},
    {"OComboItem", "OProductItem"},
    {"OCompositionItem", "OItem"},
    {"OContainerItem", "OItem"},
    {"OCookCutItem", "OSimpleItem"},
    {"OCookDeskItem", "OSimpleItem"},
    {"OCookDishItem", "OSimpleItem"},
    {"OCookDustItem", "OSimpleItem"},
    {"OCookToolItem", "OSimpleItem"},
    {"ODifferentReactionItem", "OItem"},
    {"OFireMagicItem", "OItem"},
    {"OFlagItem", "OSimpleItem"},
    {"OItem", "IItem"},
    {"OJungleSnakaItem", "OSceneJumpItem"},
    {"OKeyItem", "OSimpleItem"},
    {"OKitchenMouseTrapItem", "OItem"},
    {"OLockedContainerItem", "OContainerItem"},
    {"OMatchesBoxItem", "OSimpleItem"},
    {"OMusicItem", "OItem"},
    {"ONoteItem", "OSimpleItem"},
    {"OParticleItem", "OItem"},
    {"OPassageItem", "OItem"},
    {"OProducerItem", "OItem"},
    {"OProductItem", "OSimpleItem"},
    {"OQuestBookItem", "OItem"},
    {"ORaptorItem", "OItem"},
    {"OReadyTabletItem", "ONoteItem"},
    {"OSceneFlagItem", "OSimpleItem"},
    {"OSceneJumpItem", "OItem"},
    {"OSceneTextItem", "OItem"},
    {"OSimpleItem", "OItem"},
    {"OSparkItem", "OItem"},
    {"OTimerActionItem", "OItem"},
};
const int32_t kRowCount = int32_t(sizeof(kRows) / sizeof(kRows[0]));

int32_t FindByName(const char* name) {
  if (!name) return 0;
  for (int32_t i = 0; i < kRowCount; ++i) {
    const char* a = kRows[i].name;
    const char* b = name;
    while (*a && *a == *b) ++a, ++b;
    if (*a == *b) return i + 1;
  }
  return 0;
}
}  // namespace

// One translation unit, so the definitions run in this order at start-up,
// before any item can exist.
namespace ItemTypeId {
const int32_t IItem = Next();
const int32_t OAlchemicalDeviceItem = Next();
const int32_t OAltarItem = Next();
const int32_t OAnimSaveItem = Next();
const int32_t OAutoFoodItem = Next();
const int32_t OBasementFlaskItem = Next();
const int32_t OCaptionItem = Next();
const int32_t OChalkMarkItem = Next();
const int32_t OComboItem = Next();
const int32_t OCompositionItem = Next();
const int32_t OContainerItem = Next();
const int32_t OCookCutItem = Next();
const int32_t OCookDeskItem = Next();
const int32_t OCookDishItem = Next();
const int32_t OCookDustItem = Next();
const int32_t OCookToolItem = Next();
const int32_t ODifferentReactionItem = Next();
const int32_t OFireMagicItem = Next();
const int32_t OFlagItem = Next();
const int32_t OItem = Next();
const int32_t OJungleSnakaItem = Next();
const int32_t OKeyItem = Next();
const int32_t OKitchenMouseTrapItem = Next();
const int32_t OLockedContainerItem = Next();
const int32_t OMatchesBoxItem = Next();
const int32_t OMusicItem = Next();
const int32_t ONoteItem = Next();
const int32_t OParticleItem = Next();
const int32_t OPassageItem = Next();
const int32_t OProducerItem = Next();
const int32_t OProductItem = Next();
const int32_t OQuestBookItem = Next();
const int32_t ORaptorItem = Next();
const int32_t OReadyTabletItem = Next();
const int32_t OSceneFlagItem = Next();
const int32_t OSceneJumpItem = Next();
const int32_t OSceneTextItem = Next();
const int32_t OSimpleItem = Next();
const int32_t OSparkItem = Next();
const int32_t OTimerActionItem = Next();

int32_t Count() {
  return sCounter;
}

int32_t GetBase(int32_t type) {
  if (type < 1 || type > kRowCount) return 0;
  return FindByName(kRows[type - 1].base);
}

bool IsKindOf(int32_t type, int32_t id) {
  // The chain is at most five deep; the bound guards against a bad table.
  for (int guard = 0; type != 0 && guard <= kRowCount; ++guard) {
    if (type == id) return true;
    type = GetBase(type);
  }
  return false;
}

const char* GetName(int32_t type) {
  if (type < 1 || type > kRowCount) return "";
  return kRows[type - 1].name;
}
}  // namespace ItemTypeId
