// The scene base's fades and pauses, the full-screen scene's click road and
// pause, the inventory scene's panel, and the plain background.

#include <memory>

#include "game/GFullScreenGameScene.h"
#include "game/GInventoryGameScene.h"
#include "game/GMasksManager.h"
#include "game/GMiniGameScene.h"
#include "game/GSceneCaption.h"
#include "game/IMask.h"
#include "game/ODropZone.h"
#include "game/ODropZoneSet.h"
#include "game/OItemMask.h"
#include "game/OMask.h"
#include "game/OMousePointerManager.h"
#include "game/OSimpleBackground.h"
#include "game/SceneTestUtil.h"
#include "items/ODialogItem.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "rules/actions/OEffect.h"
#include "rules/hints/OSimpleHint.h"
#include "sdk/TImage.h"
#include "sdk/TTexture.h"
#include "sdk/TWindowStyle.h"
#include "tools/GFrontItemHolder.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"

namespace {

class SceneTest : public SceneFixture {};

// An item that records where it was sent.
class HandItem : public OItem {
 public:
  explicit HandItem(const str& name) : OItem(name, nullptr, "", "") {}
  void OnStateChange(GVObject*, TState, TState&) override {}
  void OnStateEnd(GVObject*, TState) override {}
  bool IsInScene() const override { return false; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return true; }
  bool OnMaskClick(IMask*) override { return false; }
  void ReleaseMask() override {}
  void Detach() override {}
  void SaveState() override {}
  void MoveToScene() override { moves += "scene;"; }
  void MoveToDropped() override { moves += "dropped;"; }
  void MoveToPointer() override { moves += "pointer;"; }
  bool CanBeDropped() const override { return droppable; }
  str moves;
  bool droppable = true;
};

// A scene with its masks and items managers and an empty drop-zone set, as
// the builder leaves it, and a pointer holding `held`.
struct HandScene {
  GFullScreenGameScene scene;
  OMousePointerManager* pointer;
  explicit HandScene(IItem* held, bool hints) {
    scene.SetMasksManager(new GMasksManager(&scene));
    scene.GetBackgroundLayer()->AdoptChild(scene.GetMasksManager());
    scene.SetItemsManager(new OItemsManager(&scene));
    scene.SetDropZoneSet(new ODropZoneSet(scene.GetMasksManager(), scene.GetItemsManager()));
    scene.SetItemNames(new std::vector<str>{"lamp"});
    scene.SetDropZoneHints(hints);
    TWindowStyle style;
    GMousePointer::GetInstance()->Init(style);
    pointer = GMousePointer::GetInstance()->GetManager();
    pointer->HoldItem(held);
    scene.SetState(GScene::kActive);
  }
};

struct SceneCountingAction : IAction {
  int* runs;
  explicit SceneCountingAction(int* r) : runs(r) {}
  void Execute() override { ++*runs; }
  void SetOwner(GMasksManager*) override {}
};

TEST_F(SceneTest, FadeInTakes35TicksAndEntersOnTheLast) {
  GScene scene;
  scene.SetState(GScene::kFadeIn);
  EXPECT_TRUE(scene.IsPaused());
  EXPECT_FLOAT_EQ(scene.GetFadeImage()->GetAlpha(), 1);
  for (int i = 0; i < 34; ++i) scene.Update();
  EXPECT_EQ(scene.GetState(), GScene::kFadeIn);
  EXPECT_TRUE(scene.IsPaused());
  EXPECT_FALSE(Sent("scene_enter living_room"));
  EXPECT_NEAR(scene.GetFadeImage()->GetAlpha(), 1.0 / 35, 1e-6);
  scene.Update();
  EXPECT_EQ(scene.GetState(), GScene::kActive);
  EXPECT_FALSE(scene.IsPaused());
  EXPECT_FLOAT_EQ(scene.GetFadeImage()->GetAlpha(), 0);
  EXPECT_TRUE(Sent("scene_enter living_room"));
}

TEST_F(SceneTest, FadeOutsPauseAtOnceAndEndFadedOut) {
  struct Case {
    int start, end;
  } cases[] = {{GScene::kFadeOutScene, GScene::kFadedOutScene}, {GScene::kFadeOut, GScene::kFadedOut}};
  for (const Case& c : cases) {
    GScene scene;
    scene.SetState(GScene::kActive);
    scene.SetState(c.start);
    EXPECT_TRUE(scene.IsPaused());
    EXPECT_FLOAT_EQ(scene.GetFadeImage()->GetAlpha(), 0);
    for (int i = 0; i < 34; ++i) scene.Update();
    EXPECT_EQ(scene.GetState(), c.start);
    scene.Update();
    EXPECT_EQ(scene.GetState(), c.end);
    EXPECT_FLOAT_EQ(scene.GetFadeImage()->GetAlpha(), 1);
    EXPECT_TRUE(scene.IsPaused());
    // Faded out is where the fade stops.
    scene.Update();
    EXPECT_EQ(scene.GetState(), c.end);
  }
}

TEST_F(SceneTest, LayersPutTheFadeOverEverything) {
  GScene scene;
  const std::vector<TWindow*>& children = scene.GetChildren();
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(children[0], scene.GetSceneLayer());
  EXPECT_EQ(children[1], scene.GetCaptionLayer());
  EXPECT_EQ(children[2], scene.GetTopLayer());
  EXPECT_EQ(scene.GetTopLayer()->GetChildren().front(), scene.GetFadeImage());
}

TEST_F(SceneTest, GoToSceneFadesOutOnlyToAKnownScene) {
  GScene scene;
  scene.SetState(GScene::kActive);
  scene.GoToScene("no_such_scene");
  EXPECT_EQ(scene.GetState(), GScene::kActive);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "living_room");
  scene.GoToScene("hall");
  EXPECT_EQ(scene.GetState(), GScene::kFadeOutScene);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "hall");
}

