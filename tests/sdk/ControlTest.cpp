// The built-in controls: button states and clicks, the edit field, the
// slider, images and text layout, driven as the player drives them.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "LuaTestWindows.h"
#include "sdk/TButton.h"
#include "sdk/TImage.h"
#include "sdk/TRenderer.h"
#include "sdk/TSlider.h"
#include "sdk/TText.h"

namespace {

class RecordingButton : public TButton {
  TWINDOW_CLASS(RecordingButton, TButton)
 public:
  void StateUpdate(int state, int arg) override { updates.push_back({state, arg}); }
  std::vector<std::pair<int, int>> updates;
};

class ControlTest : public WindowTreeTest {
 protected:
  void SetUp() override {
    WindowTreeTest::SetUp();
    wm->AddWindowType("RecordingButton", &RecordingButton::Create);
    ASSERT_TRUE(TRenderer::GetInstance()->Open(true, false));
  }
  TWindow* Build(const char* code, const char* name) {
    EXPECT_TRUE(wm->DoLuaString(root, code));
    return root->GetChildWindow(name);
  }
};

}  // namespace

TEST_F(ControlTest, ButtonStatesFollowThePointerAndReportEachChange) {
  auto* b =
      As<RecordingButton>(Build("Window{type = 'MessageCatcher', name = 'c', w = 800, h = 600,"
                                "  {type = 'RecordingButton', name = 'b', x = 10, y = 10, w = 50, h = 20}}",
                                "b"));
  ASSERT_TRUE(b);
  auto* catcher = As<TMessageCatcher>(root->GetChildWindow("c"));
  const int N = TButton::kNormal, H = TButton::kHover, P = TButton::kPressed;
  enum Act { kMove, kPress, kRelease };
  struct Step {
    const char* what;
    Act act;
    int x, y, state;
    bool held;
  };
  const Step steps[] = {
      {"hover", kMove, 20, 20, H, false},      {"press", kPress, 20, 20, P | H, true},
      {"drag out", kMove, 200, 200, P, true},  {"drag back", kMove, 21, 21, P | H, true},
      {"release", kRelease, 21, 21, H, false}, {"leave", kMove, 300, 300, N, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.act == kPress)
      Press(s.x, s.y);
    else if (s.act == kRelease)
      Release(s.x, s.y);
    else
      Mouse(TEvent::kMouseMove, s.x, s.y);
    EXPECT_EQ(b->GetState(), s.state);
    EXPECT_EQ(b->IsHeld(), s.held);
  }
  const std::vector<std::pair<int, int>> expected = {{H, N},     {P | H, H}, {P, P | H},
                                                     {P | H, P}, {H, P | H}, {N, H}};
  EXPECT_EQ(b->updates, expected);
  EXPECT_EQ(catcher->kinds.size(), 1u);
}

TEST_F(ControlTest, ToggleAndDisabledButtons) {
  auto* t =
      As<TButton>(Build("Window{type = 'MessageCatcher', name = 'c', w = 800, h = 600,"
                        "  {type = 'TButton', name = 't', x = 10, y = 10, w = 50, h = 20, toggle = true},"
                        "  {type = 'TButton', name = 'd', x = 100, y = 10, w = 50, h = 20,"
                        "    command = function() disabled_ran = true end}}",
                        "t"));
  ASSERT_TRUE(t);
  auto* catcher = As<TMessageCatcher>(root->GetChildWindow("c"));
  EXPECT_TRUE(t->IsToggle());
  Click(20, 20);
  EXPECT_TRUE(t->IsOn());
  Click(20, 20);
  EXPECT_FALSE(t->IsOn());
  t->SetOn(true);
  EXPECT_TRUE(t->IsOn());

  auto* d = As<TButton>(root->GetChildWindow("d"));
  d->SetEnabled(false);
  Click(110, 20);
  EXPECT_EQ(d->GetState(), int(TButton::kDisabled));
  EXPECT_TRUE(IsGlobalNilHelper("disabled_ran"));
  // Enabling twice keeps the hover the pointer gave it.
  d->SetEnabled(true);
  Mouse(TEvent::kMouseMove, 110, 20);
  d->SetEnabled(true);
  EXPECT_EQ(d->GetState(), int(TButton::kHover));
  Click(110, 20);
  EXPECT_FALSE(IsGlobalNilHelper("disabled_ran"));
  EXPECT_EQ(catcher->senders, (std::vector<str>{"t", "t", "d"}));
}

