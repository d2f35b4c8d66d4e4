#include "ItemsTestUtil.h"
#include "items/OItemFactory.h"
#include "items/OSimpleItem.h"

namespace {
typedef ItemsTest ItemFactoryTest;
typedef IItem* (*Make)(const str&, IItemsManager*);

TEST_F(ItemFactoryTest, SimpleEntriesAreMadeInTheCallersPlace) {
  struct Case {
    Make make;
    int32_t place;
  } cases[] = {
      {&OItemFactory::CreateForScene, ItemPlace::stScene},
      {&OItemFactory::CreateForPointer, ItemPlace::stPointer},
      {&OItemFactory::CreateForInventory, ItemPlace::stInventory},
      {&OItemFactory::CreateDropped, ItemPlace::stDropped},
  };
  OItemsManager owner(nullptr);
  for (const Case& c : cases) {
    // "lamp" has no "type", "gem" an empty one: both are simple items.
    for (const char* name : {"lamp", "gem"}) {
      std::unique_ptr<IItem> item(c.make(name, &owner));
      ASSERT_TRUE(item) << name << " " << c.place;
      EXPECT_EQ(item->GetTypeId(), ItemTypeId::OSimpleItem);
      auto* simple = static_cast<OSimpleItem*>(item.get());
      EXPECT_EQ(simple->GetPlace(), c.place);
      EXPECT_EQ(simple->GetItemsManager(), &owner);
      EXPECT_EQ(item->GetObject(), nullptr);  // the caller creates the visual
    }
  }
}

TEST_F(ItemFactoryTest, TakeableKindsAreMadeEverywhereAndSceneKindsOnlyForTheScene) {
  Make makers[] = {&OItemFactory::CreateForScene, &OItemFactory::CreateForPointer,
                   &OItemFactory::CreateForInventory, &OItemFactory::CreateDropped};
  const int32_t places[] = {ItemPlace::stScene, ItemPlace::stPointer, ItemPlace::stInventory,
                            ItemPlace::stDropped};
  struct Case {
    const char* name;
    int32_t type;
    bool takeable;
  } cases[] = {
      {"page", ItemTypeId::ONoteItem, true},
      {"slate", ItemTypeId::OReadyTabletItem, true},
      {"banner", ItemTypeId::OFlagItem, true},
      {"vase", ItemTypeId::OSceneFlagItem, true},
      {"talk", ItemTypeId::OItem, false},
      {"stairs", ItemTypeId::OSceneJumpItem, false},
      {"idol", ItemTypeId::ODifferentReactionItem, false},
      {"beast", ItemTypeId::ORaptorItem, false},
      {"snare", ItemTypeId::OKitchenMouseTrapItem, false},
      {"mark", ItemTypeId::OChalkMarkItem, false},
      {"plaque", ItemTypeId::OSceneTextItem, false},
      {"drips", ItemTypeId::OMusicItem, false},
      {"candles", ItemTypeId::OParticleItem, false},
      {"glint", ItemTypeId::OSparkItem, false},
      {"clock", ItemTypeId::OTimerActionItem, false},
      {"hinge", ItemTypeId::OAnimSaveItem, false},
  };
  OItemsManager owner(nullptr);
  for (const Case& c : cases) {
    for (int i = 0; i < 4; ++i) {
      std::unique_ptr<IItem> item(makers[i](c.name, &owner));
      if (i > 0 && !c.takeable) {
        EXPECT_FALSE(item) << c.name << " " << i;
        continue;
      }
      ASSERT_TRUE(item) << c.name << " " << i;
      EXPECT_EQ(item->GetTypeId(), c.type) << c.name;
      if (c.takeable) {
        EXPECT_EQ(static_cast<OSimpleItem*>(item.get())->GetPlace(), places[i]) << c.name;
      }
      item->Detach();
    }
  }
}

TEST_F(ItemFactoryTest, TheFireIsMadeOnlyForTheHand) {
  OItemsManager owner(nullptr);
  std::unique_ptr<IItem> fire(OItemFactory::CreateForPointer("blaze", &owner));
  ASSERT_TRUE(fire);
  EXPECT_EQ(fire->GetTypeId(), ItemTypeId::OFireMagicItem);
  for (Make make :
       {&OItemFactory::CreateForScene, &OItemFactory::CreateForInventory, &OItemFactory::CreateDropped})
    EXPECT_FALSE(std::unique_ptr<IItem>(make("blaze", &owner)));
}

TEST_F(ItemFactoryTest, UnknownNamesAndKindsMakeNothing) {
  for (Make make : {&OItemFactory::CreateForScene, &OItemFactory::CreateForPointer,
                    &OItemFactory::CreateForInventory, &OItemFactory::CreateDropped}) {
    EXPECT_EQ(make("mystery", nullptr), nullptr);  // a "type" no kind has
    EXPECT_EQ(make("nobody", nullptr), nullptr);
    EXPECT_EQ(make("", nullptr), nullptr);
  }
  EXPECT_NE(OItemFactory::FindGuideNode("mystery"), nullptr);
  EXPECT_EQ(OItemFactory::FindGuideNode("nobody"), nullptr);
}

TEST_F(ItemFactoryTest, AutoFoodIsAPlainSimpleItemInAnInventoryAndNeverInAScene) {
  std::unique_ptr<IItem> stored(OItemFactory::CreateForInventory("meal", nullptr));
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->GetTypeId(), ItemTypeId::OSimpleItem);
  EXPECT_EQ(static_cast<OSimpleItem*>(stored.get())->GetPlace(), ItemPlace::stInventory);
  EXPECT_EQ(OItemFactory::CreateForScene("meal", nullptr), nullptr);
}

