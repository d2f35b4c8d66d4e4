// Items that hold items: what a container takes back, how a locked one
// answers a click, and how a passage unlocks, spends its keys and asks for
// the items it requires.

#include <memory>

#include "ItemsTestUtil.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/OContainerItem.h"
#include "items/OItemFactory.h"
#include "items/OKeyItem.h"
#include "items/OPassageItem.h"
#include "rules/hints/OHintsManager.h"
#include "rules/hints/OSimpleHint.h"

namespace {
// The scene's answer to "is it available" is the test's.
class AvailabilityItemsManager : public RecordingItemsManager {
 public:
  bool IsItemAvailable(const str& name) override { return name == available; }
  str available;
};

class HolderItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    OHintsManager::DestroyInstance();
    manager.reset(new AvailabilityItemsManager());
    for (const char* name : {"chest_closed", "chest_opened", "chest_return", "box_closed", "box_opened",
                             "gem_mask", "well_mask", "door_mask", "gate_mask", "hole_mask"})
      manager->masks.AddMask(new OItemMask(name, nullptr, "", &manager->masks));
    pointer = ReadyPointer()->GetManager();
  }
  void TearDown() override {
    GMousePointer::DestroyInstance();
    manager.reset();
    OHintsManager::DestroyInstance();
    ItemsTest::TearDown();
  }
  template <class T>
  T* Make(const str& name) {
    IItem* item = OItemFactory::CreateForScene(name, manager.get());
    EXPECT_NE(item, nullptr) << name;
    manager->AddItem(item);
    item->CreateObject();
    return static_cast<T*>(item);
  }
  IItem* Hold(const str& name) { return HoldNew(name, manager.get()); }
  IMask* Mask(const str& name) { return manager->masks.FindMask(name); }
  static str Held(OMousePointerManager* pointer) {
    return pointer->GetHeldItem() ? pointer->GetHeldItem()->GetName() : str("nothing");
  }
  static str Flag(const str& name) { return OFlagsRegistry::GetInstance()->GetValue(name); }
  static str StateOf(IItem* item) { return item->GetMainObject()->GetState().ToStr(); }

  std::unique_ptr<AvailabilityItemsManager> manager;
  OMousePointerManager* pointer = nullptr;
};

TEST_F(HolderItemTest, AContainerClaimsItsItemsAndItsProducersProducts) {
  OContainerItem* chest = Make<OContainerItem>("chest");
  EXPECT_EQ(Registry("chest"), "0");
  struct Case {
    const char* name;
    bool claimed;
  } cases[] = {{"gem", true}, {"water", true}, {"lamp", false}, {"fish_item", false}};
  for (const Case& c : cases) {
    IItem* item = OItemFactory::CreateForPointer(c.name, manager.get());
    ASSERT_NE(item, nullptr) << c.name;
    EXPECT_EQ(chest->ClaimsItem(item), c.claimed) << c.name;
    delete item;
  }

  // A product goes back to its source: deleted, not made again, and the
  // chest stays as it was.
  IItem* water = Hold("water");
  pointer->ReleaseItem();
  EXPECT_TRUE(chest->TakeBackItem(water));
  EXPECT_EQ(chest->GetState(), OContainerItem::kClosed);
  EXPECT_EQ(chest->FindItem("water"), nullptr);

  // One of its own lies inside again, the chest open at once.
  IItem* gem = Hold("gem");
  pointer->ReleaseItem();
  EXPECT_TRUE(chest->TakeBackItem(gem));
  EXPECT_EQ(chest->GetState(), OContainerItem::kOpened);
  EXPECT_EQ(Registry("chest"), "1");
  ASSERT_NE(chest->FindItem("gem"), nullptr);
  EXPECT_EQ(Registry("gem"), "0");
  EXPECT_NE(chest->FindItem("well"), nullptr);

  IItem* lamp = Hold("lamp");
  EXPECT_FALSE(chest->TakeBackItem(lamp));
  EXPECT_EQ(pointer->GetHeldItem(), lamp);
}

TEST_F(HolderItemTest, ALockedContainerOpensOnlyForItsKey) {
  OLockedContainerItem* box = Make<OLockedContainerItem>("strongbox");
  EXPECT_EQ(Registry("strongbox"), "0,0");
  struct Step {
    const char* held;  // "": an empty hand
    const char* mask;
    bool taken;
    int state;
  } steps[] = {
      {"", "box_closed", true, OContainerItem::kClosed},
      {"stick", "box_closed", false, OContainerItem::kClosed},
      {"stick", "box_opened", false, OContainerItem::kClosed},
      {"key", "box_closed", true, OContainerItem::kOpening},
      // Open, it never closes by a click.
      {"key", "box_opened", false, OContainerItem::kOpening},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(str(s.held) + " on " + s.mask);
    OFlagsRegistry::GetInstance()->SetValue("refused", "null");
    IItem* held = Hold(s.held);
    EXPECT_EQ(box->OnMaskClick(Mask(s.mask)), s.taken);
    EXPECT_EQ(box->GetState(), s.state);
    EXPECT_EQ(pointer->GetHeldItem(), held) << "the key stays in the hand";
    EXPECT_EQ(Flag("refused"), held ? "null" : "true");
  }
  EXPECT_EQ(Registry("strongbox"), "1,0");
}