TEST_F(ControlTest, AButtonWithoutImagesIsStillDrawn) {
  auto* b = As<TButton>(Build("Window{type = 'TButton', name = 'b', x = 10, y = 10, w = 40, h = 20}", "b"));
  ASSERT_TRUE(b);
  TRenderer* r = TRenderer::GetInstance();
  TTextureRef normal = r->RenderWindowToTexture(b);
  b->OnMouseMove(TPoint(5, 5));
  TTextureRef hover = r->RenderWindowToTexture(b);
  EXPECT_EQ(normal->GetPixel(1, 1) >> 24, 0xFFu);
  EXPECT_EQ(normal->GetPixel(39, 19) >> 24, 0xFFu);
  EXPECT_NE(normal->GetPixel(1, 1), hover->GetPixel(1, 1));
}

TEST_F(ControlTest, EachStateShowsItsImage) {
  auto* b = As<TButton>(Build("Window{type = 'TButton', name = 'b', x = 10, y = 10, w = 4, h = 4}", "b"));
  ASSERT_TRUE(b);
  auto solid = [](uint32_t argb) {
    std::vector<uint32_t> px(16, argb);
    return TTexture::FromPixels(4, 4, px.data());
  };
  const uint32_t kNormal = 0xFFFF0000u, kHover = 0xFF00FF00u, kPressed = 0xFF0000FFu, kDisabled = 0xFFFFFFFFu;
  b->SetImages(solid(kNormal), solid(kHover), solid(kPressed), solid(kDisabled));
  TRenderer* r = TRenderer::GetInstance();
  auto shown = [&] { return r->RenderWindowToTexture(b)->GetPixel(1, 1); };
  EXPECT_EQ(shown(), kNormal);
  b->OnMouseMove(TPoint(1, 1));
  EXPECT_EQ(shown(), kHover);
  b->OnMouseDown(TPoint(1, 1));
  EXPECT_EQ(shown(), kPressed);
  b->OnMouseMove(TPoint(50, 50));  // held, but the pointer is away
  EXPECT_EQ(shown(), kNormal);
  b->OnMouseUp(TPoint(50, 50));
  b->SetEnabled(false);
  EXPECT_EQ(shown(), kDisabled);
  b->SetEnabled(true);

  // A look the style leaves out falls back to the normal one.
  b->SetImages(solid(kNormal), TTextureRef(), TTextureRef(), TTextureRef());
  b->OnMouseMove(TPoint(1, 1));
  EXPECT_EQ(shown(), kNormal);
}

