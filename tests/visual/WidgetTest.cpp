#include <gtest/gtest.h>

#include <cmath>

#include "VisualTestUtil.h"
#include "sdk/TEvent.h"
#include "sdk/TImage.h"
#include "sdk/TModalWindow.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "visual/GButton.h"
#include "visual/GInteractiveButton.h"
#include "visual/GVObject.h"
#include "visual/GVObjectWrapper.h"
#include "visual/TProgressBar.h"

namespace {
class Widgets : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessRenderer();
    savedRoot = TPlatform::GetContentRoot();
    // The widgets read "xml/" and "anim/" under the content root.
    TPlatform::SetContentRoot(savedRoot + "/visual");
    wm = TWindowManager::GetInstance();
    wm->AddWindowType("GButton", &GButton::Create);
    wm->AddWindowType("GSlider", &GSlider::Create);
    wm->AddWindowType("GInteractiveButton", &GInteractiveButton::Create);
    wm->AddWindowType("GVObjectWrapper", &GVObjectWrapper::Create);
    wm->AddWindowType("GVLuaObject", &GVLuaObject::Create);
    wm->AddWindowType("TProgressBar", &TProgressBar::Create);
    root = new TModalWindow();
    root->SetName("widgets_root");
    root->SetWindowSize(800, 600);
    wm->PushModal(root);
  }
  void TearDown() override {
    wm->PopModal(root);
    wm->DeletePending();
    TPlatform::SetContentRoot(savedRoot);
  }
  template <class T>
  T* Build(const str& code, const char* name) {
    EXPECT_TRUE(wm->DoLuaString(root, code));
    TWindow* w = root->GetChildWindow(name);
    return w && w->IsKindOf(T::ClassId()) ? static_cast<T*>(w) : nullptr;
  }
  void Mouse(uint32_t type, int x, int y) {
    TEvent e;
    e.type = type;
    e.point = TPoint(float(x), float(y));
    wm->HandleEvent(e);
  }
  TWindowManager* wm = nullptr;
  TModalWindow* root = nullptr;
  str savedRoot;
};

class HoverButton : public GButton {
  TWINDOW_CLASS(HoverButton, GButton)
 public:
  void OnMouseLeave() override {
    ++leaves;
    GButton::OnMouseLeave();
  }
  int leaves = 0;
};
}  // namespace

TEST_F(Widgets, ButtonAndSliderReportMovesAsNotTaken) {
  auto* b = Build<GButton>("Window{type='GButton', name='b', x=10, y=10, w=50, h=20}", "b");
  ASSERT_TRUE(b);
  EXPECT_FALSE(b->OnMouseMove(TPoint(5, 5)));
  EXPECT_FALSE(b->OnMouseDown(TPoint(5, 5)));
  EXPECT_TRUE(b->IsHeld());
  auto* s = Build<GSlider>("Window{type='GSlider', name='s', x=10, y=40, w=100, h=10}", "s");
  ASSERT_TRUE(s);
  EXPECT_FALSE(s->OnMouseMove(TPoint(50, 5)));
}

TEST_F(Widgets, InteractiveButtonSwapsItsChildren) {
  wm->AddWindowType("HoverButton", &HoverButton::Create);
  auto* ib = Build<GInteractiveButton>(
      "Window{type='GInteractiveButton', name='ib', x=0, y=0, w=96, h=32,"
      " {type='HoverButton', name='button', w=96, h=32},"
      " {type='TImage', name='disabled_image', w=96, h=32}}",
      "ib");
  ASSERT_TRUE(ib);
  auto* button = static_cast<HoverButton*>(ib->GetButton());
  ASSERT_TRUE(button && ib->GetDisabledImage());
  EXPECT_FALSE(ib->IsEnabled());
  EXPECT_EQ(nullptr, button->GetParent());
  EXPECT_EQ(ib, ib->GetDisabledImage()->GetParent());
  ib->SetEnabled(true);
  EXPECT_EQ(ib, button->GetParent());
  EXPECT_EQ(nullptr, ib->GetDisabledImage()->GetParent());
  int before = button->leaves;
  ib->SetEnabled(true);  // the same value re-adopts the same child
  EXPECT_EQ(ib, button->GetParent());
  ib->SetEnabled(false);
  EXPECT_EQ(before + 2, button->leaves);
  EXPECT_EQ(nullptr, button->GetParent());

  auto* lonely =
      Build<GInteractiveButton>("Window{type='GInteractiveButton', name='lonely', w=10, h=10}", "lonely");
  ASSERT_TRUE(lonely);
  lonely->SetEnabled(true);
  lonely->SetEnabled(false);
  EXPECT_TRUE(lonely->GetChildren().empty());
}