TEST_F(SceneTest, FullScreenSceneCountsAsPausedOutsidePlay) {
  GFullScreenGameScene scene;
  scene.SetMasksManager(new GMasksManager(&scene));
  scene.GetBackgroundLayer()->AdoptChild(scene.GetMasksManager());
  scene.SetState(GScene::kActive);
  EXPECT_FALSE(scene.IsPaused());
  EXPECT_FALSE(scene.GetMasksManager()->IsBlocked());
  scene.SetInteractionMode(GFullScreenGameScene::kDialog);
  EXPECT_TRUE(scene.IsPaused());
  scene.SetInteractionMode(GFullScreenGameScene::kPlay);
  scene.Pause();
  EXPECT_TRUE(scene.GetMasksManager()->IsBlocked());
  // The caption leaves its layer while paused and comes back on resume.
  EXPECT_EQ(scene.GetCaption()->GetParent(), nullptr);
  scene.Resume();
  EXPECT_EQ(scene.GetCaption()->GetParent(), scene.GetCaptionLayer());
  EXPECT_FALSE(scene.GetMasksManager()->IsBlocked());
}

// Takes every click inside its square.
struct SquareMask : IMask {
  int clicks = 0;
  SquareMask() : IMask("square") {}
  bool IsActive() override { return true; }
  bool HitTest(const TPoint& p) override { return p.x >= 300 && p.x < 400 && p.y >= 300 && p.y < 400; }
  void OnEnter(const TPoint&) override {}
  void OnLeave() override {}
  bool OnClick() override { return ++clicks, true; }
};