TEST_F(ControlTest, EditFieldTakesFocusTypedTextAndItsMaximumLength) {
  auto* e = As<TEditText>(
      Build("Window{type = 'MessageCatcher', name = 'c', w = 800, h = 600,"
            "  {type = 'TEditText', name = 'name', x = 10, y = 10, w = 200, h = 24, maxlen = 6}}",
            "name"));
  ASSERT_TRUE(e);
  auto* catcher = As<TMessageCatcher>(root->GetChildWindow("c"));
  EXPECT_FALSE(e->HasFocus());
  Click(20, 20);
  EXPECT_TRUE(e->HasFocus());

  Type({'A', 'n', 'n', ' ', 'B', '!'});
  EXPECT_EQ(e->GetText(), "Ann B!");
  Type({'x'});  // full
  EXPECT_EQ(e->GetText(), "Ann B!");

  Key(TEvent::kKeyDown, TEvent::kBackspace);
  Key(TEvent::kKeyDown, TEvent::kBackspace);
  Type({0xE9});  // é: two bytes, one character
  EXPECT_EQ(e->GetText(), "Ann \xC3\xA9");
  EXPECT_EQ(e->GetLength(), 5);
  Key(TEvent::kKeyDown, TEvent::kBackspace);
  EXPECT_EQ(e->GetText(), "Ann ");

  // Control characters never type; enter sends the field's message.
  Key(TEvent::kChar, TEvent::kEscape);
  Key(TEvent::kChar, 7);
  EXPECT_EQ(e->GetText(), "Ann ");
  Key(TEvent::kKeyDown, TEvent::kEnter);
  EXPECT_EQ(catcher->senders, (std::vector<str>{"name"}));
  EXPECT_EQ(catcher->kinds, (std::vector<int>{TMessage::kButtonPressed}));

  // Backspace on an empty field does nothing.
  e->SetText("");
  Key(TEvent::kKeyDown, TEvent::kBackspace);
  EXPECT_EQ(e->GetText(), "");
}

TEST_F(ControlTest, SliderDragSendsItsValueAndValuesAreClamped) {
  // No thumb image: the plain thumb is 10 pixels wide, so 200 pixels of travel.
  auto* s =
      As<TSlider>(Build("Window{type = 'MessageCatcher', name = 'c', w = 800, h = 600,"
                        "  {type = 'TSlider', name = 's', x = 100, y = 100, w = 210, h = 20, value = 0.25}}",
                        "s"));
  ASSERT_TRUE(s);
  auto* catcher = As<TMessageCatcher>(root->GetChildWindow("c"));
  EXPECT_FLOAT_EQ(s->GetValue(), 0.25f);
  Press(205, 110);
  EXPECT_FLOAT_EQ(s->GetValue(), 0.5f);
  Mouse(TEvent::kMouseMove, 500, 300);  // dragged past the end, outside the slider
  EXPECT_FLOAT_EQ(s->GetValue(), 1.0f);
  Release(500, 300);
  Mouse(TEvent::kMouseMove, 150, 110);  // no longer dragging
  EXPECT_FLOAT_EQ(s->GetValue(), 1.0f);
  EXPECT_EQ(catcher->kinds, (std::vector<int>{TMessage::kSliderMoved, TMessage::kSliderMoved}));
  EXPECT_EQ(catcher->senders.back(), "s");

  for (float v : {-3.0f, std::numeric_limits<float>::quiet_NaN()}) {
    s->SetValue(v, true);
    EXPECT_EQ(s->GetValue(), 0.0f) << v;
  }
  s->SetValue(2, false);
  EXPECT_EQ(s->GetValue(), 1.0f);
  EXPECT_EQ(catcher->kinds.size(), 3u);  // only the change to 0 was sent
}

