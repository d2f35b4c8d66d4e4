// Drawing on the headless software renderer: what lands on which pixel.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "sdk/CoreTestUtil.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TSprite.h"
#include "sdk/TTask.h"
#include "sdk/TTexture.h"
#include "sdk/TWindow.h"

namespace {

const uint32_t kRed = 0xFF0000, kLime = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

struct Probe {
  int x, y;
  uint32_t rgb;
};

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TPlatform::SetContentRoot(CoreFixturesDir());
    r = TRenderer::GetInstance();
    ASSERT_TRUE(r->Open(true, false));
    // quad.png is 4x4: red top-left, lime top-right, blue bottom-left and
    // white bottom-right quadrants of 2x2 pixels.
    quad = TTexture::Get("images/quad.png");
    ASSERT_EQ(4, quad->GetWidth());
  }

  void Frame(const std::function<void()>& draw) {
    r->BeginFrame();
    draw();
    r->EndFrame();
  }
  uint32_t Rgb(int x, int y) const { return r->ReadPixel(x, y).argb & 0xFFFFFF; }
  void ExpectProbes(const std::vector<Probe>& probes, const char* name) {
    for (const Probe& p : probes)
      EXPECT_EQ(p.rgb, Rgb(p.x, p.y)) << name << " at (" << p.x << ", " << p.y << ")";
  }
  static TDrawSpec At(float x, float y, int flags = 0) {
    TDrawSpec s;
    s.matrix.Translate(x, y);
    s.flags = flags;
    return s;
  }
  static TTextureRef Solid(int w, int h, uint32_t argb) {
    std::vector<uint32_t> px(size_t(w) * h, argb);
    return TTexture::FromPixels(w, h, px.data());
  }

  TRenderer* r = nullptr;
  TTextureRef quad;
};

