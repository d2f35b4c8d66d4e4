// The kinds that decorate a scene or run by time: the music item's
// controllers, the particle item's effects and animations, the spark's
// clicks, the timer-action item's schedule, the fire in the hand and the
// anim-save item's first visit.

#include "ItemsTestUtil.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "game/OSoundController.h"
#include "items/OAnimSaveItem.h"
#include "items/OFireMagicItem.h"
#include "items/OItemFactory.h"
#include "items/OMusicItem.h"
#include "items/OParticleItem.h"
#include "items/OSparkItem.h"
#include "items/OTimerActionItem.h"
#include "sdk/TReport.h"
#include "visual/GZInterpolator.h"

namespace {
class TimedAndDecorItemsTest : public ItemsTest {
 protected:
  void TearDown() override {
    // The items go while the shared objects they reach still exist.
    manager.Clear();
    GMousePointer::DestroyInstance();
    ItemsTest::TearDown();
  }
  template <class T>
  T* Make(const char* name) {
    IItem* item = OItemFactory::CreateForScene(name, &manager);
    EXPECT_NE(item, nullptr) << name;
    manager.AddItem(item);
    item->CreateObject();
    return static_cast<T*>(item);
  }
  OItemMask* AddMask(const char* name) {
    OItemMask* mask = new OItemMask(name, nullptr, "", &manager.masks);
    manager.masks.AddMask(mask);
    return mask;
  }
  static str Flag(const char* name) { return OFlagsRegistry::GetInstance()->GetValue(name); }

  RecordingItemsManager manager;
};

TEST_F(TimedAndDecorItemsTest, TheMusicItemPlaysAWaitingControllerOnceItsWaitIsOver) {
  OMusicItem* drips = Make<OMusicItem>("drips");
  const std::vector<OSoundController*>& controllers = drips->GetControllers();
  ASSERT_EQ(controllers.size(), 2u);
  EXPECT_NE(controllers[0]->GetVolumeType(), controllers[1]->GetVolumeType());
  EXPECT_EQ(controllers[0]->GetMode(), OSoundController::kPlaying) << "the loop plays at once";
  controllers[1]->SetPlayMode(OSoundController::kWaiting);  // its "delay" is 3 ticks
  drips->Update();
  EXPECT_EQ(controllers[1]->GetMode(), OSoundController::kWaiting);
  drips->Update();
  EXPECT_EQ(controllers[1]->GetMode(), OSoundController::kPlaying);
  EXPECT_EQ(controllers[0]->GetMode(), OSoundController::kPlaying);
}

TEST_F(TimedAndDecorItemsTest, TheParticleItemLaysItsEffectsAndItsAnimations) {
  OParticleItem* candles = Make<OParticleItem>("candles");
  EXPECT_EQ(candles->GetSprites().size(), 2u);
  ASSERT_EQ(candles->GetAnimations().size(), 1u) << "only the children named \"animation\"";
  EXPECT_EQ(candles->GetAnimations()[0]->GetObject()->GetDrawLists().front(), &candles->GetDrawList());
  candles->Update();
  candles->Draw();
}

TEST_F(TimedAndDecorItemsTest, ASparkTouchedWithAnEmptyHandActsAndShowsItsHit) {
  ReadyPointer();
  OItemMask* glintMask = AddMask("glint_mask");
  OItemMask* flareMask = AddMask("flare_mask");
  size_t reports = ReportCount();
  OSparkItem* glint = Make<OSparkItem>("glint");  // no visual, no action
  OSparkItem* flare = Make<OSparkItem>("flare");  // no hit animation
  EXPECT_EQ(ReportCount(), reports);
  EXPECT_EQ(glint->GetObject(), nullptr);
  EXPECT_EQ(glintMask->GetItem(), glint);
  EXPECT_EQ(flare->GetObject()->deltaX, 3);

  ASSERT_NE(glint->GetHitObject(), nullptr);
  GVObject* hit = glint->GetHitObject()->GetChild("main");
  EXPECT_EQ(hit->GetState().ToStr(), "0");
  EXPECT_EQ(glint->GetHitObject()->deltaX, 5);
  EXPECT_EQ(glint->GetHitObject()->deltaZ, 10) << "in front of the spot";

  EXPECT_FALSE(glint->OnMaskClick(flareMask)) << "another mask";
  EXPECT_EQ(hit->GetState().ToStr(), "0");
  EXPECT_FALSE(glint->OnMaskClick(glintMask)) << "an empty-hand click is not taken";
  EXPECT_EQ(hit->GetState().ToStr(), "1");
  EXPECT_FALSE(flare->OnMaskClick(flareMask));
  EXPECT_EQ(Flag("flared"), "true");

  // With an item for which no rule names the spot: taken, nothing happens.
  IItem* gem = OItemFactory::CreateForPointer("gem", &manager);
  gem->CreateObject();
  OFlagsRegistry::GetInstance()->SetValue("flared", "false");
  EXPECT_TRUE(flare->OnMaskClick(flareMask));
  EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), gem);
  EXPECT_EQ(Flag("flared"), "false");
}

