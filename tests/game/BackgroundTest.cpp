// The alpha, dark-room and tutorial backgrounds, the background effects on
// each kind, and the builder's choice among them.

#include <cmath>
#include <memory>

#include "game/GInventoryGameScene.h"
#include "game/OAlphaBackground.h"
#include "game/ODarkRoomBackground.h"
#include "game/OMousePointerManager.h"
#include "game/OSceneBuilder.h"
#include "game/OTutorialBackground.h"
#include "game/SceneTestUtil.h"
#include "items/ItemsTestUtil.h"
#include "items/OItemFactory.h"
#include "rules/actions/OEffect.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "visual/GVXmlLoaders.h"

namespace {
str BackgroundFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/backgrounds";
}

class BackgroundTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    TPlatform::SetContentRoot(BackgroundFixturesDir());
    overlay.SetWindowSize(800, 600);
  }
  void TearDown() override {
    GMousePointer::DestroyInstance();
    items.reset();
    ItemsTest::TearDown();
  }
  // A lamp in the player's hand.
  IItem* HoldLamp() {
    ReadyPointer();
    IItem* lamp = OItemFactory::CreateForPointer("lamp", items.get());
    EXPECT_NE(lamp, nullptr);
    lamp->CreateObject();
    EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), lamp);
    // Shown in the hand, whatever the pointer's controllers make of it.
    lamp->GetObject()->visible = 1;
    return lamp;
  }
  static std::vector<TImage*> Images(int n) {
    std::vector<TImage*> images;
    for (int i = 0; i < n; ++i) images.push_back(new TImage(true));
    return images;
  }
  static TSpriteRef Picture() {
    TXmlNode node("bg");
    node.SetAttribute("folder", "anim/picture.png");
    return LoadSpriteFromXml(&node);
  }

  TWindow overlay;
  std::unique_ptr<RecordingItemsManager> items{new RecordingItemsManager()};
};

// ---- alpha ----

TEST_F(BackgroundTest, AlphaFadesThroughItsImagesAndStaysOnTheLast) {
  std::vector<TImage*> images = Images(3);
  OAlphaBackground bg(&overlay, images, 4);
  struct Step {
    int index, phase;
    float alpha0, alpha1;  // of the pair being faded, or of the last image
  } steps[] = {
      {0, 0, 0.75f, 0.25f}, {0, 0, 0.5f, 0.5f}, {0, 0, 0.25f, 0.75f}, {1, 0, 1, 0},
      {1, 0, 0.75f, 0.25f}, {1, 0, 0.5f, 0.5f}, {1, 0, 0.25f, 0.75f}, {2, 1, 1, 1},
  };
  EXPECT_EQ(bg.GetChildren(), (std::vector<TWindow*>{images[0], images[1]}));
  int tick = 0;
  for (const Step& s : steps) {
    bg.Update();
    ++tick;
    EXPECT_EQ(bg.GetIndex(), s.index) << "tick " << tick;
    EXPECT_EQ(bg.GetPhase(), s.phase) << "tick " << tick;
    if (s.phase == 0) {
      EXPECT_FLOAT_EQ(images[s.index]->GetAlpha(), s.alpha0) << "tick " << tick;
      EXPECT_FLOAT_EQ(images[s.index + 1]->GetAlpha(), s.alpha1) << "tick " << tick;
    }
  }
  // The last image alone, for good.
  for (int i = 0; i < 10; ++i) bg.Update();
  EXPECT_EQ(bg.GetChildren(), std::vector<TWindow*>{images[2]});
  EXPECT_FLOAT_EQ(images[2]->GetAlpha(), 1);
}

TEST_F(BackgroundTest, AlphaWithoutDelayStepsOneImageATickAndFewImagesNeedNoFade) {
  std::vector<TImage*> images = Images(3);
  OAlphaBackground quick(&overlay, images, 0);
  quick.Update();
  EXPECT_EQ(quick.GetIndex(), 1);
  EXPECT_TRUE(std::isfinite(images[1]->GetAlpha()));
  quick.Update();
  EXPECT_EQ(quick.GetPhase(), OAlphaBackground::kFinished);
  EXPECT_EQ(quick.GetChildren(), std::vector<TWindow*>{images[2]});

  OAlphaBackground none(&overlay, {}, 5);
  none.Update();
  EXPECT_EQ(none.GetPhase(), OAlphaBackground::kFinished);
  EXPECT_TRUE(none.GetChildren().empty());

  std::vector<TImage*> one = Images(1);
  OAlphaBackground single(&overlay, one, 5);
  single.Update();
  EXPECT_EQ(single.GetChildren(), std::vector<TWindow*>{one[0]});
  EXPECT_FLOAT_EQ(one[0]->GetAlpha(), 1);
}