TEST_F(RenderTest, SpecsPlaceTheQuadrantsOnTheExpectedPixels) {
  struct Case {
    const char* name;
    std::function<void(TTexture*)> draw;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {"centred on its position",
       [](TTexture* t) { t->Draw(At(100, 100)); },
       {{98, 98, kRed},
        {101, 98, kLime},
        {98, 101, kBlue},
        {101, 101, kWhite},
        {97, 97, kBlack},
        {102, 102, kBlack}}},
      {"flags 12 place by the top-left",
       [](TTexture* t) { t->Draw(At(100, 100, 12)); },
       {{100, 100, kRed}, {103, 100, kLime}, {100, 103, kBlue}, {103, 103, kWhite}, {99, 99, kBlack}}},
      {"flag 4 alone anchors only x",
       [](TTexture* t) { t->Draw(At(100, 100, 4)); },
       {{100, 98, kRed}, {103, 101, kWhite}, {99, 98, kBlack}}},
      // Clockwise quarter turn at twice the size: the 8x8 picture spans
      // 196..204 and its top-left quadrant ends up top-right.
      {"rotated 90 degrees, scaled 2",
       [](TTexture* t) { t->Draw(200, 200, 2, 2, float(M_PI / 2)); },
       {{202, 198, kRed},
        {202, 202, kLime},
        {198, 202, kWhite},
        {198, 198, kBlue},
        {196, 196, kBlue},
        {203, 196, kRed},
        {195, 200, kBlack},
        {204, 200, kBlack},
        {200, 205, kBlack}}},
      {"mirrored by a negative scale",
       [](TTexture* t) { t->Draw(100, 100, -1, 1); },
       {{98, 98, kLime}, {101, 98, kRed}}},
      {"horizontal flip",
       [](TTexture* t) { t->Draw(At(100, 100, TDrawSpec::kFlipH)); },
       {{98, 98, kLime}, {101, 98, kRed}, {98, 101, kWhite}, {101, 101, kBlue}}},
      {"vertical flip",
       [](TTexture* t) { t->Draw(At(100, 100, TDrawSpec::kFlipV)); },
       {{98, 98, kBlue}, {101, 98, kWhite}, {98, 101, kRed}}},
      {"both flips under a rotation",
       [](TTexture* t) {
         TDrawSpec s = At(100, 100, 3);
         s.matrix.Rotate(float(M_PI / 2));
         t->Draw(s);
       },
       // Flipping both ways is a half turn; with the quarter turn, red goes
       // to the bottom-left.
       {{98, 101, kRed}, {98, 98, kLime}, {101, 101, kBlue}, {101, 98, kWhite}}},
      {"source rectangle",
       [](TTexture* t) {
         TDrawSpec s = At(50, 50, 12);
         s.src = TRect(2, 0, 4, 2);
         t->Draw(s);
       },
       {{50, 50, kLime}, {51, 51, kLime}, {52, 50, kBlack}, {50, 52, kBlack}}},
      {"source rectangle outside the texture draws nothing",
       [](TTexture* t) {
         TDrawSpec s = At(50, 50, 12);
         s.src = TRect(10, 10, 12, 12);
         t->Draw(s);
       },
       {{50, 50, kBlack}, {48, 48, kBlack}}},
      // Pixel (1, 3) of the picture, in the blue quadrant, sits on the
      // position; at twice the size the picture spans 98..106, 94..102.
      {"flag 8 anchors the picture at its origin point and scales about it",
       [](TTexture* t) {
         TDrawSpec s = At(100, 100, 8);
         s.matrix.Scale(2);
         s.point = TVec2(1, 3);
         t->Draw(s);
       },
       {{98, 94, kRed},
        {105, 94, kLime},
        {98, 101, kBlue},
        {100, 100, kBlue},
        {105, 101, kWhite},
        {97, 97, kBlack},
        {106, 97, kBlack},
        {100, 102, kBlack},
        {100, 93, kBlack}}},
      {"without flag 8 the origin point is not read",
       [](TTexture* t) {
         TDrawSpec s = At(100, 100);
         s.point = TVec2(10, 10);
         t->Draw(s);
       },
       {{98, 98, kRed}, {101, 101, kWhite}}},
      {"relative to the origin",
       [](TTexture* t) {
         TRenderer::GetInstance()->SetOrigin(TPoint(300, 300));
         t->Draw(At(0, 0, 12));
       },
       {{300, 300, kRed}, {303, 303, kWhite}, {0, 0, kBlack}}},
      {"clipped",
       [](TTexture* t) {
         TRenderer::GetInstance()->PushClip(TRect(0, 0, 100, 600));
         t->Draw(At(100, 100));
         t->Draw(200, 100, 2, 2, 0.5f);
         TRenderer::GetInstance()->PushClip(TRect(0, 0, 800, 99));
         t->Draw(At(50, 100));
         TRenderer::GetInstance()->PopClip();
         TRenderer::GetInstance()->PopClip();
       },
       {{98, 98, kRed}, {101, 98, kBlack}, {200, 100, kBlack}, {48, 98, kRed}, {48, 99, kBlack}}},
      // Some SDL releases read an empty clip rectangle as no clip at all.
      {"an empty clip draws nothing",
       [](TTexture* t) {
         TRenderer::GetInstance()->PushClip(TRect(0, 0, 100, 100));
         TRenderer::GetInstance()->PushClip(TRect(200, 200, 300, 300));
         t->Draw(At(50, 50));
         t->Draw(50, 50, 2, 2, 0.3f);
         TRenderer::GetInstance()->FillRect(TRect(0, 0, 800, 600), TColor32(0xFFFFFFFFu));
         TRenderer::GetInstance()->PopClip();
         TRenderer::GetInstance()->PopClip();
       },
       {{48, 48, kBlack}, {50, 50, kBlack}, {250, 250, kBlack}}},
  };
  for (const Case& c : cases) {
    Frame([&] { c.draw(quad.get()); });
    ExpectProbes(c.probes, c.name);
  }
}