TEST_F(TimedAndDecorItemsTest, ASparkWhoseMaskIsMissingLinksNothingAndSaysSo) {
  size_t reports = ReportCount();
  OSparkItem* glint = Make<OSparkItem>("glint");
  EXPECT_EQ(glint->GetMask(), nullptr);
  EXPECT_EQ(ReportCount() - reports, 1u);
}

// Ticks 2 (twice), 0, -1, an action nobody knows, and 4.
TEST_F(TimedAndDecorItemsTest, TheTimerRunsEachActionOnItsTickInDocumentOrder) {
  size_t reports = ReportCount();
  OTimerActionItem* clock = Make<OTimerActionItem>("clock");
  EXPECT_EQ(ReportCount() - reports, 1u) << "the unknown action";
  EXPECT_EQ(clock->GetEntries().size(), 5u);
  EXPECT_EQ(clock->GetEndTick(), 5);
  struct Step {
    const char* clock;
    const char* late;
  } steps[] = {{"null", "null"}, {"second", "null"}, {"second", "null"}, {"second", "true"}};
  for (const Step& s : steps) {
    clock->Update();
    EXPECT_EQ(Flag("clock"), s.clock) << clock->GetCounter();
    EXPECT_EQ(Flag("late"), s.late) << clock->GetCounter();
  }
  const std::vector<str>& events = Events();
  EXPECT_EQ(std::count(events.begin(), events.end(), "flag clock=first"), 1);
  OFlagsRegistry::GetInstance()->SetValue("late", "reset");
  for (int i = 0; i < 10; ++i) clock->Update();
  EXPECT_EQ(clock->GetCounter(), 6) << "it stops one past the end tick";
  EXPECT_EQ(Flag("late"), "reset") << "nothing runs twice";
  EXPECT_EQ(Flag("never"), "null") << "ticks of 0 and less never come";
}

TEST_F(TimedAndDecorItemsTest, ATickAtTheTopOfTheIntRangeIsHeldBelowIt) {
  std::unique_ptr<TXmlNode> node(new TXmlNode());
  const char* const text =
      "<late type='timer_action'><actions>"
      "<a action_execute_tick='2147483647' flag_name='late' flag_value='true'/></actions></late>";
  ASSERT_TRUE(node->ParseString(text));
  size_t reports = ReportCount();
  std::unique_ptr<IItem> item(OTimerActionItem::CreateForScene("late", node.get(), &manager));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(ReportCount() - reports, 1u);
  EXPECT_EQ(static_cast<OTimerActionItem*>(item.get())->GetEndTick(), 100000001);
}