TEST_F(BackgroundTest, LeavingAnAlphaBackgroundSetsItsExitFlagSilently) {
  struct Counter : IFlagsListener {
    void OnFlagChanged() override { ++changes; }
    int changes = 0;
  } counter;
  OFlagsRegistry::GetInstance()->SetListener(&counter);
  size_t events = Events().size();
  {
    OAlphaBackground bg(&overlay, Images(2), 3);
    bg.SetExitFlag("intro_seen", "true");
  }
  { OAlphaBackground quiet(&overlay, Images(2), 3); }
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("intro_seen"), "true");
  EXPECT_EQ(counter.changes, 0);
  EXPECT_EQ(Events().size(), events);
  OFlagsRegistry::GetInstance()->SetListener(nullptr);
}

// ---- effects ----

TEST_F(BackgroundTest, PoisonNeedsAPictureAndRunsOnlyOnThePlainKinds) {
  OSimpleBackground plain(&overlay, Picture());
  plain.StartPoisonEffect();
  OEffect* first = plain.GetEffect();
  ASSERT_NE(first, nullptr);
  plain.StartPoisonEffect();
  EXPECT_EQ(plain.GetEffect(), first);
  // Finished on the tick it is done (its 574th), and a new one may start.
  for (int i = 1; i < 574; ++i) plain.Update();
  EXPECT_EQ(plain.GetEffect(), first);
  plain.Update();
  EXPECT_EQ(plain.GetEffect(), nullptr);
  plain.StartPoisonEffect();
  EXPECT_NE(plain.GetEffect(), nullptr);

  // Nothing to poison without a picture.
  OSimpleBackground bare(&overlay, TSpriteRef());
  bare.StartPoisonEffect();
  EXPECT_EQ(bare.GetEffect(), nullptr);
  OAlphaBackground alpha(&overlay, Images(2), 3);
  alpha.StartPoisonEffect();
  EXPECT_EQ(alpha.GetEffect(), nullptr);
  alpha.StartBerryPoisonEffect();
  ASSERT_NE(alpha.GetEffect(), nullptr);
  alpha.Update();
  EXPECT_NE(alpha.GetEffect(), nullptr) << "not ticked on an alpha background";
  alpha.StopEffect();
  EXPECT_EQ(alpha.GetEffect(), nullptr);

  ODarkRoomBackground dark(&overlay, nullptr, Picture());
  dark.StartPoisonEffect();
  dark.OnMouseMove(TPoint(100, 100));
  dark.Update();
  EXPECT_NE(dark.GetEffect(), nullptr) << "not ticked in a dark room";
}

// ---- dark room ----

TEST_F(BackgroundTest, DarkRoomIsBlackUntilAnItemIsHeld) {
  ODarkRoomBackground room(&overlay, nullptr, Picture());
  ASSERT_EQ(room.GetAureoles().size(), 2u);
  EXPECT_EQ(room.GetOverlayImage()->GetParent(), &overlay);
  TTextureRef dark = room.GetOverlayTexture();
  EXPECT_EQ(dark->GetPixel(0, 0), 0xFF000000u);
  EXPECT_EQ(dark->GetPixel(799, 599), 0xFF000000u);

  room.Update();  // before any move: nothing
  EXPECT_EQ(room.GetLastPatch(), nullptr);
  room.OnMouseMove(TPoint(400, 300));
  room.Update();
  ASSERT_NE(room.GetLastPatch(), nullptr);
  EXPECT_EQ(dark->GetPixel(400, 300), 0xFF000000u) << "empty hand, no light";

  IItem* lamp = HoldLamp();
  room.Update();
  // The patch is centred on the pointer; frames alternate a tick each.
  EXPECT_EQ(dark->GetPixel(390, 290), TColor32(0, 0, 1, 128).argb);
  EXPECT_EQ(dark->GetPixel(409, 309), TColor32(190, 190, 1, 128).argb);
  EXPECT_EQ(dark->GetPixel(389, 300), 0xFF000000u);
  EXPECT_EQ(dark->GetPixel(410, 300), 0xFF000000u);
  room.Update();
  EXPECT_EQ(dark->GetPixel(390, 290), TColor32(0, 0, 2, 128).argb);

  // An item that cannot be seen lights nothing; the old patch goes dark.
  lamp->GetObject()->visible = 0;
  room.Update();
  EXPECT_EQ(dark->GetPixel(395, 295), 0xFF000000u);
  lamp->GetObject()->visible = 1;

  // Moving on leaves the old place dark.
  room.OnMouseMove(TPoint(100, 100));
  room.Update();
  EXPECT_EQ(dark->GetPixel(395, 295), 0xFF000000u);
  EXPECT_NE(dark->GetPixel(100, 100), 0xFF000000u);
}

