// The sprite tree drawn headless: composition, layer order, changes made
// while drawing, drawn regions, hit rectangles and text sprites.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "sdk/CoreTestUtil.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TSprite.h"
#include "sdk/TTexture.h"

namespace {

const uint32_t kRed = 0xFF0000, kLime = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

// A sprite that runs a hook while it is being drawn.
class HookSprite : public TSprite {
 public:
  static boost::shared_ptr<HookSprite> Make(int layer, TTextureRef t) {
    return boost::shared_ptr<HookSprite>(new HookSprite(layer, t));
  }
  std::function<void(HookSprite*)> hook;

 protected:
  HookSprite(int layer, TTextureRef t) : TSprite(layer, t) {}
  void DrawSelf(const TDrawSpec& spec) override {
    TSprite::DrawSelf(spec);
    if (hook) hook(this);
  }
};

class RenderSpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TPlatform::SetContentRoot(CoreFixturesDir());
    r = TRenderer::GetInstance();
    ASSERT_TRUE(r->Open(true, false));
    quad = TTexture::Get("images/quad.png");
    ASSERT_EQ(4, quad->GetWidth());
  }
  void DrawFrame(const TSpriteRef& root) {
    r->BeginFrame();
    root->Draw(TDrawSpec());
    r->EndFrame();
  }
  uint32_t Rgb(int x, int y) const { return r->ReadPixel(x, y).argb & 0xFFFFFF; }
  static TTextureRef Solid(uint32_t argb, int w = 4, int h = 4) {
    std::vector<uint32_t> px(size_t(w) * h, argb);
    return TTexture::FromPixels(w, h, px.data());
  }
  static TSpriteRef At(float x, float y, TTextureRef t, int layer = 0) {
    TSpriteRef s = TSprite::Create(layer, t);
    s->SetPosition(TVec3(x, y));
    return s;
  }
  // Bounding box of the pixels that are not black.
  TRect LitBox() const {
    TRect box(800, 600, 0, 0);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (Rgb(x, y))
          box = TRect(std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                      std::max(box.bottom, y + 1));
    return box;
  }

  TRenderer* r = nullptr;
  TTextureRef quad;
};

TEST_F(RenderSpriteTest, ChildFollowsItsParent) {
  TSpriteRef root = At(100, 100, TTextureRef());
  TSpriteRef child = At(20, 0, quad);
  root->AddChild(child);
  EXPECT_EQ(root.get(), child->GetParent());

  DrawFrame(root);
  EXPECT_EQ(kRed, Rgb(118, 98));
  EXPECT_EQ(kWhite, Rgb(121, 101));

  root->SetPosition(TVec3(300, 100));
  DrawFrame(root);
  EXPECT_EQ(kRed, Rgb(318, 98));
  EXPECT_EQ(kBlack, Rgb(118, 98));

  // The parent's scale carries the child's offset and size with it.
  TMat3 m;
  m.Scale(2);
  root->SetMatrix(m);
  DrawFrame(root);
  EXPECT_EQ(kRed, Rgb(337, 97));
  EXPECT_EQ(kWhite, Rgb(342, 102));
  EXPECT_EQ(kBlack, Rgb(335, 100));

  root->SetVisible(false);  // hides the subtree
  DrawFrame(root);
  EXPECT_EQ(kBlack, Rgb(337, 97));
}

TEST_F(RenderSpriteTest, ChildrenDrawInLayerOrderStableForEqualLayers) {
  TSpriteRef root = TSprite::Create(0);
  TSpriteRef red = At(100, 100, Solid(0xFFFF0000), 2);
  TSpriteRef lime = At(100, 100, Solid(0xFF00FF00), 1);
  TSpriteRef blue = At(100, 100, Solid(0xFF0000FF), 2);
  root->AddChild(red);
  root->AddChild(lime);
  root->AddChild(blue);
  EXPECT_EQ((std::vector<TSpriteRef>{lime, red, blue}), root->GetChildren());
  DrawFrame(root);
  EXPECT_EQ(kBlue, Rgb(100, 100));

  red->SetLayer(3);
  EXPECT_EQ((std::vector<TSpriteRef>{lime, blue, red}), root->GetChildren());
  DrawFrame(root);
  EXPECT_EQ(kRed, Rgb(100, 100));

  root->AddChild(red);  // already there: no second copy
  EXPECT_EQ(3u, root->GetChildren().size());
  lime->AddChild(root);  // its own ancestor: refused
  EXPECT_TRUE(lime->GetChildren().empty());
}