TEST_F(RenderTest, AlphaColourAndBlendModes) {
  TTextureRef white = Solid(8, 8, 0xFFFFFFFF);
  TTextureRef tint = Solid(8, 8, 0xFF80FF40);
  struct Case {
    const char* name;
    std::function<void()> draw;
    uint32_t rgb;
  };
  auto spec = [](float alpha, int blend, float rotation = 0) {
    TDrawSpec s = At(100, 100);
    s.matrix.Rotate(rotation);
    s.alpha = alpha;
    s.blend = blend;
    return s;
  };
  const Case cases[] = {
      {"half alpha", [&] { white->Draw(spec(0.5f, -1)); }, 0x808080},
      {"half alpha, rotated", [&] { white->Draw(spec(0.5f, 0, 0.3f)); }, 0x808080},
      {"alpha times colour alpha",
       [&] {
         TDrawSpec s = spec(0.5f, 0);
         s.color = TColor(1, 1, 1, 0.5f);
         white->Draw(s);
       },
       0x404040},
      {"colour tint, rotated",
       [&] {
         TDrawSpec s = spec(1, 0, 0.3f);
         s.color = TColor(1, 0, 0.5f);
         white->Draw(s);
       },
       0xFF0080},
      {"add",
       [&] {
         TRenderer::GetInstance()->FillRect(TRect(0, 0, 200, 200), TColor32(0xFF404040u));
         white->Draw(spec(0.25f, TDrawSpec::kBlendAdd));
       },
       0x808080},
      {"multiply",
       [&] {
         TRenderer::GetInstance()->FillRect(TRect(0, 0, 200, 200), TColor32(0xFF808080u));
         tint->Draw(spec(1, TDrawSpec::kBlendMultiply));
       },
       0x408020},
      {"zero alpha draws nothing", [&] { white->Draw(spec(0, 0)); }, 0},
  };
  for (const Case& c : cases) {
    Frame(c.draw);
    const TColor32 got(Rgb(100, 100));
    const TColor32 want(c.rgb);
    EXPECT_NEAR(want.Red(), got.Red(), 2) << c.name;
    EXPECT_NEAR(want.Green(), got.Green(), 2) << c.name;
    EXPECT_NEAR(want.Blue(), got.Blue(), 2) << c.name;
  }
}

TEST_F(RenderTest, MissingAndBrokenTexturesAreEmptyAndReportedOnce) {
  for (const char* path : {"images/no-such.png", "images/broken.png"}) {
    const size_t before = ReportCount();
    TTextureRef t = TTexture::Get(path);
    ASSERT_TRUE(t) << path;
    EXPECT_TRUE(t->IsEmpty()) << path;
    EXPECT_EQ(before + 1, ReportCount()) << path;
    t.reset();  // not held: the next Get loads again, and still stays quiet
    TTextureRef again = TTexture::Get(path);
    EXPECT_TRUE(again->IsEmpty());
    EXPECT_EQ(before + 1, ReportCount()) << path;
    Frame([&] { again->Draw(100, 100); });  // drawing nothing is fine
  }
  EXPECT_EQ(quad, TTexture::Get("images/quad.png"));  // shared while held
  EXPECT_EQ(0xFFFF0000u, quad->GetPixel(0, 0));
  EXPECT_EQ(0xFFFFFFFFu, quad->GetPixel(3, 3));
  EXPECT_EQ(0u, quad->GetPixel(4, 0));
}

TEST_F(RenderTest, PicturesReadAsArgbWhateverTheirLayout) {
  // quad.png has no alpha channel; rgba.png is 32-bit with five pixels a row.
  const struct {
    const char* path;
    int x, y;
    uint32_t argb;
  } cases[] = {
      {"images/quad.png", 0, 0, 0xFFFF0000u}, {"images/quad.png", 2, 0, 0xFF00FF00u},
      {"images/quad.png", 0, 2, 0xFF0000FFu}, {"images/rgba.png", 0, 0, 0xFFFF0000u},
      {"images/rgba.png", 2, 0, 0xFF0000FFu}, {"images/rgba.png", 3, 0, 0xFFFFFFFFu},
      {"images/rgba.png", 4, 0, 0x80FF0000u}, {"images/rgba.png", 0, 1, 0x800000FFu},
      {"images/rgba.png", 2, 1, 0x00000000u}, {"images/rgba.png", 4, 1, 0xFF0000FFu},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.argb, TTexture::Get(c.path)->GetPixel(c.x, c.y)) << c.path << " at " << c.x << "," << c.y;
}

