#include <gtest/gtest.h>

#include <set>
#include <string>

#include "items/ItemTypeIds.h"

namespace {
TEST(ItemTypeIds, FortyDenseIdsInNameOrder) {
  EXPECT_EQ(ItemTypeId::Count(), 40);
  EXPECT_EQ(ItemTypeId::IItem, 1);
  EXPECT_EQ(ItemTypeId::OItem, 20);
  EXPECT_EQ(ItemTypeId::OSimpleItem, 38);
  EXPECT_EQ(ItemTypeId::OTimerActionItem, 40);
  std::set<std::string> names;
  for (int32_t id = 1; id <= 40; ++id) {
    std::string name = ItemTypeId::GetName(id);
    ASSERT_FALSE(name.empty()) << id;
    if (id > 1) {
      EXPECT_LT(std::string(ItemTypeId::GetName(id - 1)), name);
    }
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 40u);
  EXPECT_STREQ(ItemTypeId::GetName(ItemTypeId::OJungleSnakaItem), "OJungleSnakaItem");
  EXPECT_STREQ(ItemTypeId::GetName(0), "");
  EXPECT_STREQ(ItemTypeId::GetName(41), "");
}

TEST(ItemTypeIds, KindChains) {
  using namespace ItemTypeId;
  const std::set<int32_t> autoFood = {OAutoFoodItem, OProductItem, OSimpleItem, OItem, IItem};
  for (int32_t id = 0; id <= 41; ++id)
    EXPECT_EQ(ItemTypeId::IsKindOf(OAutoFoodItem, id), autoFood.count(id) == 1) << ItemTypeId::GetName(id);
  EXPECT_TRUE(ItemTypeId::IsKindOf(OLockedContainerItem, OContainerItem));
  EXPECT_FALSE(ItemTypeId::IsKindOf(OContainerItem, OLockedContainerItem));
  EXPECT_TRUE(ItemTypeId::IsKindOf(OReadyTabletItem, ONoteItem));
  EXPECT_TRUE(ItemTypeId::IsKindOf(OJungleSnakaItem, OSceneJumpItem));
  EXPECT_TRUE(ItemTypeId::IsKindOf(OAltarItem, OCompositionItem));
  EXPECT_FALSE(ItemTypeId::IsKindOf(OAltarItem, OSimpleItem));
  // Every class ends at IItem.
  for (int32_t id = 1; id <= 40; ++id) EXPECT_TRUE(ItemTypeId::IsKindOf(id, IItem)) << id;
}
}  // namespace