TEST_F(SceneTest, ClickWhileBlockedReachesNothing) {
  AddToGuide("<jar><gvobject name=\"torch\">anim/</gvobject></jar>");
  HandScene hand(nullptr, true);
  GFullScreenGameScene& scene = hand.scene;
  // A jar lying in a zone at (100, 100), a mask at (300, 300).
  IItem* jar = OItemFactory::CreateDropped("jar", scene.GetItemsManager());
  ASSERT_NE(jar, nullptr);
  jar->CreateObject();
  jar->GetObject()->deltaX = 100;
  jar->GetObject()->deltaY = 100;
  jar->GetObject()->changed = 1;
  uint32_t pixel = 0xFF000000;
  scene.GetDropZoneSet()->AddZone(
      new ODropZone(TTexture::FromPixels(1, 1, &pixel), 0, 0, "shelf", true, new std::vector<IItem*>{jar}));
  SquareMask* mask = new SquareMask();
  scene.GetMasksManager()->AddMask(mask);
  HandItem* key = new HandItem("key");
  const TPoint onJar(105, 104), onMask(350, 350), elsewhere(600, 500);

  scene.Pause();
  EXPECT_FALSE(scene.OnSceneClick(onJar));
  EXPECT_EQ(scene.GetMasksManager()->GetLastPointerPosition().x, onJar.x);
  EXPECT_EQ(hand.pointer->GetHeldItem(), nullptr);
  hand.pointer->HoldItem(key);
  EXPECT_FALSE(scene.OnSceneClick(onMask));
  EXPECT_FALSE(scene.OnSceneClick(elsewhere));
  EXPECT_EQ(mask->clicks, 0);
  EXPECT_EQ(key->moves, "");
  EXPECT_TRUE(OHintsManager::GetInstance()->GetQueue().empty());

  // The same clicks reach each of them once the scene plays again.
  scene.Resume();
  EXPECT_TRUE(scene.OnSceneClick(onMask));
  EXPECT_EQ(mask->clicks, 1);
  scene.OnSceneClick(elsewhere);
  EXPECT_EQ(key->moves, "dropped;pointer;");
  hand.pointer->DeleteHeldItem();
  EXPECT_TRUE(scene.OnSceneClick(onJar));
  EXPECT_EQ(hand.pointer->GetHeldItem(), jar);
  hand.pointer->DeleteHeldItem();
}

TEST_F(SceneTest, AHeldSceneItemGoesBackIntoTheScene) {
  HandItem* lamp = new HandItem("lamp");
  HandScene hand(lamp, true);
  EXPECT_FALSE(hand.scene.OnSceneClick(TPoint(50, 50)));
  EXPECT_EQ(lamp->moves, "scene;");
  EXPECT_EQ(hand.pointer->GetHeldItem(), nullptr);
  EXPECT_EQ(hand.scene.GetItemsManager()->FindItem("lamp"), lamp);
  EXPECT_TRUE(OHintsManager::GetInstance()->GetQueue().empty());
}

TEST_F(SceneTest, WithoutDropZonesAForeignItemStaysHeldAndHintsOnlyWhenEnabled) {
  for (bool hints : {true, false}) {
    OHintsManager::DeleteInstance();
    HandItem* key = new HandItem("key");
    HandScene hand(key, hints);
    hand.scene.OnSceneClick(TPoint(50, 50));
    EXPECT_EQ(hand.pointer->GetHeldItem(), key);
    EXPECT_EQ(key->moves, "");
    const std::vector<IHint*>& queue = OHintsManager::GetInstance()->GetQueue();
    ASSERT_EQ(queue.size(), hints ? 1u : 0u);
    if (hints) {
      EXPECT_EQ(static_cast<OSimpleHint*>(queue[0])->GetTextKey(), "hint_no_drop_zone");
    }
    hand.pointer->DeleteHeldItem();
  }
}