TEST_F(RenderTest, ACreatedTextureIsOpaqueBlackUntilItIsChanged) {
  TTextureRef t = TTexture::Create(10, 10);
  EXPECT_EQ(0xFF000000u, t->GetPixel(9, 9));
  auto overWhite = [&](const TDrawSpec& spec) {
    Frame([&] {
      r->FillRect(TRect(0, 0, 800, 600), TColor32(0xFFFFFFFFu));
      t->Draw(spec);
    });
  };
  overWhite(At(100, 100, 12));
  ExpectProbes({{100, 100, kBlack}, {109, 109, kBlack}, {110, 105, kWhite}, {99, 105, kWhite}}, "placed");
  TDrawSpec half = At(100, 100, 12);
  half.alpha = 0.5f;
  overWhite(half);
  EXPECT_NEAR(128, int(r->ReadPixel(105, 105).Red()), 2);
  TDrawSpec turned = At(200, 200);
  turned.matrix.Rotate(0.5f);
  turned.matrix.Scale(2);
  overWhite(turned);
  ExpectProbes({{200, 200, kBlack}, {208, 200, kBlack}, {215, 200, kWhite}}, "turned and scaled");

  uint32_t* px = nullptr;
  int pitch = 0;
  ASSERT_TRUE(t->Lock(&px, &pitch));
  EXPECT_EQ(0xFF000000u, px[9 * pitch + 9]);
  px[0] = 0xFF0000FF;
  t->Unlock();
  overWhite(At(100, 100, 12));
  ExpectProbes({{100, 100, kBlue}, {101, 100, kBlack}}, "changed");
}

TEST_F(RenderTest, LockedChangesShowInTheNextDraw) {
  TTextureRef t = Solid(4, 4, 0xFF000000u);
  // Draw once first, so the change has to reach a device copy already made.
  Frame([&] { t->Draw(At(10, 10, 12)); });
  uint32_t* px = nullptr;
  int pitch = 0;
  ASSERT_TRUE(t->Lock(&px, &pitch));
  EXPECT_EQ(4, pitch);
  uint32_t* px2 = nullptr;
  EXPECT_FALSE(t->Lock(&px2, &pitch));  // not twice
  px[1 * pitch + 2] = 0xFF0000FF;
  t->Unlock();
  Frame([&] { t->Draw(At(10, 10, 12)); });
  EXPECT_EQ(kBlue, Rgb(12, 11));
  EXPECT_EQ(kBlack, Rgb(11, 11));
  EXPECT_EQ(0xFF0000FFu, t->GetPixel(2, 1));
}

TEST_F(RenderTest, RenderTargetClearedTransparentThenDrawnInto) {
  TTextureRef target = TTexture::Create(6, 6, true);
  ASSERT_TRUE(r->BeginRenderTarget(target));
  r->FillRect(TRect(0, 0, 6, 6), TColor32(0u), false);
  TDrawSpec s = At(1, 1, 12);
  s.src = TRect(0, 0, 2, 2);
  quad->Draw(s);
  r->EndRenderTarget();

  EXPECT_EQ(0xFFFF0000u, target->GetPixel(1, 1));
  EXPECT_EQ(0xFFFF0000u, target->GetPixel(2, 2));
  EXPECT_EQ(0x00000000u, target->GetPixel(0, 0));  // exactly transparent
  EXPECT_EQ(0x00000000u, target->GetPixel(5, 5));

  Frame([&] {
    r->FillRect(TRect(0, 0, 800, 600), TColor32(0xFF00FF00u));
    target->Draw(At(400, 300, 12));
  });
  EXPECT_EQ(kRed, Rgb(401, 301));
  EXPECT_EQ(kLime, Rgb(400, 300));  // the background shows through
  EXPECT_EQ(kLime, Rgb(405, 305));
  EXPECT_FALSE(r->BeginRenderTarget(TTexture::Create(4, 4)));  // not a target
}

