// The hints manager: its queue and what it owns, guide hints on game events,
// its saved section, and the three hint windows built from their scripts.

#include <memory>
#include <vector>

#include "HintTestUtil.h"
#include "rules/hints/GAutoDeleteHint.h"
#include "rules/hints/GBigHint.h"
#include "rules/hints/GSmallHint.h"
#include "rules/hints/OHint.h"
#include "rules/hints/OSimpleHint.h"
#include "rules/timers/OTimerControllerHintInfo.h"
#include "sdk/TReport.h"
#include "sdk/TText.h"
#include "visual/LuaUtils.h"

namespace {
// A hint that counts its deletion.
struct CountedHint : IHint {
  CountedHint(int* deleted, bool owned, int kind = IHint::kSmallHint, const str& after = str())
      : IHint(after, owned, kind), mDeleted(deleted) {}
  ~CountedHint() override { ++*mDeleted; }
  str GetText() const override { return "counted"; }
  int* mDeleted;
};

str ShownText() {
  IGHint* window = OHintsManager::GetInstance()->GetShownWindow();
  if (!window) return "(none)";
  if (GSmallHint* small = WindowCast<GSmallHint>(window))
    return small->GetTextChild() ? small->GetTextChild()->GetText() : "(no text)";
  GBigHint* big = WindowCast<GBigHint>(window);
  return big && big->GetTextChild() ? big->GetTextChild()->GetText() : "(no text)";
}

void ClickAway(IGHint* window) {
  window->OnMouseDown(TPoint(5, 5));
  window->OnMouseUp(TPoint(5, 5));
}
}  // namespace

TEST_F(HintTest, QueueShowsOneWindowAtATimeAndDeletesOnlyWhatItOwns) {
  HintTestScene scene;
  Hints()->AttachScene(&scene);
  int ownedDeleted = 0, keptDeleted = 0;
  CountedHint* kept = new CountedHint(&keptDeleted, false);
  Hints()->QueueHint(new OSimpleHint("coin_text", "", true, IHint::kSmallHint));
  Hints()->QueueHint(kept);
  Hints()->QueueHint(new CountedHint(&ownedDeleted, true));

  Hints()->Update();
  IGHint* first = Hints()->GetShownWindow();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetParent(), scene.GetLayer());
  EXPECT_EQ("A coin.", ShownText());  // looked up through the string table
  EXPECT_EQ(1, scene.pauses);
  EXPECT_EQ(2u, Hints()->GetQueue().size());

  Hints()->Update();  // still open: the next one waits
  EXPECT_EQ(first, Hints()->GetShownWindow());

  // Closed by a click: on the next tick the window goes and the next opens.
  ClickAway(first);
  EXPECT_EQ(1, scene.resumes);
  EXPECT_FALSE(first->GetParent());
  Hints()->Update();
  ASSERT_TRUE(Hints()->GetShownWindow());
  EXPECT_EQ("counted", ShownText());
  EXPECT_EQ(0, keptDeleted);  // not the queue's: it stays alive
  EXPECT_EQ(2, scene.pauses);

  // Queued again by its owner, it shows again.
  ClickAway(Hints()->GetShownWindow());
  Hints()->Update();
  EXPECT_EQ(1, ownedDeleted);  // the queue's: deleted once its window opened
  Hints()->QueueHint(kept);
  ClickAway(Hints()->GetShownWindow());
  Hints()->Update();
  EXPECT_EQ("counted", ShownText());
  EXPECT_EQ(0, keptDeleted);

  // The manager frees the owned hints still waiting, never the others.
  int waitingDeleted = 0;
  Hints()->QueueHint(new CountedHint(&waitingDeleted, true));
  Hints()->QueueHint(kept);
  OHintsManager::DestroyInstance();
  EXPECT_EQ(1, waitingDeleted);
  EXPECT_EQ(0, keptDeleted);
  delete kept;
}

TEST_F(HintTest, HintsWaitForASceneAndANewSceneDropsTheOpenWindow) {
  Hints()->QueueHint(new OSimpleHint("coin_text", "mark", true, IHint::kSmallHint));
  Hints()->Update();  // between scenes: nothing opens
  EXPECT_FALSE(Hints()->GetShownWindow());
  EXPECT_EQ(1u, Hints()->GetQueue().size());

  HintTestScene first;
  Hints()->AttachScene(&first);
  Hints()->Update();
  ASSERT_TRUE(Hints()->GetShownWindow());

  // The next scene arrives while the window is open: it is dropped without
  // resuming anything or running its after-close action.
  HintTestScene second;
  Hints()->AttachScene(&second);
  EXPECT_FALSE(Hints()->GetShownWindow());
  EXPECT_EQ(0, first.resumes + second.resumes);
  EXPECT_EQ("null", Flag("closed"));  // never set
  EXPECT_EQ(0u, first.GetLayer()->GetChildren().size());
  Hints()->DetachScene();
  EXPECT_FALSE(Hints()->GetScene());
}