// The jar belongs to the scene; the key to some other scene.
TEST_F(SceneTest, RestoringAnItemReturnsItWhereverItIsAndTouchesOnlyItsOwnScene) {
  AddToGuide(
      "<jar><gvobject name=\"torch\">anim/</gvobject><scene_mask name=\"jar_mask\"/>"
      "<particles><scene_put file=\"scripts/empty.lua\"/></particles></jar>"
      "<key><gvobject name=\"torch\">anim/</gvobject><scene_mask name=\"jar_mask\"/>"
      "<particles><scene_put file=\"scripts/empty.lua\"/></particles></key>");
  auto place = [](const str& name) {
    int32_t value = -1;
    OItemsRegistry::GetInstance()->GetState(name, 0, &value);
    return value;
  };
  enum Where { kInTheScene, kInTheHand, kGone };
  struct Case {
    const char* name;
    Where where;
  } cases[] = {
      {"jar", kInTheScene}, {"jar", kInTheHand}, {"jar", kGone}, {"key", kInTheHand}, {"key", kGone}};
  for (const Case& c : cases) {
    SCOPED_TRACE(str(c.name) + " " + str::format("%d", int(c.where)));
    OItemsRegistry::DeleteInstance();
    HandScene hand(nullptr, true);
    GFullScreenGameScene& scene = hand.scene;
    OItemsManager* items = scene.GetItemsManager();
    scene.SetItemNames(new std::vector<str>{"jar"});
    OItemMask* mask = new OItemMask("jar_mask", new TImage(true), "", scene.GetMasksManager());
    scene.GetMasksManager()->AddMask(mask);
    if (c.where == kInTheScene) {
      IItem* lying = OItemFactory::CreateForScene(c.name, items);
      ASSERT_NE(lying, nullptr);
      lying->CreateObject();
      items->AddItem(lying);
    } else if (c.where == kInTheHand) {
      OItemFactory::CreateForPointer(c.name, items)->CreateObject();
      ASSERT_NE(hand.pointer->GetHeldItem(), nullptr);
    } else {
      OItemsRegistry::GetInstance()->SetState(c.name, ItemPlace::stPointer);
    }
    std::unique_ptr<TXmlNode> node(new TXmlNode());
    ASSERT_TRUE(node->ParseString(str("<a type='restore_item' item_id='") + c.name + "'/>"));
    std::unique_ptr<IAction> restore(OActionFactory::CreateAction(node.get(), scene.GetMasksManager()));
    restore->Execute();

    EXPECT_EQ(place(c.name), ItemPlace::stScene);
    EXPECT_EQ(hand.pointer->GetHeldItem(), nullptr);
    EXPECT_TRUE(Sent(str("item_scene_return ") + c.name));
    IItem* returned = items->FindItem(c.name);
    if (str(c.name) == "jar") {
      // Once in the scene, taken by its own mask, with its particle.
      ASSERT_NE(returned, nullptr);
      EXPECT_EQ(items->GetItems().size(), 1u);
      EXPECT_EQ(mask->GetItem(), returned);
      EXPECT_EQ(scene.GetEffectsList()->size(), 1u);
    } else {
      EXPECT_EQ(returned, nullptr);
      EXPECT_EQ(mask->GetItem(), nullptr);
      EXPECT_TRUE(scene.GetEffectsList()->empty());
    }
    OMissionsManager::DeleteInstance();
  }
}

TEST_F(SceneTest, AHeldItemUsedOnAPlaceFollowsTheCombinationRules) {
  // Over a whole-screen mask of the place's name, with drop-zone hints on:
  // whatever the rule does ends the use before any hint.
  for (const char* place : {"well", "pit", "shelf"}) {
    SCOPED_TRACE(place);
    OHintsManager::DeleteInstance();
    OFlagsRegistry::GetInstance()->SetValue("knocked", "false");
    OFlagsRegistry::GetInstance()->SetValue("after_knock", "false");
    HandItem* key = new HandItem("key");
    HandScene hand(key, true);
    std::vector<uint32_t> pixels(4, 0xFF000000u);
    TImage* image = new TImage();
    image->SetTexture(TTexture::FromPixels(2, 2, pixels.data()));
    hand.scene.GetMasksManager()->AddMask(new OSimpleMask(place, image, "", hand.scene.GetMasksManager()));
    hand.scene.OnSceneClick(TPoint(1, 1));
    str name = place;
    bool acted = name == "well";
    EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("knocked"), acted ? "true" : "false");
    EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("after_knock"), acted ? "true" : "false");
    // The pit's rule takes the key though its result cannot be made.
    EXPECT_EQ(hand.pointer->GetHeldItem(), name == "pit" ? nullptr : key);
    EXPECT_EQ(OHintsManager::GetInstance()->GetQueue().size(), name == "shelf" ? 1u : 0u);
    hand.pointer->DeleteHeldItem();
  }
}

TEST_F(SceneTest, ANoteInFrontPausesTheSceneUntilAClickTakesIt) {
  struct NoteItem : HandItem {
    NoteItem() : HandItem("letter") {}
    int32_t GetTypeId() const override { return ItemTypeId::ONoteItem; }
    bool IsKindOf(int32_t id) const override { return id == ItemTypeId::ONoteItem || HandItem::IsKindOf(id); }
  };
  HandScene hand(nullptr, true);
  NoteItem* note = new NoteItem();
  hand.scene.ShowFrontItem(note);
  EXPECT_EQ(hand.scene.GetInteractionMode(), GFullScreenGameScene::kNote);
  EXPECT_TRUE(hand.scene.IsPaused());
  hand.scene.OnMouseDown(TPoint(400, 300));
  EXPECT_EQ(hand.scene.GetInteractionMode(), GFullScreenGameScene::kPlay);
  EXPECT_EQ(hand.scene.GetFrontItemHolder()->mItem, nullptr);
  EXPECT_EQ(hand.pointer->GetHeldItem(), note);
  hand.pointer->DeleteHeldItem();
}