TEST_F(RenderSpriteTest, ChangesDuringADrawWaitUntilItReturns) {
  TSpriteRef root = TSprite::Create(0);
  auto a = HookSprite::Make(0, Solid(0xFFFF0000));
  a->SetPosition(TVec3(100, 100));
  TSpriteRef b = At(200, 100, Solid(0xFF00FF00), 1);
  TSpriteRef c = At(300, 100, Solid(0xFF0000FF), 1);
  root->AddChild(a);
  root->AddChild(b);
  // While drawn, `a` removes itself and its later sibling and adds another.
  a->hook = [&](HookSprite* self) {
    root->RemoveChild(self->shared_from_this());
    root->RemoveChild(b);
    root->AddChild(c);
  };
  boost::weak_ptr<TSprite> weakA = a;
  a.reset();  // only the tree holds it now

  DrawFrame(root);
  EXPECT_EQ(kRed, Rgb(100, 100));
  EXPECT_EQ(kLime, Rgb(200, 100));   // still drawn in this pass
  EXPECT_EQ(kBlack, Rgb(300, 100));  // not yet in the tree
  EXPECT_EQ((std::vector<TSpriteRef>{c}), root->GetChildren());
  EXPECT_TRUE(weakA.expired());
  EXPECT_EQ(nullptr, b->GetParent());

  DrawFrame(root);
  EXPECT_EQ(kBlack, Rgb(100, 100));
  EXPECT_EQ(kBlack, Rgb(200, 100));
  EXPECT_EQ(kBlue, Rgb(300, 100));

  // RemoveChildren from inside a grandchild's draw, then a new child.
  TSpriteRef holder = TSprite::Create(0);
  auto deep = HookSprite::Make(0, quad);
  TSpriteRef fresh = At(400, 100, Solid(0xFFFFFFFF));
  holder->AddChild(deep);
  root->AddChild(holder);
  deep->hook = [&](HookSprite*) {
    root->RemoveChildren();
    root->AddChild(fresh);
  };
  DrawFrame(root);
  EXPECT_EQ((std::vector<TSpriteRef>{fresh}), root->GetChildren());
  EXPECT_EQ(nullptr, holder->GetParent());
}

TEST_F(RenderSpriteTest, DrawnRegionClipsWherePictureStands) {
  struct Case {
    const char* name;
    int flags, w, h;
    std::vector<std::pair<TPoint, uint32_t>> probes;
  };
  const Case cases[] = {
      {"top half by the top-left", 12, 4, 2, {{{100, 100}, kRed}, {{103, 101}, kLime}, {{100, 102}, kBlack}}},
      {"height 0 draws nothing", 12, 4, 0, {{{100, 100}, kBlack}, {{102, 102}, kBlack}, {{98, 98}, kBlack}}},
      {"centred keeps its place", 0, 2, 2, {{{98, 98}, kRed}, {{101, 98}, kBlack}, {{98, 101}, kBlack}}},
      {"larger than the texture", 0, 10, 10, {{{98, 98}, kRed}, {{101, 101}, kWhite}, {{103, 103}, kBlack}}},
  };
  for (const Case& c : cases) {
    TSpriteRef s = At(100, 100, quad);
    s->SetDrawFlags(c.flags);
    s->SetDrawnSize(c.w, c.h);
    DrawFrame(s);
    for (const auto& p : c.probes)
      EXPECT_EQ(p.second, Rgb(int(p.first.x), int(p.first.y)))
          << c.name << " at " << p.first.x << "," << p.first.y;
  }
}