TEST_F(HintTest, GuideHintsFireOnceOrEveryTimeAfterTheirResults) {
  HintTestScene scene;
  Hints()->AttachScene(&scene);
  ASSERT_EQ(3u, Hints()->GetHints().size());
  OHint* once = Hints()->FindHint("once");
  OHint* every = Hints()->FindHint("every");
  OHint* noted = Hints()->FindHint("noted");
  ASSERT_TRUE(once && every && noted);
  EXPECT_TRUE(once->IsOnce());
  EXPECT_FALSE(every->IsOnce());
  EXPECT_TRUE(noted->IsOnce());
  EXPECT_EQ(IHint::kSmallHint, once->GetKind());
  EXPECT_EQ(IHint::kAutoDeleteHint, every->GetKind());
  EXPECT_EQ(IHint::kBigHint, noted->GetKind());
  EXPECT_EQ("mark", once->GetAfterCloseAction());
  EXPECT_FALSE(once->IsDeleteAfterShowing());

  struct Step {
    const char* item;
    size_t queued;  // queue length afterwards
  } steps[] = {{"coin", 1}, {"coin", 1}, {"feather", 2}, {"feather", 3}, {"stone", 3}, {"coin", 3}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.item);
    std::unique_ptr<TXmlNode> event = Parse(str("<event type='item_get' item_id='") + s.item + "'/>");
    Hints()->OnEvent(event.get());
    EXPECT_EQ(s.queued, Hints()->GetQueue().size());
  }
  EXPECT_TRUE(once->IsCompleted());
  EXPECT_FALSE(every->IsCompleted());  // open again for the next time

  // Results run first: the variable is set when the hint reaches the queue.
  std::unique_ptr<TXmlNode> shell = Parse("<event type='item_get' item_id='shell'/>");
  Hints()->OnEvent(shell.get());
  EXPECT_EQ("true", Flag("shell_seen"));
  ASSERT_EQ(4u, Hints()->GetQueue().size());
  EXPECT_EQ(static_cast<IHint*>(noted), Hints()->GetQueue().back());
}

TEST_F(HintTest, SaveAndLoadPairGuideHintsByPosition) {
  std::unique_ptr<TXmlNode> coin = Parse("<event type='item_get' item_id='coin'/>");
  Hints()->OnEvent(coin.get());
  TXmlNode slot("save");
  Hints()->Save(&slot);
  TXmlNode* section = slot.GetChild("hints_manager");
  ASSERT_TRUE(section);
  ASSERT_EQ(3u, section->GetChildCount());
  EXPECT_EQ("hint", section->GetChildAt(0)->GetName());
  EXPECT_EQ("true", section->GetChildAt(0)->GetAttribute("completed"));
  EXPECT_EQ("false", section->GetChildAt(1)->GetAttribute("completed"));

  // A new game opens everything and keeps the queue.
  size_t queued = Hints()->GetQueue().size();
  Hints()->ResetHints();
  EXPECT_FALSE(Hints()->FindHint("once")->IsCompleted());
  EXPECT_EQ(queued, Hints()->GetQueue().size());

  struct Case {
    const char* section;
    bool onceCompleted, nodedCompleted;
  } cases[] = {
      {"<save>(saved)</save>", true, false},
      // Extra children are ignored.
      {"<save><hints_manager><hint completed='false'/><hint completed='false'/><hint completed='true'/>"
       "<hint completed='true'/><hint completed='true'/></hints_manager></save>",
       false, true},
      // Missing ones leave their hints reset.
      {"<save><hints_manager><hint completed='true'/></hints_manager></save>", true, false},
      // No section, an empty one, a child that is no hint at all: no crash.
      {"<save/>", false, false},
      {"<save><hints_manager/></save>", false, false},
      {"<save><hints_manager><junk><deeper/></junk></hints_manager></save>", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.section);
    Hints()->OnEvent(Parse("<event type='item_get' item_id='shell'/>").get());  // something to undo
    std::unique_ptr<TXmlNode> save =
        str(c.section) == "<save>(saved)</save>" ? slot.Clone() : Parse(c.section);
    Hints()->Load(save.get());
    EXPECT_EQ(c.onceCompleted, Hints()->FindHint("once")->IsCompleted());
    EXPECT_EQ(c.nodedCompleted, Hints()->FindHint("noted")->IsCompleted());
  }
  EXPECT_LT(queued, Hints()->GetQueue().size());  // loading never empties the queue
}

