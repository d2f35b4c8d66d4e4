// Scene items that react to the item in hand: the different-reaction item's
// choice and click, and what the raptor, the mouse trap and the chalk mark
// do when their content leaves something out.

#include "ItemsTestUtil.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/OCaptionItem.h"
#include "items/ODifferentReactionItem.h"
#include "items/OItemFactory.h"
#include "items/OKitchenMouseTrapItem.h"
#include "items/ORaptorItem.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TReport.h"

namespace {
class ReactionItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    pointer = ReadyPointer()->GetManager();
    for (const char* name : {"idol_mask", "beast_mask", "snare_mask", "mark_mask"}) {
      OItemMask* mask = new OItemMask(name, nullptr, "", &manager.masks);
      manager.masks.AddMask(mask);
      masks.push_back(mask);
    }
  }
  void TearDown() override {
    // The items go while the shared objects they reach still exist.
    manager.Clear();
    GMousePointer::DestroyInstance();
    OTimersManager::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
    ItemsTest::TearDown();
  }
  template <class T>
  T* Scene(const str& name) {
    IItem* item = OItemFactory::CreateForScene(name, &manager);
    EXPECT_NE(item, nullptr) << name;
    manager.AddItem(item);
    item->CreateObject();
    return static_cast<T*>(item);
  }
  // Puts a new item of that name in the hand; "" leaves it empty, and a
  // name the guide does not know is a bare item of that name.
  void Hold(const str& name) {
    pointer->DeleteHeldItem();
    if (name.empty()) return;
    IItem* item = OItemFactory::CreateForPointer(name, &manager);
    if (!item) item = new ProbeItem(name, &manager, ItemTypeId::OItem, false);
    item->CreateObject();
    pointer->HoldItem(item);
  }
  str Held() const { return pointer->GetHeldItem() ? pointer->GetHeldItem()->GetName() : str("none"); }
  static str Flag(const str& name) { return OFlagsRegistry::GetInstance()->GetValue(name); }

  RecordingItemsManager manager;
  OMousePointerManager* pointer = nullptr;
  std::vector<OItemMask*> masks;
};

TEST_F(ReactionItemTest, TheFirstReactionNamingTheHeldItemDecidesTheLookAndTheClick) {
  ODifferentReactionItem* idol = Scene<ODifferentReactionItem>("idol");
  ASSERT_EQ(masks[0]->GetItem(), idol);
  struct Case {
    const char* held;
    int reaction;
    int look;
    const char* flag;   // "reaction" after the click
    const char* after;  // the hand after the click
  } cases[] = {
      {"lamp", 0, 2, "first", "none"},
      {"key", 0, 2, "first", "none"},  // also named by the second: the first wins
      {"gem", 1, 3, "second", "gem"},  // kept
      {"", 2, 5, "empty", "none"},     // the reaction listing the empty name
      {"map", 3, 0, "null", "none"},   // an unknown action is skipped, the item still taken
      {"coin", -1, 1, "default", "coin"},
  };
  for (const Case& c : cases) {
    OFlagsRegistry::DeleteInstance();
    Hold(c.held);
    EXPECT_EQ(idol->FindReaction(c.held), c.reaction) << c.held;
    EXPECT_EQ(idol->GetAnimationType(c.held), c.look) << c.held;
    EXPECT_TRUE(idol->OnMaskClick(masks[0])) << c.held;
    EXPECT_EQ(Flag("reaction"), c.flag) << c.held;
    EXPECT_EQ(Held(), c.after) << c.held;
  }
}

