// The tutorial window's scrolling (by page from the slider, by the Lua
// functions, clamped to the content) and what the tutorial scene answers
// the game panel.

#include "game/GSlidingPanel.h"
#include "game/GTutorialGameScene.h"
#include "game/GTutorialWnd.h"
#include "game/LuaBinding.h"
#include "game/SceneTestUtil.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "sdk/TWindowStyle.h"
#include "tools/panel/GGamePanel.h"
#include "visual/GButton.h"
#include "visual/GVObjectWrapper.h"

namespace {
class TutorialTest : public SceneFixture {
 protected:
  // A tutorial window with a 200-pixel mask over a content of `content`
  // pixels and a slider, as its script builds it; a missing height leaves
  // that child out.
  GTutorialWnd* Window(int mask, int content, bool slider = true) {
    GTutorialWnd* wnd = new GTutorialWnd();
    TWindow* maskWnd = new TWindow();
    maskWnd->SetName("tutorial_mask");
    maskWnd->SetWindowSize(300, mask);
    if (mask > 0) wnd->AdoptChild(maskWnd);
    TWindow* contentWnd = new TWindow();
    contentWnd->SetName("tutorial_content");
    contentWnd->SetWindowSize(300, content);
    if (content > 0)
      maskWnd->AdoptChild(contentWnd);
    else
      delete contentWnd;
    if (mask <= 0) delete maskWnd;
    if (slider) {
      GSlider* s = new GSlider();
      s->SetName("slider");
      s->SetWindowSize(300, 20);
      wnd->AdoptChild(s);
    }
    TWindowStyle style;
    wnd->PostChildrenInit(style);
    mWnd.reset(wnd);
    return wnd;
  }
  int ContentY() const { return mWnd->GetContent() ? mWnd->GetContent()->GetY() : 0; }
  // The slider dragged to `value`.
  int Drag(float value) {
    mWnd->GetSlider()->SetValue(value);
    TMessage moved;
    moved.kind = TMessage::kSliderMoved;
    EXPECT_TRUE(mWnd->OnMessage(moved));
    return ContentY();
  }
  std::unique_ptr<GTutorialWnd> mWnd;
};

TEST_F(TutorialTest, TheSliderSnapsTheTextToWholePages) {
  struct Case {
    int content;
    float value;
    int y;
  } cases[] = {
      {500, 0.1f, 0},
      {500, 0.3f, -200},
      {500, 0.5f, -200},
      // Past the last page: the last page.
      {500, 0.9f, -300},
      {200, 0.9f, 0},
      {120, 0.9f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str::format("content %d, value %g", c.content, c.value));
    Window(200, c.content);
    EXPECT_EQ(Drag(c.value), c.y);
  }
  TMessage other;
  other.kind = TMessage::kButtonPressed;
  EXPECT_FALSE(mWnd->OnMessage(other));
}

TEST_F(TutorialTest, TheLuaFunctionsScrollWithinTheText) {
  GTutorialWnd* wnd = Window(200, 500);
  EXPECT_EQ(LuaBinding::BoundObject("scrollTutorialAbsolute"), wnd);
  EXPECT_EQ(LuaBinding::BoundObject("closeTutorial"), wnd);
  wnd->scrollTutorialAbsolute(-1000);
  EXPECT_EQ(ContentY(), -300);
  wnd->scrollTutorialAbsolute(50);
  EXPECT_EQ(ContentY(), 0);
  wnd->scrollTutorialPercent(0.5f);
  EXPECT_EQ(ContentY(), -150);
  wnd->scrollTutorialDelta(-30);
  EXPECT_EQ(ContentY(), -180);
  EXPECT_FLOAT_EQ(wnd->GetSlider()->GetValue(), 0.6f) << "the share of the way down";
  wnd->scrollTutorialDelta(-1000);
  EXPECT_EQ(ContentY(), -300);
  EXPECT_FLOAT_EQ(wnd->GetSlider()->GetValue(), 1.0f);
  mWnd.reset();
  EXPECT_EQ(LuaBinding::BoundObject("scrollTutorialDelta"), nullptr) << "unbound with the window";
}

TEST_F(TutorialTest, WithoutRoomToScrollTheTextStaysAtItsTop) {
  // As tall as the mask: the slider has no way down and stays at its start.
  GTutorialWnd* wnd = Window(200, 200);
  for (int delta : {50, 0, -50}) {
    wnd->GetSlider()->SetValue(0.5f);
    wnd->scrollTutorialDelta(delta);
    EXPECT_EQ(ContentY(), 0);
    EXPECT_EQ(wnd->GetSlider()->GetValue(), 0.0f) << delta;
  }
  // Without the mask, or the text, nothing moves and nothing breaks.
  for (int mask : {0, 200}) {
    wnd = Window(mask, mask ? 0 : 500);
    wnd->scrollTutorialAbsolute(-100);
    wnd->scrollTutorialDelta(-100);
    wnd->scrollTutorialPercent(0.5f);
    EXPECT_EQ(Drag(0.7f), 0);
  }
}

TEST_F(TutorialTest, TheTutorialSceneLocksCellsAndTheWheel) {
  GTutorialGameScene scene(nullptr, {0, 3});
  EXPECT_FALSE(scene.CanScrollInventory());
  for (int cell = -1; cell < 5; ++cell) EXPECT_EQ(scene.CanUseItem(cell), cell == 0 || cell == 3) << cell;
}

// The lesson's variables gate the use of the practice box; an item of its
// name that is no matches box counts as a box at rest.
TEST_F(TutorialTest, ThePracticeBoxIsUsedOnlyOnceTheLessonAllowsIt) {
  AddToGuide(
      "<living_room_tutorial_matches_box><gvobject name='torch'>anim/</gvobject>"
      "<action flag_name='used' flag_value='true'/></living_room_tutorial_matches_box>");
  TXmlNode tutorial;
  ASSERT_TRUE(
      tutorial.ParseString("<tutorial><allow_to_burn_match_flag name='tut_burn' value='true'/></tutorial>"));
  OGameConfig::GetInstance()->GetGameScreen()->AdoptChild(tutorial.Clone());
  TWindowStyle style;
  GMousePointer::GetInstance()->Init(style);
  GTutorialGameScene scene(nullptr, {});
  scene.SetState(GScene::kActive);
  IItem* box = OItemFactory::CreateForPointer(GTutorialGameScene::kTutorialBox, nullptr);
  ASSERT_NE(box, nullptr);
  box->CreateObject();
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  EXPECT_TRUE(scene.OnExtendedMouseEvent(TPoint(400, 200), 1)) << "taken";
  EXPECT_EQ(flags->GetValue("used"), "null");
  flags->SetValue("tut_burn", "true");
  EXPECT_FALSE(scene.OnExtendedMouseEvent(TPoint(400, 200), 1));
  EXPECT_EQ(flags->GetValue("used"), "true");
}

TEST_F(TutorialTest, TheTopObjectsDrawOverThePanel) {
  GGamePanel panel;
  {
    GTutorialGameScene scene(nullptr, {});
    scene.AttachPanel(&panel);
    const std::vector<TWindow*>& layer = scene.GetPanelLayer()->GetChildren();
    ASSERT_EQ(layer.size(), 2u);
    EXPECT_EQ(layer[0], &panel);
    EXPECT_EQ(layer[1], scene.GetTopWrapper());
    scene.DetachPanel();
    EXPECT_TRUE(scene.GetPanelLayer()->GetChildren().empty());
    scene.AttachPanel(&panel);
  }
  EXPECT_EQ(panel.GetParent(), nullptr) << "the dying scene gives the panel back";
}
}  // namespace