TEST_F(ItemFactoryTest, AnItemStoredElsewhereIsNotMadeForTheScene) {
  OItemsRegistry::GetInstance()->SetState("gem", ItemPlace::stInventory);
  EXPECT_EQ(OItemFactory::CreateForScene("gem", nullptr), nullptr);
  std::unique_ptr<IItem> stored(OItemFactory::CreateForInventory("gem", nullptr));
  EXPECT_TRUE(stored);
}
TEST_F(ItemFactoryTest, EachKindIsMadeOnlyWhereItCanOccur) {
  const int32_t none = 0;
  struct Case {
    const char* name;
    int32_t scene, pointer, inventory, dropped;  // the class made, or none
  } cases[] = {
      {"brass", ItemTypeId::OKeyItem, ItemTypeId::OKeyItem, ItemTypeId::OKeyItem, ItemTypeId::OKeyItem},
      {"door", ItemTypeId::OPassageItem, none, none, none},
      {"chest", ItemTypeId::OContainerItem, none, none, none},
      {"strongbox", ItemTypeId::OLockedContainerItem, none, none, none},
      {"well", ItemTypeId::OProducerItem, none, none, none},
      {"statue", ItemTypeId::OCompositionItem, none, none, none},
      {"water", none, ItemTypeId::OProductItem, ItemTypeId::OProductItem, ItemTypeId::OProductItem},
      {"fish_item", none, ItemTypeId::OProductItem, ItemTypeId::OProductItem, none},
      {"mirror_item", none, ItemTypeId::OProductItem, ItemTypeId::OProductItem, none},
      {"bundle", none, ItemTypeId::OComboItem, ItemTypeId::OComboItem, ItemTypeId::OComboItem},
      {"berry", none, ItemTypeId::OAutoFoodItem, ItemTypeId::OSimpleItem, ItemTypeId::OAutoFoodItem},
  };
  for (const Case& c : cases) {
    const Make makes[] = {&OItemFactory::CreateForScene, &OItemFactory::CreateForPointer,
                          &OItemFactory::CreateForInventory, &OItemFactory::CreateDropped};
    const int32_t expected[] = {c.scene, c.pointer, c.inventory, c.dropped};
    for (int i = 0; i < 4; ++i) {
      std::unique_ptr<IItem> item(makes[i](c.name, nullptr));
      EXPECT_EQ(item ? item->GetTypeId() : none, expected[i]) << c.name << " in situation " << i;
    }
  }
}
}  // namespace
