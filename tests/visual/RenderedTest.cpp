// What visual objects and the caption put on the headless frame.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "VisualTestUtil.h"
#include "game/GSceneCaption.h"
#include "visual/GVObject.h"

namespace {
uint32_t RenderedRgb(int x, int y) {
  return TRenderer::GetInstance()->ReadPixel(x, y).argb & 0xFFFFFF;
}

void Frame(const std::function<void()>& draw) {
  TRenderer* r = TRenderer::GetInstance();
  r->BeginFrame();
  draw();
  r->EndFrame();
}

class Rendered : public VisualFactoryTest {};
}  // namespace

TEST_F(Rendered, AlphaHitMissesTransparentAndHitsOpaquePixels) {
  // block.png: a yellow 10x10 square at (5, 5) of a transparent 20x20 picture.
  std::unique_ptr<GVObject> o = MakeFrom(
      "<main hit_test='alpha' deltaX='100' deltaY='100'><images><img name='block.png'/></images>"
      "<framelist centering='left'><frame w='20' h='20'/></framelist></main>");
  ASSERT_TRUE(o);
  Frame([&] { list.Draw(); });
  struct Case {
    int x, y;
    uint32_t rgb;
    bool hit;
  } cases[] = {{102, 102, 0x000000, false},
               {110, 110, 0xFFFF00, true},
               {117, 110, 0x000000, false},
               {105, 114, 0xFFFF00, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.rgb, RenderedRgb(c.x, c.y)) << c.x << "," << c.y;
    EXPECT_EQ(c.hit, o->HitTestSelf(TPoint(float(c.x), float(c.y)))) << c.x << "," << c.y;
  }
  // A horizontal flip mirrors the picture about its registration point (here
  // its left edge), and the test with it.
  o->flags = GVData::kFlipH;
  o->changed = 1;
  Frame([&] { list.Draw(); });
  EXPECT_EQ(0u, RenderedRgb(110, 110));
  EXPECT_FALSE(o->HitTestSelf(TPoint(110, 110)));
  EXPECT_EQ(0xFFFF00u, RenderedRgb(90, 110));
  EXPECT_TRUE(o->HitTestSelf(TPoint(90, 110)));
  EXPECT_FALSE(o->HitTestSelf(TPoint(97, 110)));
}

TEST_F(Rendered, ObjectsScaleAndTurnAboutTheirRegistrationPoint) {
  // block.png's yellow square spans 5..15 of 20 pixels; the registration
  // point (10, 10), its middle, sits on (100, 100): at twice the size the
  // square covers 90..110 whichever way the object is turned (give or take
  // the pixel the software renderer's turned copies may shift by).
  std::unique_ptr<GVObject> o = MakeFrom(
      "<main hit_test='alpha' deltaX='100' deltaY='100' scaling='2'><images><img name='block.png'/></images>"
      "<framelist centering='left'><frame w='20' h='20' regx='10' regy='10'/></framelist></main>");
  ASSERT_TRUE(o);
  for (float turn : {0.f, float(M_PI / 2)}) {
    o->rotate = turn;
    o->changed = 1;
    Frame([&] { list.Draw(); });
    const struct {
      int x, y;
      bool yellow;
    } probes[] = {{93, 93, true},    {106, 106, true},  {93, 106, true}, {85, 100, false},
                  {100, 115, false}, {115, 100, false}, {100, 85, false}};
    for (const auto& p : probes) {
      EXPECT_EQ(p.yellow ? 0xFFFF00u : 0u, RenderedRgb(p.x, p.y)) << turn << " at " << p.x << "," << p.y;
      EXPECT_EQ(p.yellow, o->HitTestSelf(TPoint(float(p.x), float(p.y))))
          << turn << " at " << p.x << "," << p.y;
    }
  }
}

TEST_F(Rendered, OffscreenObjectsAreDrawnOnlyWhenRotated) {
  // Its rectangle lies beyond the right edge; rotated by pi about its
  // position, the square swings back onto the screen at x 796..805.
  std::unique_ptr<GVObject> o = MakeFrom(
      "<main deltaX='810' deltaY='100'><images><img name='block.png'/></images>"
      "<framelist centering='left'><frame w='20' h='20'/></framelist></main>");
  ASSERT_TRUE(o);
  Frame([&] { list.Draw(); });
  EXPECT_EQ(0u, RenderedRgb(798, 90));
  o->rotate = 3.14159265f;
  o->changed = 1;
  Frame([&] { list.Draw(); });
  EXPECT_EQ(0xFFFF00u, RenderedRgb(798, 90));
}

TEST_F(Rendered, CaptionBesideTheAnchorAndFlippedNearTheRightEdge) {
  std::unique_ptr<TXmlNode> look(new TXmlNode);
  look->ParseFile(TPlatform::ResolvePath("visual/cfg_caption.xml"));
  OSceneCaption c(look.get());
  c.SetAnchor(100, 200);
  c.SetText("Lamp");
  TRect f = c.GetFrameRect();
  ASSERT_EQ(130, f.left);
  Frame([&] { c.DoDraw(); });
  const uint32_t kEnd = 0x402810, kMiddle = 0x805020;
  EXPECT_EQ(0u, RenderedRgb(129, 201));
  EXPECT_EQ(kEnd, RenderedRgb(131, 201));
  EXPECT_EQ(kMiddle, RenderedRgb(139, 201));
  EXPECT_EQ(kEnd, RenderedRgb(f.right - 2, 201));
  EXPECT_EQ(0u, RenderedRgb(f.right + 1, 201));
  EXPECT_EQ(0u, RenderedRgb(131, 225));

  c.SetAnchor(780, 300);
  c.Refresh();
  f = c.GetFrameRect();
  EXPECT_EQ(750, f.right);
  Frame([&] { c.DoDraw(); });
  EXPECT_EQ(kEnd, RenderedRgb(748, 301));
  EXPECT_EQ(kEnd, RenderedRgb(f.left + 1, 301));
  EXPECT_EQ(0u, RenderedRgb(752, 301));

  c.SetKey("");
  Frame([&] { c.DoDraw(); });
  EXPECT_EQ(0u, RenderedRgb(f.left + 1, 301));
}