TEST_F(RenderSpriteTest, OriginPointIsPlacedAtThePositionAndTurnedAbout) {
  const TTextureRef picture = Solid(0xFFFFFFFF, 20, 10);
  auto sprite = [&](float x, float y, TVec2 origin, float turn, float scale) {
    TSpriteRef s = At(x, y, picture);
    s->SetDrawFlags(8);
    s->SetOrigin(origin);
    TMat3 m;
    m.Rotate(turn).Scale(scale);
    s->SetMatrix(m);
    return s;
  };
  const float quarter = float(M_PI / 2);
  const struct {
    const char* name;
    std::function<TSpriteRef()> make;
    TRect lit;
  } cases[] = {
      {"origin in the middle",
       [&] {
         return sprite(100, 100, {10, 5}, 0, 1);
       },
       {90, 95, 110, 105}},
      {"turned a quarter about it",
       [&] {
         return sprite(100, 100, {10, 5}, quarter, 1);
       },
       {95, 90, 105, 110}},
      {"scaled about it",
       [&] {
         return sprite(100, 100, {10, 5}, 0, 2);
       },
       {80, 90, 120, 110}},
      // A quarter turn clockwise about the top-left corner.
      {"turned about a corner",
       [&] {
         return sprite(100, 100, {0, 0}, quarter, 1);
       },
       {90, 100, 100, 120}},
      {"under a turned parent whose own origin moves only its picture",
       [&] {
         TSpriteRef root = At(100, 100, TTextureRef());
         root->SetDrawFlags(8);
         root->SetOrigin(TVec2(30, 30));
         TMat3 m;
         m.Rotate(quarter);
         root->SetMatrix(m);
         root->AddChild(sprite(0, 50, {10, 5}, 0, 1));  // lands 50 to the left of the root
         return root;
       },
       {45, 90, 55, 110}},
  };
  for (const auto& c : cases) {
    DrawFrame(c.make());
    EXPECT_EQ(c.lit, LitBox()) << c.name;
  }
}

TEST_F(RenderSpriteTest, RectAndHitTestFollowTheSpec) {
  TSpriteRef s = At(100, 100, quad);
  TMat3 m;
  m.Scale(2);
  s->SetMatrix(m);
  EXPECT_EQ(TRect(96, 96, 104, 104), s->GetRect());
  EXPECT_TRUE(s->HitTest(TPoint(96, 103.5f)));
  EXPECT_FALSE(s->HitTest(TPoint(104, 100)));
  s->SetDrawFlags(12);
  EXPECT_EQ(TRect(100, 100, 108, 108), s->GetRect());

  TSpriteRef child = At(50, 0, quad);
  s->AddChild(child);
  EXPECT_EQ(TRect(196, 96, 204, 104), child->GetRect(s->GetLocalSpec()));

  s->SetVisible(false);
  EXPECT_FALSE(s->HitTest(TPoint(101, 101)));
  EXPECT_TRUE(TSprite::Create(0)->GetRect().IsEmpty());
  EXPECT_TRUE(TSprite::Create(0, TTexture::Create(0, 0))->GetRect().IsEmpty());
}

TEST_F(RenderSpriteTest, TextSpriteCentresItsTextInTheBox) {
  auto text = TTextSprite::Create(200, 40, TTextSprite::kCenterH | TTextSprite::kCenterV, "default", 20,
                                  TColor32(0xFFFFFFFFu));
  text->SetPosition(TVec3(400, 300));
  text->SetText("Hello");
  DrawFrame(text);
  const TRect centred = LitBox();
  ASSERT_FALSE(centred.IsEmpty());
  EXPECT_NEAR(400, (centred.left + centred.right) / 2.0, 3);
  EXPECT_NEAR(300, (centred.top + centred.bottom) / 2.0, 4);
  EXPECT_GT(centred.Width(), 30);

  text->SetFlags(0);  // the box's top-left; the box is centred on the position
  DrawFrame(text);
  const TRect topLeft = LitBox();
  EXPECT_GE(topLeft.left, 300);
  EXPECT_LT(topLeft.left, 305);
  EXPECT_GE(topLeft.top, 280);
  EXPECT_LT(topLeft.top, 292);

  text->SetColor(TColor32(0xFFFF0000u));
  DrawFrame(text);
  bool red = false, other = false;
  for (int y = topLeft.top; y < topLeft.bottom; ++y)
    for (int x = topLeft.left; x < topLeft.right; ++x) {
      const TColor32 c(Rgb(x, y));
      red |= c.Red() > 200;
      other |= c.Green() > 0 || c.Blue() > 0;
    }
  EXPECT_TRUE(red);
  EXPECT_FALSE(other);

  text->SetText("");
  DrawFrame(text);
  EXPECT_TRUE(LitBox().IsEmpty());

  EXPECT_TRUE(text->IsKindOf(TSprite::ClassId()));
  EXPECT_FALSE(TSprite::Create(0)->IsKindOf(TTextSprite::ClassId()));
}

}  // namespace