// "blaze" burns 3 ticks. It goes on from the count the registry keeps, only
// when there is one; then gives back the item held before, if any.
TEST_F(TimedAndDecorItemsTest, TheFireBurnsItsTicksThenGivesBackWhatWasHeld) {
  GMousePointer* pointer = ReadyPointer();
  struct Case {
    std::vector<int32_t> saved;  // "none": no entry
    bool hasEntry;
    const char* savedItem;
    int ticks;
    const char* heldAfter;
    size_t reports;
  } cases[] = {
      {{}, false, "gem", 4, "gem", 0}, {{2}, true, "gem", 2, "gem", 0},         {{}, true, "null", 4, "", 0},
      {{9, 1}, true, "", 1, "", 0},    {{}, false, "nothing_at_all", 4, "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.savedItem);
    OItemsRegistry::GetInstance()->Clear();
    if (c.hasEntry) OItemsRegistry::GetInstance()->SetStates("blaze", c.saved);
    OFlagsRegistry::GetInstance()->SetValue("__fire_magic_saved_item", c.savedItem);
    IItem* fire = OItemFactory::CreateForPointer("blaze", &manager);
    fire->CreateObject();
    pointer->HoldItem(fire);
    OFlagsRegistry::GetInstance()->SetValue("blaze_on", "true");
    for (int i = 1; i < c.ticks; ++i) pointer->GetManager()->Tick();
    EXPECT_EQ(pointer->GetHeldItem(), fire);
    EXPECT_EQ(Flag("blaze_on"), "true");
    size_t reports = ReportCount();
    pointer->GetManager()->Tick();
    EXPECT_EQ(Flag("blaze_on"), "false");
    EXPECT_EQ(ReportCount() - reports, c.reports);
    IItem* held = pointer->GetHeldItem();
    EXPECT_EQ(held ? held->GetName() : str(), c.heldAfter);
    pointer->GetManager()->DeleteHeldItem();
  }
}

TEST_F(TimedAndDecorItemsTest, TheFireUsedGoesOutOnTheNextTick) {
  GMousePointer* pointer = ReadyPointer();
  OFlagsRegistry::GetInstance()->SetValue("__fire_magic_saved_item", "gem");
  OFireMagicItem* fire = static_cast<OFireMagicItem*>(OItemFactory::CreateForPointer("blaze", &manager));
  EXPECT_EQ(fire->GetFlagName(), "blaze_on");
  fire->CreateObject();
  pointer->HoldItem(fire);
  EXPECT_FALSE(fire->CanBeDropped() || fire->CanBeStored() || fire->CanBeReturned());
  EXPECT_TRUE(fire->Use(TPoint(0, 0)));
  fire->SaveState();
  EXPECT_EQ(Registry("blaze"), "3");
  pointer->GetManager()->Tick();
  EXPECT_EQ(pointer->GetHeldItem()->GetName(), "gem");
}

// Any entry the registry holds for it, whatever its values, is a visit.
TEST_F(TimedAndDecorItemsTest, TheAnimSaveItemPlaysOnlyOnTheFirstVisit) {
  struct Case {
    bool hasEntry;
    std::vector<int32_t> saved;
    const char* shown;
  } cases[] = {{false, {}, "0"}, {true, {0}, "1"}, {true, {}, "1"}, {true, {5, 7}, "1"}};
  for (const Case& c : cases) {
    OItemsRegistry::GetInstance()->Clear();
    if (c.hasEntry) OItemsRegistry::GetInstance()->SetStates("hinge", c.saved);
    OAnimSaveItem* hinge = Make<OAnimSaveItem>("hinge");
    EXPECT_EQ(hinge->GetMainObject()->GetState().ToStr(), c.shown);
    EXPECT_EQ(Registry("hinge"), c.shown) << "written at once";
    EXPECT_EQ(hinge->GetObject()->deltaY, 8);
    manager.RemoveItem(hinge);
    delete hinge;
  }
  OAnimSaveItem* hinge = Make<OAnimSaveItem>("hinge");
  hinge->SetAnimState(7);
  EXPECT_EQ(hinge->GetMainObject()->GetState().ToStr(), "1") << "an unknown state only is kept";
  EXPECT_EQ(hinge->GetAnimState(), 7);
}
}  // namespace