TEST_F(BackgroundTest, DarkRoomPatchIsClippedAtTheScreenEdges) {
  ODarkRoomBackground room(&overlay, nullptr, Picture());
  TTextureRef dark = room.GetOverlayTexture();
  HoldLamp();
  // Frame 2 of 20 by 20 shows on the first tick; a pixel tells which part
  // of the frame it came from.
  struct Case {
    float x, y;
    ODarkRoomBackground::Patch patch;
    int screenX, screenY, frameX, frameY;
  } cases[] = {
      {5, 3, {0, 0, 15, 13}, 0, 0, 5, 7},
      {795, 598, {785, 588, 800, 600}, 799, 599, 14, 11},
      {-3, 590, {0, 580, 7, 600}, 6, 599, 19, 19},
  };
  for (const Case& c : cases) {
    ODarkRoomBackground fresh(&overlay, nullptr, Picture());
    TTextureRef t = fresh.GetOverlayTexture();
    fresh.OnMouseMove(TPoint(c.x, c.y));
    fresh.Update();
    const ODarkRoomBackground::Patch* p = fresh.GetLastPatch();
    ASSERT_NE(p, nullptr) << c.x << "," << c.y;
    EXPECT_EQ(p->left, c.patch.left);
    EXPECT_EQ(p->top, c.patch.top);
    EXPECT_EQ(p->right, c.patch.right);
    EXPECT_EQ(p->bottom, c.patch.bottom);
    EXPECT_EQ(t->GetPixel(c.screenX, c.screenY), TColor32(10 * c.frameX, 10 * c.frameY, 2, 128).argb)
        << c.x << "," << c.y;
    // Nothing written beyond the patch, nor wrapped into the next row.
    for (int x = 0; x < 800; ++x)
      for (int y = 0; y < 600; ++y) {
        bool inside = x >= p->left && x < p->right && y >= p->top && y < p->bottom;
        if (!inside && t->GetPixel(x, y) != 0xFF000000u) {
          ADD_FAILURE() << "lit at " << x << "," << y << " for pointer " << c.x << "," << c.y;
          x = 800;
          break;
        }
      }
  }

  // Wholly off the screen: no patch at all, and the room stays dark.
  room.OnMouseMove(TPoint(-40, -40));
  room.Update();
  EXPECT_EQ(room.GetLastPatch(), nullptr);
  EXPECT_EQ(dark->GetPixel(0, 0), 0xFF000000u);
}

TEST_F(BackgroundTest, DarkRoomWithoutFramesStaysDarkAndRefreshBlanksTheOverlay) {
  size_t reports = ReportCount();
  TXmlNode node("bg");
  node.SetAttribute("aureole", "broken");
  ODarkRoomBackground broken(&overlay, &node, Picture());
  EXPECT_GE(ReportCount(), reports + 1);
  EXPECT_TRUE(broken.GetAureoles().empty());
  HoldLamp();
  broken.OnMouseMove(TPoint(400, 300));
  broken.Update();
  EXPECT_EQ(broken.GetOverlayTexture()->GetPixel(400, 300), 0xFF000000u);

  ODarkRoomBackground room(&overlay, nullptr, Picture());
  room.OnMouseMove(TPoint(400, 300));
  room.Update();
  ASSERT_NE(room.GetOverlayTexture()->GetPixel(400, 300), 0xFF000000u);
  TPlatform::GetInstance()->NotifyTexturesLost();
  EXPECT_EQ(room.GetOverlayImage()->GetTexture(), room.GetOverlayTexture());
  EXPECT_EQ(room.GetOverlayTexture()->GetPixel(400, 300), 0xFF000000u);
  EXPECT_EQ(room.GetLastPatch(), nullptr);
}