class FilledWindow : public TWindow {
 public:
  void Draw() override { TRenderer::GetInstance()->FillRect(TRect(0, 0, 3, 2), TColor32(0xFFFF0000u)); }
};

TEST_F(RenderTest, WindowRenderedIntoATextureAtItsTopLeft) {
  TWindow parent;
  parent.SetWindowPos(300, 200);
  parent.SetWindowSize(100, 100);
  FilledWindow* w = new FilledWindow();
  w->SetWindowSize(8, 4);
  parent.AdoptChild(w);
  w->SetWindowPos(10, 20);
  const TPoint originBefore = r->GetOrigin();

  TTextureRef t = r->RenderWindowToTexture(w);
  ASSERT_EQ(8, t->GetWidth());
  ASSERT_EQ(4, t->GetHeight());
  EXPECT_EQ(0xFFFF0000u, t->GetPixel(0, 0));
  EXPECT_EQ(0xFFFF0000u, t->GetPixel(2, 1));
  EXPECT_EQ(0u, t->GetPixel(3, 0));
  EXPECT_EQ(0u, t->GetPixel(7, 3));
  EXPECT_EQ(TRect(310, 220, 318, 224), w->GetWindowRect());
  EXPECT_EQ(originBefore, r->GetOrigin());
}

class CountingListener : public TTask {
 public:
  bool DoTask() override {
    ++calls;
    return true;
  }
  int calls = 0;
};

TEST_F(RenderTest, LosingTargetsKeepsLoadedTexturesAndCallsListeners) {
  CountingListener listener;
  TPlatform::GetInstance()->AdoptTextureRefreshListener(&listener);
  TTextureRef target = TTexture::Create(2, 2, true);
  ASSERT_TRUE(r->BeginRenderTarget(target));
  r->FillRect(TRect(0, 0, 2, 2), TColor32(0xFF0000FFu), false);
  r->EndRenderTarget();
  Frame([&] { quad->Draw(At(100, 100)); });

  r->LoseTargets();
  EXPECT_EQ(1, listener.calls);
  Frame([&] {
    quad->Draw(At(100, 100));
    target->Draw(At(200, 200, 12));
  });
  EXPECT_EQ(kRed, Rgb(98, 98));
  EXPECT_EQ(kWhite, Rgb(101, 101));
  // What was drawn into the target is gone; it comes back opaque black.
  EXPECT_EQ(0xFF000000u, target->GetPixel(0, 0));
  TPlatform::GetInstance()->OrphanTextureRefreshListener(&listener);
}

TEST_F(RenderTest, TexturesOutliveAClosedRenderer) {
  TTextureRef target = TTexture::Create(2, 2, true);
  Frame([&] {
    quad->Draw(At(100, 100));
    target->Draw(At(0, 0));
  });
  r->Close();
  quad->Draw(At(100, 100));  // nothing to draw on: ignored
  ASSERT_TRUE(r->Open(true, false));
  Frame([&] { quad->Draw(At(100, 100)); });
  EXPECT_EQ(kRed, Rgb(98, 98));
  EXPECT_EQ(kWhite, Rgb(101, 101));
}

TEST_F(RenderTest, ScreenshotWritesThePng) {
  Frame([&] { quad->Draw(At(10, 10, 12)); });
  const str path = str::format("/tmp/tolvane-shot-%d.png", int(getpid()));
  ASSERT_TRUE(r->Screenshot(path));
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_TRUE(f);
  unsigned char sig[4] = {};
  EXPECT_EQ(4u, std::fread(sig, 1, 4, f));
  std::fclose(f);
  std::remove(path.c_str());
  EXPECT_EQ(0x89, sig[0]);
  EXPECT_EQ('P', sig[1]);
}

}  // namespace