TEST_F(HolderItemTest, APassageUnlocksWithItsKeyAndShowsWhatLiesBehind) {
  OPassageItem* door = Make<OPassageItem>("door");
  OPassageItem* gate = Make<OPassageItem>("gate");
  EXPECT_EQ(door->GetState(), OPassageItem::kLocked);
  EXPECT_EQ(StateOf(door), "stLocked");
  EXPECT_EQ(Registry("door"), "none") << "a locked passage writes nothing";
  // Without "scene_pos" the visual stays where its description puts it;
  // with one it moves by that much.
  for (OPassageItem* passage : {door, gate}) passage->GetObject()->UpdateData();
  EXPECT_EQ(door->GetObject()->GetEffective().deltaX, 7);
  EXPECT_EQ(gate->GetObject()->GetEffective().deltaX, 37);

  // A wrong item: no action for it, so the click is declined.
  Hold("stick");
  EXPECT_FALSE(door->OnMaskClick(Mask("door_mask")));
  EXPECT_EQ(Held(pointer), "stick");

  // The key has two targets: the first leaves it in the hand.
  Hold("brass");
  EXPECT_TRUE(door->OnMaskClick(Mask("door_mask")));
  EXPECT_EQ(Held(pointer), "brass");
  EXPECT_EQ(Registry("brass"), "1,1");
  EXPECT_EQ(door->GetState(), OPassageItem::kOpening);
  EXPECT_EQ(StateOf(door), "stOpening");
  EXPECT_EQ(Registry("door"), "2");
  EXPECT_EQ(door->FindItem("gem"), nullptr) << "nothing shows while it opens";
  door->OnStateEnd(door->GetMainObject(), TState::FromCStr("stOpening"));
  EXPECT_EQ(door->GetState(), OPassageItem::kUnlocked);
  EXPECT_EQ(StateOf(door), "stUnlocked");
  EXPECT_NE(door->FindItem("gem"), nullptr);

  // The second target spends it: gone from the hand, and never made for a
  // scene again.
  EXPECT_TRUE(gate->OnMaskClick(Mask("gate_mask")));
  EXPECT_EQ(Held(pointer), "nothing");
  EXPECT_EQ(Registry("brass"), "1,0");
  EXPECT_EQ(OItemFactory::CreateForScene("brass", manager.get()), nullptr);
  OItemsRegistry::GetInstance()->SetStates("brass", {0, 1});
  std::unique_ptr<IItem> again(OItemFactory::CreateForScene("brass", manager.get()));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(static_cast<OKeyItem*>(again.get())->GetRemainingTargets(), 1);

  // Without a visual an empty hand unlocks at once, and nothing shows.
  OPassageItem* hole = Make<OPassageItem>("hole");
  EXPECT_TRUE(hole->OnMaskClick(Mask("hole_mask")));
  EXPECT_EQ(hole->GetState(), OPassageItem::kUnlocked);
  EXPECT_EQ(Registry("hole"), "2");
  EXPECT_EQ(hole->FindItem("gem"), nullptr);
  EXPECT_TRUE(hole->OnMaskClick(Mask("hole_mask")));
  EXPECT_EQ(Flag("entered"), "hole");
}

TEST_F(HolderItemTest, EachClickWithoutARequiredItemQueuesAHintOfItsOwn) {
  OItemsRegistry::GetInstance()->SetState("door", 2);
  OPassageItem* door = Make<OPassageItem>("door");
  EXPECT_TRUE(door->OnMaskClick(Mask("door_mask")));
  EXPECT_TRUE(door->OnMaskClick(Mask("door_mask")));
  EXPECT_EQ(Flag("entered"), "null");
  const std::vector<IHint*>& queue = OHintsManager::GetInstance()->GetQueue();
  ASSERT_EQ(queue.size(), 2u) << "the feather has no hint and never blocks";
  EXPECT_NE(queue[0], queue[1]);
  // The queue frees them: the passage may go while they wait.
  manager->RemoveItem(door);
  delete door;
  for (IHint* hint : queue) {
    EXPECT_TRUE(hint->IsDeleteAfterShowing());
    EXPECT_EQ(static_cast<OSimpleHint*>(hint)->GetTextKey(), "hint_lamp");
  }

  manager->available = "lamp";
  door = Make<OPassageItem>("door");
  EXPECT_TRUE(door->OnMaskClick(Mask("door_mask")));
  EXPECT_EQ(Flag("entered"), "door");
  EXPECT_EQ(queue.size(), 2u);
}
}  // namespace
