// A burning match used on a place of the scene: a rule that acts puts the
// match out in the hand; a rule that gives another item leaves that item
// alone (the box it replaced is gone); no rule leaves the match burning.

#include "game/GFullScreenGameScene.h"
#include "game/GMasksManager.h"
#include "game/OMask.h"
#include "game/OMousePointerManager.h"
#include "game/SceneTestUtil.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "items/OMatchesBoxItem.h"
#include "sdk/TImage.h"
#include "sdk/TTexture.h"
#include "sdk/TWindowStyle.h"

namespace {
class HeldMatchTest : public SceneFixture {};

TEST_F(HeldMatchTest, AMatchUsedOnAPlaceGoesOutOnlyWhileTheBoxIsStillHeld) {
  AddToGuide(
      "<box type='matches_box'><gvobject name='torch'>anim/</gvobject>"
      "<initial_matches_count>3</initial_matches_count><match_life_ticks>-1</match_life_ticks></box>"
      "<lamp><gvobject name='torch'>anim/</gvobject></lamp>");
  TWindowStyle style;
  GMousePointer::GetInstance()->Init(style);
  OMousePointerManager* pointer = GMousePointer::GetInstance()->GetManager();
  struct Case {
    const char* place;
    const char* held;
    int mode;
  } cases[] = {
      {"well", "box", OMatchesBoxItem::kBox},
      {"hearth", "lamp", -1},
      // No rule: the match burns on, and a burning match is not put down.
      {"shelf", "box", OMatchesBoxItem::kBurning},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place);
    OFlagsRegistry::GetInstance()->SetValue("knocked", "false");
    OItemsRegistry::GetInstance()->Clear();
    GFullScreenGameScene scene;
    scene.SetMasksManager(new GMasksManager(&scene));
    scene.GetBackgroundLayer()->AdoptChild(scene.GetMasksManager());
    scene.SetItemsManager(new OItemsManager(&scene));
    std::vector<uint32_t> pixels(4, 0xFF000000u);
    TImage* image = new TImage();
    image->SetTexture(TTexture::FromPixels(2, 2, pixels.data()));
    scene.GetMasksManager()->AddMask(new OSimpleMask(c.place, image, "", scene.GetMasksManager()));
    scene.SetState(GScene::kActive);

    IItem* box = OItemFactory::CreateForPointer("box", scene.GetItemsManager());
    box->CreateObject();
    ASSERT_EQ(pointer->GetHeldItem(), box);
    box->Use(TPoint());
    ASSERT_EQ(box->GetCurrentName(), "match");

    scene.OnSceneClick(TPoint(1, 1));
    IItem* held = pointer->GetHeldItem();
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->GetName(), c.held);
    if (c.mode >= 0) {
      EXPECT_EQ(static_cast<OMatchesBoxItem*>(held)->GetMatchMode(), c.mode);
    }
    EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("knocked"), str(c.place) == "well" ? "true" : "false");
    pointer->DeleteHeldItem();
  }
}
}  // namespace
