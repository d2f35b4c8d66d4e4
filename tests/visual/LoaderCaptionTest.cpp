#include <gtest/gtest.h>

#include <memory>

#include "VisualTestUtil.h"
#include "game/GSceneCaption.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TText.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GVObject.h"
#include "visual/GVXmlLoaders.h"
#include "visual/GZInterpolator.h"

TEST(PictureLoaders, TextureImageAndSprite) {
  OpenHeadlessRenderer();
  auto e = ParseXml(
      "<p folder='visual/anim/' asset='ring.png' x='5' y='0' hflip='True' vflip='true'>strip.png</p>");
  TTextureRef t = LoadTextureFromXml(e.get());
  EXPECT_EQ(40, t->GetWidth());  // the text wins over "asset"
  std::unique_ptr<TImage> image(LoadImageFromXml(e.get()));
  EXPECT_EQ(5, image->GetX());
  EXPECT_EQ(2, image->GetDrawFlags());  // "True" is not "true"
  TSpriteRef s = LoadSpriteFromXml(e.get());
  EXPECT_EQ(5.f, s->GetPosition().x);

  auto list = ParseXml(
      "<imgs folder='visual/anim/'><i asset='ring.png' x='3' y='4'/><i folder='visual/anim/caption/' "
      "asset='left.png'/></imgs>");
  std::vector<TImage*> images = LoadImagesFromXml(list.get());
  ASSERT_EQ(2u, images.size());
  EXPECT_EQ(20, images[0]->GetTexture()->GetWidth());
  EXPECT_EQ(4, images[0]->GetY());
  EXPECT_EQ(8, images[1]->GetTexture()->GetWidth());
  for (TImage* i : images) delete i;
}

TEST(PictureLoaders, PlacesBeyondTheContentRangeAreHeldToIt) {
  OpenHeadlessRenderer();
  auto e = ParseXml("<p folder='visual/anim/' asset='ring.png' x='99999999999' y='-99999999999'/>");
  size_t before = ReportCount();
  std::unique_ptr<TImage> image(LoadImageFromXml(e.get()));
  EXPECT_EQ(ReportCount() - before, 2u);
  EXPECT_EQ(100000, image->GetX());
  EXPECT_EQ(-100000, image->GetY());
  TSpriteRef s = LoadSpriteFromXml(e.get());
  EXPECT_EQ(100000.f, s->GetPosition().x);
}

TEST(PictureLoaders, ParticlesStackAndStartByActive) {
  OpenHeadlessRenderer();
  str root = TPlatform::GetContentRoot();
  auto e = ParseXml(
      "<ps><p file='visual/particles/idle.lua' x='3' y='4'/><p file='visual/particles/idle.lua' active='0'/>"
      "<p file='visual/particles/idle.lua' action='gAction = 7'/></ps>");
  std::vector<TFxSpriteRef> sprites;
  std::vector<GBaseInterpolator*> ips;
  TSpriteRef parent = TSprite::Create(0);
  LoadParticlesFromXml(e.get(), sprites, ips, parent);
  ASSERT_EQ(3u, sprites.size());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(i, sprites[i]->GetLayer());
  EXPECT_EQ(3u, parent->GetChildren().size());
  EXPECT_EQ(3.f, sprites[0]->GetPosition().x);
  ASSERT_TRUE(sprites[0]->GetScript());
  EXPECT_TRUE(sprites[0]->GetScript()->DoLuaString("assert(gActive == true)"));
  EXPECT_TRUE(sprites[1]->GetScript()->DoLuaString("assert(gActive == false)"));
  EXPECT_TRUE(sprites[2]->GetScript()->DoLuaString("assert(gAction == 7)"));

  auto one = ParseXml("<p file='visual/particles/idle.lua' layer='2' x='1.5' y='2'/>");
  TFxSpriteRef idle = CreateParticleFromXml(one.get());
  ASSERT_TRUE(idle);
  EXPECT_EQ(2, idle->GetLayer());
  EXPECT_EQ(1.5f, idle->GetPosition().x);
  EXPECT_TRUE(idle->GetScript()->DoLuaString("assert(gActive == false)"));
  EXPECT_EQ(nullptr, LoadAnimationFromXml(one.get(), nullptr));
}