TEST_F(SceneTest, ADialogIsToldByItsClassAndLetsTheScenePlayOnceItHasSlidOut) {
  HandScene hand(nullptr, true);
  OItemMask* mask = new OItemMask("all_scene", nullptr, "", hand.scene.GetMasksManager());
  hand.scene.GetMasksManager()->AddMask(mask);

  // A plain item answers with the same type id as a dialog, and changes
  // nothing in front.
  HandItem* plain = new HandItem("plain");
  hand.scene.ShowFrontItem(plain);
  EXPECT_EQ(hand.scene.GetInteractionMode(), GFullScreenGameScene::kPlay);
  hand.scene.GetFrontItemHolder()->mItem = nullptr;
  delete plain;

  TXmlNode node("talk");
  ASSERT_TRUE(
      node.ParseString("<talk><dialog><hi>hello</hi></dialog><num_anim_frames>1</num_anim_frames>"
                       "<result_action flag_name=\"talked\" flag_value=\"true\"/></talk>"));
  OItemsManager* items = hand.scene.GetItemsManager();
  ODialogItem* dialog = ODialogItem::CreateFromXml("talk", &node, items, hand.scene.GetBackgroundLayer(),
                                                   hand.scene.GetFrontItemHolder());
  ASSERT_EQ(dialog->GetTypeId(), ItemTypeId::OItem);
  items->AddItem(dialog);
  dialog->CreateObject();
  EXPECT_EQ(hand.scene.GetInteractionMode(), GFullScreenGameScene::kDialog);
  EXPECT_EQ(hand.scene.GetFrontItemHolder()->mItem, dialog);
  EXPECT_TRUE(hand.scene.IsPaused());

  // Two updates a tick: waiting, sliding in, talking.
  hand.scene.Update();
  ASSERT_EQ(dialog->GetPhase(), ODialogItem::kTalking);
  EXPECT_TRUE(dialog->OnMaskClick(mask));
  ASSERT_EQ(dialog->GetPhase(), ODialogItem::kSlidingOut);
  EXPECT_TRUE(hand.scene.IsPaused()) << "still in front while the panel slides out";
  hand.scene.Update();
  EXPECT_EQ(dialog->GetPhase(), ODialogItem::kFinished);
  EXPECT_EQ(hand.scene.GetInteractionMode(), GFullScreenGameScene::kPlay);
  EXPECT_FALSE(hand.scene.IsPaused());
  EXPECT_EQ(hand.scene.GetFrontItemHolder()->mItem, nullptr);
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("talked"), "true");
  EXPECT_EQ(items->FindItem("talk"), dialog) << "it stays with the scene's items";
}

TEST_F(SceneTest, NothingIsUsedWhileTheSceneIsPaused) {
  HandItem* lamp = new HandItem("lamp");
  HandScene hand(lamp, true);
  hand.scene.Pause();
  EXPECT_FALSE(hand.scene.OnSceneClick(TPoint(50, 50)));
  EXPECT_EQ(hand.pointer->GetHeldItem(), lamp);
  EXPECT_EQ(lamp->moves, "");
  hand.pointer->DeleteHeldItem();
}

TEST_F(SceneTest, InventorySceneLocksItsPanelWithThePause) {
  GGamePanel* panel = new GGamePanel();
  {
    GInventoryGameScene scene(false);
    scene.AttachPanel(panel);
    EXPECT_EQ(panel->GetKind(), 0);
    EXPECT_EQ(panel->GetParent(), scene.GetPanelLayer());
    scene.Pause();
    EXPECT_TRUE(panel->IsLocked());
    scene.Resume();
    EXPECT_FALSE(panel->IsLocked());
    scene.SetInteractionMode(GFullScreenGameScene::kNote);
    EXPECT_TRUE(panel->IsLocked());
    scene.SetInteractionMode(GFullScreenGameScene::kPlay);
    EXPECT_FALSE(panel->IsLocked());
  }
  // The dying scene gives the panel back.
  EXPECT_EQ(panel->GetParent(), nullptr);
  EXPECT_EQ(panel->GetClient(), nullptr);
  GInventoryGameScene full(true);
  full.AttachPanel(panel);
  EXPECT_EQ(panel->GetKind(), 3);
  full.DetachPanel();
  delete panel;
}