TEST_F(HintTest, SmallHintClosesOnAPressAndItsReleaseThenRunsItsActionWithoutAnOwner) {
  HintTestScene scene;
  Hints()->AttachScene(&scene);
  Hints()->QueueHint(new OSimpleHint("coin_text", "mark", true, IHint::kSmallHint));
  Hints()->Update();
  IGHint* window = Hints()->GetShownWindow();
  ASSERT_TRUE(WindowCast<GSmallHint>(window));
  EXPECT_FALSE(WindowCast<GAutoDeleteHint>(window));

  EXPECT_TRUE(window->OnMouseUp(TPoint(5, 5)));  // the end of an earlier click
  EXPECT_TRUE(window->GetParent());
  EXPECT_TRUE(window->OnExtendedMouseEvent(TPoint(5, 5), 0));  // not armed
  EXPECT_TRUE(window->OnExtendedMouseEvent(TPoint(5, 5), 7));
  EXPECT_TRUE(window->GetParent());
  // No game window, so no masks manager: the action still runs, unowned.
  EXPECT_TRUE(window->OnExtendedMouseEvent(TPoint(5, 5), 1));
  EXPECT_TRUE(window->OnExtendedMouseEvent(TPoint(5, 5), 0));
  EXPECT_FALSE(window->GetParent());
  EXPECT_EQ(1, scene.resumes);
  EXPECT_EQ("yes", Flag("closed"));
  ClickAway(window);  // closed already: nothing runs twice
  EXPECT_EQ(1, scene.resumes);
  Hints()->Update();
  EXPECT_FALSE(Hints()->GetShownWindow());

  // An empty after-close action only resumes.
  OFlagsRegistry::GetInstance()->SetValue("closed", "no");
  Hints()->QueueHint(new OSimpleHint("coin_text", "", true, IHint::kSmallHint));
  Hints()->Update();
  ClickAway(Hints()->GetShownWindow());
  EXPECT_EQ(2, scene.resumes);
  EXPECT_EQ("no", Flag("closed"));
}

TEST_F(HintTest, AutoDeleteHintClosesAfterItsTicksOrOnAClick) {
  HintTestScene scene;
  Hints()->AttachScene(&scene);
  Hints()->QueueHint(new OSimpleHint("feather_text", "", true, IHint::kAutoDeleteHint));
  Hints()->Update();
  GAutoDeleteHint* window = WindowCast<GAutoDeleteHint>(Hints()->GetShownWindow());
  ASSERT_TRUE(window);
  EXPECT_EQ(100, window->GetAutoDeleteTicks());
  EXPECT_EQ("A feather.", ShownText());
  for (int i = 0; i < 100; ++i) Hints()->Update();
  EXPECT_TRUE(window->GetParent());
  Hints()->Update();  // the 101st tick closes it and the manager lets it go
  EXPECT_FALSE(Hints()->GetShownWindow());
  EXPECT_EQ(1, scene.resumes);

  Hints()->QueueHint(new OSimpleHint("feather_text", "", true, IHint::kAutoDeleteHint));
  Hints()->Update();
  ClickAway(Hints()->GetShownWindow());
  Hints()->Update();
  EXPECT_FALSE(Hints()->GetShownWindow());
  EXPECT_EQ(2, scene.resumes);
}

