// The dialog: its panel's slide in and out, the figure falling silent
// after the interlocutor's phrases, the clicks it takes, and what it gives
// at the end.

#include "ItemsTestUtil.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/ODialogItem.h"
#include "items/OItemFactory.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TText.h"
#include "tools/GFrontItemHolder.h"

namespace {
class DialogItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    pointer = ReadyPointer()->GetManager();
    clickMask = new OItemMask("all_scene", nullptr, "", &manager.masks);
    manager.masks.AddMask(clickMask);
  }
  void TearDown() override {
    if (dialog) dialog->Detach();
    delete dialog;
    GMousePointer::DestroyInstance();
    ItemsTest::TearDown();
  }
  // The fixture's dialog of that name, its figure created, for the windows
  // of this test.
  ODialogItem* Make(const str& name) {
    dialog = ODialogItem::CreateFromXml(name, OItemFactory::FindGuideNode(name), &manager, &layer, &holder);
    dialog->CreateObject();
    return dialog;
  }
  str Figure() const { return dialog->GetMainObject()->GetState().ToStr(); }
  // Updates until the talk, the panel's y after each update of the slide.
  std::vector<int> SlideIn() {
    std::vector<int> ys;
    while (dialog->GetPhase() != ODialogItem::kTalking) {
      dialog->Update();
      if (dialog->GetPhase() != ODialogItem::kWaiting) ys.push_back(dialog->GetBackgroundImage()->GetY());
    }
    return ys;
  }

  RecordingItemsManager manager;
  TWindow layer;
  GFrontItemHolder holder;
  OMousePointerManager* pointer = nullptr;
  OItemMask* clickMask = nullptr;
  ODialogItem* dialog = nullptr;
};

TEST_F(DialogItemTest, ThePanelSlidesFromAboveTheScreenToItsPlaceAndBack) {
  Make("talk");
  TImage* panel = dialog->GetBackgroundImage();
  ASSERT_EQ(panel->GetParent(), &layer);
  EXPECT_EQ(panel->GetY(), -10) << "wholly above the screen's top";
  EXPECT_FALSE(dialog->GetObject()->visible);
  dialog->Update();
  EXPECT_EQ(dialog->GetPhase(), ODialogItem::kWaiting) << "the start delay is 2 updates";

  // c = 0 .. 4 of a slide of 4 from y -10 to 40, truncated: the start, then
  // one position per update, the last at the place "bg" gives.
  std::vector<int> in = SlideIn();
  EXPECT_EQ(in, (std::vector<int>{-10, 2, 15, 27, 40}));
  EXPECT_EQ(panel->GetX(), 30);
  EXPECT_TRUE(dialog->GetObject()->visible);
  EXPECT_EQ(dialog->GetInterlocutorText()->GetText(), "hello");

  for (int i = 0; i < 3; ++i) dialog->OnMaskClick(clickMask);
  ASSERT_EQ(dialog->GetPhase(), ODialogItem::kSlidingOut);
  EXPECT_EQ(panel->GetY(), 40);
  std::vector<int> out;
  while (dialog->GetPhase() != ODialogItem::kFinished) {
    dialog->Update();
    out.push_back(panel->GetY());
  }
  EXPECT_EQ(out, (std::vector<int>{27, 15, 2, -10}));
  EXPECT_FALSE(dialog->GetObject()->visible);
}

TEST_F(DialogItemTest, OnlyTheInterlocutorFallsSilentOnTheUpdateAfterItsDelay) {
  Make("talk");
  SlideIn();
  struct Case {
    const char* text;
    int silentOn;                                        // the update that makes it silent; 0 never
  } cases[] = {{"hello", 5}, {"reply", 0}, {"bye", 4}};  // delays 4, mine, the default 3
  for (const Case& c : cases) {
    bool mine = dialog->GetPlayerText()->GetText() == c.text;
    EXPECT_EQ(mine ? dialog->GetPlayerText()->GetText() : dialog->GetInterlocutorText()->GetText(), c.text);
    EXPECT_EQ(Figure(), "talk") << c.text;
    int silentOn = 0;
    for (int update = 1; update <= 20 && !silentOn; ++update) {
      dialog->Update();
      if (Figure() == "silent") silentOn = update;
    }
    EXPECT_EQ(silentOn, c.silentOn) << c.text;
    dialog->OnMaskClick(clickMask);
  }
}

TEST_F(DialogItemTest, ItTakesClicksOnItsMaskOnlyAndAdvancesOnlyWhileTalking) {
  Make("talk");
  OItemMask other("elsewhere", nullptr, "", &manager.masks);
  EXPECT_FALSE(dialog->OnMaskClick(&other));
  EXPECT_TRUE(dialog->OnMaskClick(clickMask)) << "taken while waiting";
  dialog->Update();
  dialog->Update();
  EXPECT_TRUE(dialog->OnMaskClick(clickMask)) << "taken while sliding";
  EXPECT_EQ(dialog->GetCurrentPhrase(), -1);
  SlideIn();
  EXPECT_EQ(dialog->GetCurrentPhrase(), 0);
  EXPECT_FALSE(dialog->OnMaskClick(&other));
  EXPECT_EQ(dialog->GetCurrentPhrase(), 0);
  EXPECT_TRUE(dialog->OnMaskClick(clickMask));
  EXPECT_EQ(dialog->GetCurrentPhrase(), 1);
  EXPECT_EQ(dialog->GetInterlocutorText()->GetText(), "");
}

TEST_F(DialogItemTest, TheLastClickReplacesTheHeldItemWithTheResult) {
  IItem* key = OItemFactory::CreateForPointer("key", &manager);
  key->CreateObject();
  pointer->HoldItem(key);
  Make("talk");
  SlideIn();
  dialog->OnMaskClick(clickMask);
  dialog->OnMaskClick(clickMask);
  EXPECT_EQ(pointer->GetHeldItem()->GetName(), "key");
  dialog->OnMaskClick(clickMask);
  ASSERT_NE(pointer->GetHeldItem(), nullptr);
  EXPECT_EQ(pointer->GetHeldItem()->GetName(), "gem") << "the key is deleted, not given back";
  EXPECT_EQ(Registry("gem"), "1");
  EXPECT_EQ(dialog->GetPlayerText()->GetText(), "");
  EXPECT_EQ(dialog->GetInterlocutorText()->GetText(), "");
}

TEST_F(DialogItemTest, ASlideShorterThanOneUpdateTakesOneAndNoPhrasesEndTheTalkAtOnce) {
  size_t reported = ReportCount();
  Make("hasty");
  EXPECT_EQ(ReportCount(), reported + 1);
  EXPECT_EQ(dialog->GetSlideLength(), 1);
  dialog->Update();
  EXPECT_EQ(dialog->GetPhase(), ODialogItem::kSlidingIn) << "no start delay: it slides at once";
  dialog->Update();
  EXPECT_EQ(dialog->GetPhase(), ODialogItem::kSlidingOut) << "no phrase to show";
  dialog->Update();
  EXPECT_EQ(dialog->GetPhase(), ODialogItem::kFinished);
}

TEST_F(DialogItemTest, DetachTakesItsWindowsOutOfTheScenesAndItsMaskLink) {
  Make("talk");
  SlideIn();
  ASSERT_EQ(clickMask->GetItem(), dialog);
  EXPECT_EQ(holder.GetChildren().size(), 3u) << "bubbles, then the two texts";
  dialog->Detach();
  EXPECT_TRUE(holder.GetChildren().empty());
  EXPECT_TRUE(layer.GetChildren().empty());
  EXPECT_EQ(clickMask->GetItem(), nullptr);
}
}  // namespace