// ---- tutorial ----

TEST_F(BackgroundTest, TutorialScenesShareTheirPictureUntilItIsReleased) {
  TXmlNode node("bg");
  node.SetAttribute("type", "tutorial");
  node.SetAttribute("folder", "anim/picture.png");
  TXmlNode same("bg");
  same.SetAttribute("type", "tutorial");
  same.SetAttribute("folder", "anim/picture.png");
  TXmlNode other("bg");
  other.SetAttribute("type", "tutorial");
  other.SetAttribute("folder", "anim/lamp.png");

  OTutorialBackground first(&node, &overlay);
  OTutorialBackground second(&same, &overlay);
  ASSERT_TRUE(first.GetSprite());
  EXPECT_EQ(second.GetSprite(), first.GetSprite());
  OTutorialBackground third(&other, &overlay);
  EXPECT_NE(third.GetSprite(), first.GetSprite());

  OTutorialBackground::ReleaseSharedTexture();
  EXPECT_FALSE(OTutorialBackground::HasSharedSprite());
  OTutorialBackground fourth(&other, &overlay);
  EXPECT_NE(fourth.GetSprite(), third.GetSprite());
  OTutorialBackground::ReleaseSharedTexture();
}

// ---- the builder's choice ----

class BackgroundBuildTest : public SceneFixture {
 protected:
  void SetUp() override {
    UseRoot(BackgroundFixturesDir());
    ResetGame();
  }
  void TearDown() override {
    OTutorialBackground::ReleaseSharedTexture();
    SceneFixture::TearDown();
  }
  GInventoryGameScene* Build(const char* xml) {
    node.reset(new TXmlNode());
    EXPECT_TRUE(node->ParseString(xml));
    return static_cast<GInventoryGameScene*>(BuildScene(node->GetChildAt(0)));
  }
  std::unique_ptr<TXmlNode> node;
};

TEST_F(BackgroundBuildTest, TheBgTypeChoosesTheBackground) {
  struct Case {
    const char* bg;
    uintptr_t kind;
  } cases[] = {
      {"<bg folder='anim/picture.png'/>", OSimpleBackground::ClassId()},
      {"<bg type='tutorial' folder='anim/picture.png'/>", OTutorialBackground::ClassId()},
      {"<bg type='dark' folder='anim/picture.png'/>", ODarkRoomBackground::ClassId()},
      {"<bg type='alpha' delay='3'><i folder='anim/' asset='picture.png'/><i folder='anim/' "
       "asset='lamp.png'/></bg>",
       OAlphaBackground::ClassId()},
  };
  for (const Case& c : cases) {
    str xml = str("<s><state>") + c.bg + "</state></s>";
    std::unique_ptr<GInventoryGameScene> scene(Build(xml.c_str()));
    ASSERT_TRUE(scene && scene->GetBackground()) << c.bg;
    EXPECT_TRUE(scene->GetBackground()->IsKindOf(c.kind)) << c.bg;
    EXPECT_EQ(scene->GetBackground()->GetOverlay(), scene->GetOverlayLayer()) << c.bg;
  }

  size_t reports = ReportCount();
  std::unique_ptr<GInventoryGameScene> odd(Build("<s><state><bg type='sepia'/></state></s>"));
  EXPECT_EQ(odd->GetBackground(), nullptr);
  EXPECT_GT(ReportCount(), reports);

  // The exit flag is set when the scene, and so its background, goes.
  std::unique_ptr<GInventoryGameScene> alpha(
      Build("<s><state><bg type='alpha' delay='2' exit_flag_name='seen' exit_flag_value='yes'>"
            "<i folder='anim/' asset='picture.png'/><i folder='anim/' asset='lamp.png'/></bg></state></s>"));
  OAlphaBackground* bg = static_cast<OAlphaBackground*>(alpha->GetBackground());
  EXPECT_EQ(bg->GetImages().size(), 2u);
  EXPECT_EQ(bg->GetDelay(), 2);
  alpha.reset();
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("seen"), "yes");
}
}  // namespace