TEST_F(SceneTest, PassageButtonsRunOnlyTheBordersThatExist) {
  GGamePanel panel;
  GInventoryGameScene scene(false);
  scene.AttachPanel(&panel);
  int runs = 0;
  scene.SetBorders(
      new std::vector<IAction*>{nullptr, new SceneCountingAction(&runs), nullptr, nullptr, nullptr});
  EXPECT_FALSE(panel.HasPassage(0));
  EXPECT_TRUE(panel.HasPassage(1));
  for (int direction : {-1, 0, 2, 4, 5}) scene.OnPassageButtonClick(direction);
  EXPECT_EQ(runs, 0);
  scene.OnPassageButtonClick(1);
  EXPECT_EQ(runs, 1);
  scene.DetachPanel();
}

TEST_F(SceneTest, WheelScrollsTheInventoryBothWays) {
  GGamePanel panel;
  TXmlNode strip;
  ASSERT_TRUE(
      strip.ParseString("<inventory><cells totalCells='4' width='10' height='10'><p x='0' y='0'/><p x='20' "
                        "y='0'/></cells></inventory>"));
  TWindowStyle style;
  panel.GetMainInventory()->LoadCells(style, &strip);
  GInventoryGameScene scene(false);
  scene.AttachPanel(&panel);
  // Up (4, 6) goes back, down (5, 7) goes on, within 0 to 2.
  std::vector<int> firsts;
  for (int event : {5, 7, 5, 4, 6, 6}) {
    scene.OnExtendedMouseEvent(TPoint(1, 1), event);
    firsts.push_back(panel.GetMainInventory()->GetFirstCell());
  }
  EXPECT_EQ(firsts, (std::vector<int>{1, 2, 2, 1, 0, 0}));
  scene.DetachPanel();
}

TEST_F(SceneTest, MiniGameLayersLieAboveTheFadeAndEffectsStackUp) {
  GMiniGameScene scene;
  const std::vector<TWindow*>& top = scene.GetTopLayer()->GetChildren();
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ(top[0], scene.GetFadeImage());
  EXPECT_EQ(top[1], scene.GetLayer());
  EXPECT_EQ(top[2], scene.GetPopupLayer());
  TXmlNode node;
  ASSERT_TRUE(node.ParseString(
      "<effect file='scripts/empty.lua'><ip name='spline' time='100' coords='0,0,10,10'/><other/></effect>"));
  TSpriteRef first = scene.AddAnimation(&node, 3, 4);
  TSpriteRef second = scene.AddAnimation(&node, 5, 6);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->GetLayer(), 0);
  EXPECT_EQ(second->GetLayer(), 1);
  EXPECT_EQ(scene.GetSpriteRoot()->GetChildren().size(), 2u);
  EXPECT_EQ(scene.GetInterpolators()->size(), 2u);
  // The panel's effects (the book button's marks) never play into a game.
  EXPECT_EQ(scene.GetEffectsList(), nullptr);
  EXPECT_EQ(scene.GetEffectsHost(), nullptr);
  EXPECT_FALSE(scene.GetEffectsSpriteB());
}

TEST_F(SceneTest, BackgroundRunsOneEffectAtATime) {
  OSimpleBackground background(nullptr, TSprite::Create(0));
  background.StartPoisonEffect();
  OEffect* first = background.GetEffect();
  ASSERT_NE(first, nullptr);
  background.StartBerryPoisonEffect();
  EXPECT_EQ(background.GetEffect(), first);
  // A finished effect goes on the tick it finishes; a new one may follow.
  for (int i = 0; i < 574; ++i) background.Update();
  EXPECT_EQ(background.GetEffect(), nullptr);
  background.StartBerryPoisonEffect();
  EXPECT_NE(background.GetEffect(), nullptr);
  background.StopEffect();
  EXPECT_EQ(background.GetEffect(), nullptr);
}

}  // namespace