TEST_F(HintTest, BigHintSlidesInWaitsForOkSlidesOutAndUnbindsItsLuaName) {
  HintTestScene scene;
  Hints()->AttachScene(&scene);
  Hints()->QueueHint(new OSimpleHint("coin_text", "after_big", true, IHint::kBigHint));
  Hints()->Update();
  GBigHint* big = WindowCast<GBigHint>(Hints()->GetShownWindow());
  ASSERT_TRUE(big);
  ASSERT_TRUE(big->GetPart());
  EXPECT_EQ("A coin.", ShownText());
  EXPECT_EQ(30, big->GetShowTicks());

  // Tick t of the window (its first is the one after it opened).
  std::vector<int> ys;
  for (int t = 1; t <= 62; ++t) {
    if (t == 45) {
      EXPECT_TRUE(Lua("onHintOkClick()"));  // while sliding in: nothing
    }
    Hints()->Update();
    ys.push_back(big->GetPart()->GetY());
  }
  for (int t = 1; t <= 30; ++t) EXPECT_EQ(600, ys[t - 1]) << t;
  for (int c = 1; c <= 30; ++c) EXPECT_EQ(600 - 200 * c / 30, ys[30 + c - 1]) << c;
  EXPECT_EQ(400, ys[61]);
  EXPECT_EQ(GBigHint::kShown, big->GetState());

  ASSERT_TRUE(Lua("onHintOkClick()"));
  EXPECT_EQ(GBigHint::kSlidingOut, big->GetState());
  for (int c = 1; c <= 30; ++c) {
    Hints()->Update();
    EXPECT_EQ(600 - 200 * (30 - c) / 30, big->GetPart()->GetY()) << c;
  }
  EXPECT_EQ(GBigHint::kClosing, big->GetState());
  EXPECT_EQ(0, scene.resumes);
  // The closing tick: resumed, the big window deleted, and the hint its
  // action queued opens in the same tick.
  Hints()->Update();
  EXPECT_EQ(1, scene.resumes);
  EXPECT_TRUE(Hints()->GetQueue().empty());
  EXPECT_TRUE(LuaGlobalIsNil("onHintOkClick"));
  EXPECT_FALSE(Lua("onHintOkClick()"));
  EXPECT_TRUE(WindowCast<GSmallHint>(Hints()->GetShownWindow()));
}

TEST_F(HintTest, AHintWithoutAWindowIsDroppedAndTheSceneGoesOn) {
  TPlatform::SetContentRoot(HintFixturesDir("hints_broken"));
  Reset();
  HintTestScene scene;
  Hints()->AttachScene(&scene);
  int deleted = 0;
  int kinds[] = {IHint::kSmallHint, IHint::kAutoDeleteHint};
  for (int kind : kinds) {
    SCOPED_TRACE(kind);
    size_t reports = ReportCount();
    Hints()->QueueHint(new CountedHint(&deleted, true, kind));
    Hints()->Update();
    EXPECT_FALSE(Hints()->GetShownWindow());
    EXPECT_TRUE(Hints()->GetQueue().empty());
    EXPECT_LT(reports, ReportCount());  // said on stderr
  }
  EXPECT_EQ(2, deleted);
  EXPECT_EQ(0, scene.pauses);
  EXPECT_FALSE(scene.IsPaused());

  // With 0 show ticks every phase of the big hint takes one tick.
  Hints()->QueueHint(new CountedHint(&deleted, true, IHint::kBigHint));
  Hints()->Update();
  GBigHint* big = WindowCast<GBigHint>(Hints()->GetShownWindow());
  ASSERT_TRUE(big);
  EXPECT_EQ(1, big->GetShowTicks());
  Hints()->Update();
  Hints()->Update();
  EXPECT_EQ(GBigHint::kShown, big->GetState());
  EXPECT_EQ(400, big->GetPart()->GetY());
  big->OnOkClick();
  Hints()->Update();
  Hints()->Update();
  Hints()->Update();
  EXPECT_FALSE(Hints()->GetShownWindow());
  EXPECT_EQ(1, scene.resumes);
}

TEST_F(HintTest, AGuideUnderAnotherTopElementGivesNoHintsAndSaysSo) {
  TPlatform::SetContentRoot(HintFixturesDir("hints_broken"));
  Reset();
  OGameConfig::GetInstance();  // its own messages are not the guide's
  size_t reports = ReportCount();
  EXPECT_TRUE(Hints()->GetHints().empty());
  EXPECT_EQ(reports + 1, ReportCount());
}

TEST_F(HintTest, TimerHintsShowTheirTextAsItIsAndStayTheirControllers) {
  HintTestScene scene;
  Hints()->AttachScene(&scene);
  OTimerControllerHintInfo timed("Breathe!", "mark", 5000);
  EXPECT_FALSE(timed.IsDeleteAfterShowing());
  Hints()->QueueHint(&timed);
  Hints()->Update();
  EXPECT_EQ("Breathe!", ShownText());  // no string-table look-up
  ClickAway(Hints()->GetShownWindow());
  EXPECT_EQ("yes", Flag("closed"));
  Hints()->QueueHint(&timed);  // due again: shown again, never freed by the queue
  Hints()->Update();
  EXPECT_EQ("Breathe!", ShownText());
}