TEST_F(Widgets, LuaObjectShowsItsObjectRotated) {
  auto* w = Build<GVLuaObject>(
      "Window{type='GVLuaObject', name='lo', w=100, h=100, gvobject_name='strip', gvobject_state='done',"
      " dx=12, dy=7, rotation=90}",
      "lo");
  ASSERT_TRUE(w);
  GVObject* o = w->GetObject();
  ASSERT_TRUE(o);
  EXPECT_EQ(TState::FromStr("done"), o->GetState());
  EXPECT_EQ(12.f, o->deltaX);
  EXPECT_EQ(7.f, o->deltaY);
  EXPECT_TRUE(w->GetDrawList().Contains(o));
  EXPECT_FLOAT_EQ(float(90 * 3.14 / 180), w->GetRotation());
  w->DoDraw();
  EXPECT_FLOAT_EQ(1.57f, o->GetEffective().rotate);

  auto* none = Build<GVLuaObject>(
      "Window{type='GVLuaObject', name='none', w=10, h=10, gvobject_name='nosuch'}", "none");
  ASSERT_TRUE(none);
  EXPECT_EQ(nullptr, none->GetObject());
  none->DoDraw();  // draws nothing, and does not fail
}

TEST_F(Widgets, WrapperAsksItsClient) {
  struct Client : GVObjectWrapperClient {
    void DrawObjects(TWindow* w) override { seen = w; }
    TWindow* seen = nullptr;
  } client;
  auto* w = Build<GVObjectWrapper>("Window{type='GVObjectWrapper', name='wr', w=800, h=600}", "wr");
  ASSERT_TRUE(w);
  w->DoDraw();  // no client: a plain window
  w->client = &client;
  w->DoDraw();
  EXPECT_EQ(w, client.seen);
}

TEST_F(Widgets, ProgressBarLayout) {
  auto* bar = Build<TProgressBar>(
      "Window{type='TProgressBar', name='bar', x=0, y=0, w=24, h=60, Background='anim/strip.png',"
      " Custom='anim/ring.png', Foreground='anim/block.png', dX=6, dPiX=4, dY=4, MinRange=0, MaxRange=300,"
      " Value=100}",
      "bar");
  ASSERT_TRUE(bar);
  TWindow* clip = bar->GetClipWindow();
  EXPECT_EQ(10, bar->GetImage(TProgressBar::kCustom)->GetX());
  EXPECT_EQ(4, bar->GetImage(TProgressBar::kCustom)->GetY());
  EXPECT_EQ(10, clip->GetX());
  EXPECT_EQ(24, clip->GetY());  // a = 100 / 300 x 60 = 20
  EXPECT_EQ(40, clip->GetHeight());
  EXPECT_EQ(-16, bar->GetImage(TProgressBar::kForeground)->GetY());
  EXPECT_EQ(4, bar->GetImage(TProgressBar::kBackground)->GetX());

  bar->SetValue(150);
  EXPECT_EQ(34, clip->GetY());
  EXPECT_EQ(30, clip->GetHeight());
  bar->SetValue(1000);  // above the maximum: nothing of the foreground
  EXPECT_EQ(0, clip->GetHeight());
  bar->SetValue(-5);
  EXPECT_EQ(60, clip->GetHeight());
  bar->SetRange(10, 10);  // an empty range never divides
  bar->SetValue(10);
  EXPECT_EQ(0, clip->GetHeight());
  EXPECT_FALSE(bar->SetImageTexture(3, TTextureRef()));
  EXPECT_FALSE(bar->SetImageTextureByName(0, ""));
}

TEST_F(Widgets, ProgressBarSizesFromBackgroundAndInitsOnce) {
  TProgressBar bar;
  bar.SetValue(50);
  EXPECT_EQ(50.f, bar.GetValue());
  EXPECT_EQ(0, bar.GetClipWindow()->GetHeight());  // no layout before Init
  wm->GetScript()->DoLuaString(
      "gBarStyle = {Background='anim/strip.png', Foreground='anim/block.png', Value=25}");
  TWindowStyle style(wm->GetScript()->GetGlobalTable("gBarStyle"));
  bar.Init(style);
  EXPECT_EQ(40, bar.GetWidth());
  EXPECT_EQ(10, bar.GetHeight());
  EXPECT_EQ(25.f, bar.GetValue());
  wm->GetScript()->DoLuaString("gBarStyle.Value = 75");
  bar.Init(style);
  EXPECT_EQ(25.f, bar.GetValue());
}