TEST(PictureLoaders, ParticlePathsInDocumentOrder) {
  OpenHeadlessRenderer();
  auto e = ParseXml(
      "<p file='visual/particles/idle.lua'><ip name='spline' time='100' coords='0,0,10,0'/>"
      "<ip name='nothing'/><ip name='spline' time='200' coords='5,5,5,50'/></p>");
  std::vector<TFxSpriteRef> sprites;
  std::vector<GBaseInterpolator*> ips;
  LoadParticleFromXml(e.get(), sprites, ips, TSpriteRef());
  ASSERT_EQ(2u, ips.size());
  EXPECT_EQ(100u, ips[0]->time);
  EXPECT_EQ(200u, ips[1]->time);
  for (GBaseInterpolator* ip : ips) {
    EXPECT_EQ(0, ip->elapsed);
    EXPECT_EQ(sprites[0], ip->target);
    delete ip;
  }
}

TEST(PictureLoaders, AnimationsMadeFromTheirElements) {
  OpenHeadlessRenderer();
  str saved = TPlatform::GetContentRoot();
  // Animations read "xml/" and "anim/" under the content root.
  TPlatform::SetContentRoot(saved + "/visual");
  GVDrawList list;
  auto e = ParseXml(
      "<anims><animation file='strip'><states><state id='a' vstate='run' time='400'/></states></animation>"
      "<other file='strip'/>"
      "<animation file='strip'><states><state id='b'/></states></animation>"
      "<animation file='nosuch'><states><state id='c' time='1'/></states></animation></anims>");
  std::vector<GZInterpolator*> anims = LoadAnimationsFromXml(e.get(), &list);
  ASSERT_EQ(1u, anims.size());
  ASSERT_TRUE(anims[0]->GetObject());
  EXPECT_TRUE(list.Contains(anims[0]->GetObject()));
  // The refused one (a state without time needs a "main" child) left nothing behind.
  EXPECT_EQ(1u, list.Size());
  for (GZInterpolator* z : anims) delete z;
  EXPECT_EQ(0u, list.Size());
  TPlatform::SetContentRoot(saved);
}

namespace {
std::unique_ptr<OSceneCaption> MakeCaption() {
  OpenHeadlessRenderer();
  std::unique_ptr<TXmlNode> look(new TXmlNode);
  look->ParseFile(TPlatform::ResolvePath("visual/cfg_caption.xml"));
  return std::unique_ptr<OSceneCaption>(new OSceneCaption(look.get()));
}
}  // namespace

TEST(SceneCaption, PlacedBesideTheAnchorAndFlippedNearTheEdge) {
  auto c = MakeCaption();
  c->SetAnchor(100, 200);
  c->SetText("Lamp");
  int width = c->GetFrameRect().right - c->GetFrameRect().left;
  EXPECT_EQ(8 + 8 + 16 * c->GetMiddleCount(), width);
  EXPECT_EQ(TRect(130, 200, 130 + width, 224), c->GetFrameRect());
  EXPECT_EQ(c.get(), c->GetTextWindow()->GetParent());

  c->SetAnchor(780, 50);
  c->Refresh();
  EXPECT_EQ(780 - 30, c->GetFrameRect().right);  // its right end 30 pixels left of the anchor

  // Narrow text still gets a middle piece.
  c->SetText("i");
  EXPECT_EQ(1, c->GetMiddleCount());
}

TEST(SceneCaption, HiddenOnlyStoresAndEmptyKeyEmpties) {
  auto c = MakeCaption();
  c->SetAnchor(100, 100);
  c->SetShown(false);
  EXPECT_EQ(nullptr, c->GetTextWindow()->GetParent());
  c->SetText("A much longer caption text");
  EXPECT_EQ(TRect(0, 0, 0, 0), c->GetFrameRect());  // not laid out while hidden
  c->SetShown(true);
  EXPECT_EQ(130, c->GetFrameRect().left);
  c->SetKey("");
  EXPECT_EQ("", c->GetText());

  // Without pieces nothing divides by a zero width.
  OSceneCaption bare(nullptr);
  bare.SetText("text");
  EXPECT_EQ(1, bare.GetMiddleCount());
}
