// Producers and their products, combos and auto foods, and where the
// scene's items manager sends a released item back to.

#include <algorithm>
#include <memory>
#include <vector>

#include "ItemsTestUtil.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/OContainerItem.h"
#include "items/OItemFactory.h"
#include "items/OProducerItem.h"
#include "items/OProductItem.h"
#include "sdk/TReport.h"

namespace {
// Kinds derived from a producer and from a container: the searches pass
// them over.
class DerivedProducer : public OProducerItem {
 public:
  DerivedProducer(const str& product, IItemsManager* owner) : OProducerItem("spring", owner, "", "") {
    mProductName = product;
  }
  int32_t GetTypeId() const override { return ItemTypeId::OSparkItem; }
};

class DerivedContainer : public OContainerItem {
 public:
  explicit DerivedContainer(IItemsManager* owner) : OContainerItem("cupboard", owner, "", "") {
    mItemNames.push_back("gem");
  }
  int32_t GetTypeId() const override { return ItemTypeId::OAltarItem; }
};

class ProductItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    manager.reset(new RecordingItemsManager());
    for (const char* name : {"well_mask", "chest_closed", "chest_opened", "box_closed", "gem_mask"})
      manager->masks.AddMask(new OItemMask(name, nullptr, "", &manager->masks));
    pointer = ReadyPointer()->GetManager();
  }
  void TearDown() override {
    GMousePointer::DestroyInstance();
    manager.reset();
    ItemsTest::TearDown();
  }
  IItem* AddToScene(const str& name) {
    IItem* item = OItemFactory::CreateForScene(name, manager.get());
    EXPECT_NE(item, nullptr) << name;
    manager->AddItem(item);
    item->CreateObject();
    return item;
  }
  IItem* Hold(const str& name) { return HoldNew(name, manager.get()); }
  static int Count(const str& event) {
    const std::vector<str>& events = Events();
    return int(std::count(events.begin(), events.end(), event));
  }

  std::unique_ptr<RecordingItemsManager> manager;
  OMousePointerManager* pointer = nullptr;
};

TEST_F(ProductItemTest, OnlyExactProducersAndContainersTakeReleasedItemsBack) {
  struct Case {
    const char* holder;  // an items_guide name, or "derived producer" / "derived container"
    const char* held;
    bool returnable;
    bool producer, container;
  } cases[] = {
      {"well", "water", true, true, false},
      {"well", "gem", true, false, false},
      {"derived producer", "water", true, false, false},
      {"chest", "gem", true, false, true},
      // The well lies in the chest, so the chest takes its water back.
      {"chest", "water", true, false, true},
      {"chest", "lamp", true, false, false},
      {"strongbox", "gem", true, false, true},
      {"derived container", "gem", true, false, false},
      // What cannot be returned is given to nobody.
      {"well", "water", false, false, false},
      {"chest", "gem", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str(c.held) + " over " + c.holder);
    RecordingItemsManager scene;
    for (const char* name : {"well_mask", "chest_closed", "box_closed"})
      scene.masks.AddMask(new OItemMask(name, nullptr, "", &scene.masks));
    str holder = c.holder;
    if (holder == "derived producer")
      scene.AddItem(new DerivedProducer("water", &scene));
    else if (holder == "derived container")
      scene.AddItem(new DerivedContainer(&scene));
    else
      scene.AddItem(OItemFactory::CreateForScene(holder, &scene));
    ProbeItem held(c.held, &scene, ItemTypeId::OSimpleItem, false);
    held.returnable = c.returnable;
    EXPECT_EQ(scene.HasProducerFor(&held), c.producer);
    EXPECT_EQ(scene.HasContainerFor(&held), c.container);
  }

  // The container that claims it takes it and makes it anew inside.
  OContainerItem* chest = static_cast<OContainerItem*>(AddToScene("chest"));
  IItem* gem = Hold("gem");
  pointer->ReleaseItem();
  manager->ReturnToContainer(gem);
  EXPECT_EQ(chest->GetState(), OContainerItem::kOpened);
  EXPECT_NE(chest->FindItem("gem"), nullptr);
}

TEST_F(ProductItemTest, AProducerFillsAnEmptyHandOnly) {
  IItem* well = AddToScene("well");
  IMask* mask = manager->masks.FindMask("well_mask");
  EXPECT_TRUE(well->OnMaskClick(mask));
  IItem* water = pointer->GetHeldItem();
  ASSERT_NE(water, nullptr);
  EXPECT_EQ(water->GetName(), "water");
  EXPECT_EQ(water->GetTypeId(), ItemTypeId::OProductItem);
  EXPECT_EQ(Registry("water"), "none") << "a product records nothing";
  EXPECT_FALSE(well->OnMaskClick(mask));
  EXPECT_EQ(pointer->GetHeldItem(), water);
  EXPECT_EQ(Count("item_create water"), 1);
  EXPECT_TRUE(manager->HasProducerFor(water));
}

TEST_F(ProductItemTest, AComboSendsItsItemsBackQuietlyAndStaysItself) {
  IItem* bundle = Hold("bundle");
  static_cast<OItem*>(bundle)->ReturnToScene(false);
  for (const char* name : {"gem", "stick"}) {
    EXPECT_EQ(Registry(name), "0") << name;
    EXPECT_EQ(Count(str("item_scene_return ") + name), 1) << name;
  }
  EXPECT_EQ(Count("item_create no_such_item"), 0);
  EXPECT_EQ(pointer->GetHeldItem(), bundle);
  EXPECT_EQ(Registry("bundle"), "none");
}

TEST_F(ProductItemTest, AComboThatStandsForItselfReturnsEveryOtherItemOnceAndSaysSo) {
  struct Case {
    const char* combo;
    std::vector<const char*> returned;
  } cases[] = {
      {"loop_bundle", {"gem"}},
      {"outer_bundle", {"gem", "stick"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.combo);
    const size_t reported = ReportCount();
    std::vector<int> before;
    for (const char* name : c.returned) before.push_back(Count(str("item_scene_return ") + name));
    static_cast<OItem*>(Hold(c.combo))->ReturnToScene(false);
    for (size_t i = 0; i < c.returned.size(); ++i)
      EXPECT_EQ(Count(str("item_scene_return ") + c.returned[i]), before[i] + 1) << c.returned[i];
    EXPECT_EQ(ReportCount(), reported + 1) << "one line for the name that leads back";
  }
}

TEST_F(ProductItemTest, AnAutoFoodActsOnceItsWaitIsOverAndThenOnEveryTick) {
  IItem* berry = Hold("berry");
  EXPECT_FALSE(berry->CanBeDropped() || berry->CanBeStored() || berry->CanBeReturned());
  EXPECT_EQ(static_cast<OAutoFoodItem*>(berry)->GetWaitToEat(), 3);
  for (int tick = 1; tick <= 3; ++tick) berry->Update();
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("ate"), "null");
  berry->Update();
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("ate"), "true");
  OFlagsRegistry::GetInstance()->SetValue("ate", "again");
  berry->Update();
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("ate"), "true");
  // A new visual starts the count again.
  berry->CreateObject();
  EXPECT_EQ(static_cast<OAutoFoodItem*>(berry)->GetTickCount(), 0);

  std::unique_ptr<IItem> meal(OItemFactory::CreateDropped("meal", manager.get()));
  ASSERT_NE(meal, nullptr);
  EXPECT_EQ(static_cast<OAutoFoodItem*>(meal.get())->GetWaitToEat(), int(OAutoFoodItem::kDefaultWait));
}
}  // namespace