TEST_F(ControlTest, ImageSizesToItsTextureClampsAlphaAndFlips) {
  TImage image(true);
  std::vector<uint32_t> px(30 * 20, 0xFF102030u);
  image.SetTexture(TTexture::FromPixels(30, 20, px.data()), 0.5f);
  EXPECT_EQ(image.GetWidth(), 30);
  EXPECT_EQ(image.GetHeight(), 20);
  EXPECT_EQ(image.GetAlpha(), 0.5f);
  for (auto c : {std::pair<float, float>{-0.5f, 0},
                 {0.25f, 0.25f},
                 {7, 1},
                 {std::numeric_limits<float>::quiet_NaN(), 0}}) {
    image.SetAlpha(c.first);
    EXPECT_EQ(image.GetAlpha(), c.second) << c.first;
  }
  image.SetDrawFlags(1);
  image.SetDrawFlags(2);
  EXPECT_EQ(image.GetDrawFlags(), 3);
  EXPECT_FALSE(image.OnMouseDown(TPoint(1, 1)));

  // quad.png: red, lime / blue, white quadrants of 2x2 pixels.
  struct FlipCase {
    const char* keys;
    uint32_t topLeft;
  };
  TRenderer* r = TRenderer::GetInstance();
  int n = 0;
  for (const FlipCase& c :
       {FlipCase{"", 0xFFFF0000u}, FlipCase{"hflip = true,", 0xFF00FF00u},
        FlipCase{"vflip = true,", 0xFF0000FFu}, FlipCase{"hflip = true, vflip = true,", 0xFFFFFFFFu}}) {
    str name = str::format("img%d", n++);
    str code = str::format("Window{type = 'TImage', name = '%s', image = 'images/quad.png', %s alpha = 3}",
                           name.c_str(), c.keys);
    auto* w = As<TImage>(Build(code.c_str(), name.c_str()));
    ASSERT_TRUE(w) << c.keys;
    EXPECT_EQ(w->GetWidth(), 4);
    EXPECT_EQ(w->GetAlpha(), 1.0f);
    EXPECT_EQ(r->RenderWindowToTexture(w)->GetPixel(0, 0), c.topLeft) << c.keys;
  }
  // A size given with the window is kept.
  auto* sized = As<TImage>(
      Build("Window{type = 'TImage', name = 'sized', w = 10, h = 8, image = 'images/quad.png'}", "sized"));
  EXPECT_EQ(sized->GetWindowRect(), TRect(0, 0, 10, 8));
}

TEST_F(ControlTest, TextBoundsFollowAlignmentAndWrapping) {
  const char* kLine = "Hello there";
  TText probe(false);
  probe.Create("probe", 400, 40, 0, "default", 16, TColor32(0xFFFFFFFFu));
  probe.SetText(kLine);
  const TRect line = probe.GetTextBounds();
  ASSERT_GT(line.Width(), 0);
  EXPECT_EQ(probe.GetName(), "probe");

  struct AlignCase {
    const char* align;
    int left;
  };
  for (const AlignCase& c : {AlignCase{"left", 0}, AlignCase{"center", (400 - line.Width()) / 2},
                             AlignCase{"right", 400 - line.Width()}}) {
    str code =
        str::format("Window{type = 'TText', name = 't_%s', w = 400, h = 40, text = '%s', align = '%s'}",
                    c.align, kLine, c.align);
    auto* t = As<TText>(Build(code.c_str(), (str("t_") + c.align).c_str()));
    ASSERT_TRUE(t);
    TRect b = t->GetTextBounds();
    EXPECT_EQ(b.left, c.left) << c.align;
    EXPECT_EQ(b.Width(), line.Width()) << c.align;
    EXPECT_FALSE(t->OnMouseDown(TPoint(1, 1)));
  }

  auto* wrapped = As<TText>(
      Build("Window{type = 'TText', name = 'wrapped', w = 60, h = 200, wrap = true, text = 'Hello there'}",
            "wrapped"));
  TRect b = wrapped->GetTextBounds();
  EXPECT_LE(b.Width(), 60);
  EXPECT_GT(b.Height(), line.Height());
  wrapped->SetText("");
  EXPECT_TRUE(wrapped->GetTextBounds().IsEmpty());
}

// A stored text of megabytes (a player's name in damaged preferences) must
// not take the renderer down; the part that fits a screen is still drawn.
TEST_F(ControlTest, TextOfAnyLengthIsDrawn) {
  TText text(false);
  text.Create("long", 400, 40, 0, "default", 16, TColor32(0xFFFFFFFFu));
  for (const str& piece : {str("a"), str("a b "), str("\xc3\xa9")}) {
    str huge;
    while (huge.size() < (8u << 20)) huge += piece;
    text.SetText(huge);
    EXPECT_EQ(text.GetText().size(), huge.size()) << "the text itself is kept";
    EXPECT_GT(text.GetTextBounds().Height(), 0) << piece;
  }
}