TEST_F(ReactionItemTest, ARaptorWithoutActionsRunsNothingAndAResultNobodyMakesLeavesTheHandEmpty) {
  ORaptorItem* beast = Scene<ORaptorItem>("beast");
  EXPECT_TRUE(beast->OnMaskClick(masks[1]));
  EXPECT_EQ(beast->GetRaptorState(), ORaptorItem::kLook) << "looks without a first-click action";

  ORaptorItem* unseen = Scene<ORaptorItem>("beast");
  OFlagsRegistry::GetInstance()->SetValue("are_we_invisible", "true");
  EXPECT_TRUE(unseen->OnMaskClick(masks[1])) << "refuses the empty hand without an action";
  Hold("key");
  size_t reported = ReportCount();
  EXPECT_TRUE(unseen->OnMaskClick(masks[1]));
  EXPECT_EQ(Held(), "none");
  EXPECT_EQ(ReportCount(), reported + 1);
  EXPECT_EQ(Registry("key"), "0") << "the key goes back to its scene all the same";
}

TEST_F(ReactionItemTest, ATrapWhoseItemsCannotBeMadeStaysAsItIs) {
  OKitchenMouseTrapItem* snare = Scene<OKitchenMouseTrapItem>("snare");
  EXPECT_EQ(snare->GetTrapState(), OKitchenMouseTrapItem::kNone);
  Hold("key");
  snare->OnMaskClick(masks[2]);
  EXPECT_EQ(snare->GetTrapState(), OKitchenMouseTrapItem::kSet);
  EXPECT_EQ(Held(), "none");
  ITimerController* catching = OTimersManager::GetInstance()->GetController("mousetrap");
  EXPECT_EQ(catching->GetState(), ITimerController::kRunning) << "the trap's restart starts it";

  struct Case {
    int32_t saved;
    int32_t state;
  } cases[] = {{OKitchenMouseTrapItem::kSet, OKitchenMouseTrapItem::kCaught},
               {OKitchenMouseTrapItem::kEmpty, OKitchenMouseTrapItem::kEmpty}};
  for (const Case& c : cases) {
    OItemsRegistry::GetInstance()->SetState("snare", c.saved);
    OFlagsRegistry::GetInstance()->SetValue("mouse_caught", "true");
    OKitchenMouseTrapItem* caught = Scene<OKitchenMouseTrapItem>("snare");
    EXPECT_EQ(caught->GetTrapState(), c.state);
    EXPECT_EQ(Flag("mouse_caught"), "false");
    size_t reported = ReportCount();
    EXPECT_TRUE(caught->OnMaskClick(masks[2]));
    EXPECT_EQ(caught->GetTrapState(), c.state) << "nothing to give, nothing changes";
    EXPECT_EQ(Held(), "none");
    EXPECT_EQ(ReportCount(), reported + 1);
  }
}

TEST_F(ReactionItemTest, AChalkMarkNeedsBothValuesOfItsRecord) {
  struct Case {
    std::vector<int32_t> saved;
    bool marked;
  } cases[] = {{{}, false}, {{5}, false}, {{5, 6}, true}};
  for (const Case& c : cases) {
    if (!c.saved.empty()) OItemsRegistry::GetInstance()->SetStates("mark", c.saved);
    OChalkMarkItem* mark = Scene<OChalkMarkItem>("mark");
    EXPECT_EQ(mark->IsMarked(), c.marked) << c.saved.size();
    manager.RemoveItem(mark);
    delete mark;
  }
}

TEST_F(ReactionItemTest, TheChalkMarksOnceWhereThePointerIs) {
  OChalkMarkItem* mark = Scene<OChalkMarkItem>("mark");
  pointer->MoveTo(70, 80);
  Hold("key");
  EXPECT_TRUE(mark->OnMaskClick(masks[3]));
  EXPECT_FALSE(mark->IsMarked()) << "only the chalk marks";
  Hold("gem");
  EXPECT_TRUE(mark->OnMaskClick(masks[3]));
  EXPECT_EQ(Registry("mark"), "70,80");
  EXPECT_EQ(Flag("marked"), "true");
  EXPECT_EQ(Held(), "gem");
  pointer->MoveTo(10, 20);
  mark->OnMaskClick(masks[3]);
  EXPECT_EQ(Registry("mark"), "70,80") << "the first mark stays";
}
}  // namespace
