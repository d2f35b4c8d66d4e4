// The game window: the heartbeat's scene changes and state changes, refused
// states, the quick-save keys and the autosave, a start from an empty slot,
// the close dialog's cancel, and quitting from inside the game's own modal.

#include <algorithm>
#include <lua.hpp>

#include "game/GFullScreenGameScene.h"
#include "game/GGameWnd.h"
#include "game/GInventoryGameScene.h"
#include "game/GMiniGameScene.h"
#include "game/GMousePointer.h"
#include "game/LuaBinding.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OMinigameRegistry.h"
#include "game/OSimpleBackground.h"
#include "game/OUsersManager.h"
#include "game/SceneTestUtil.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/IHint.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimerIndicator.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TEvent.h"
#include "sdk/TImage.h"
#include "sdk/TModalWindow.h"
#include "sdk/TReport.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "visual/GMagicEffect.h"

namespace {

// An item of the one kind a kept items manager carries over; it tells when
// it dies.
class GlowItem : public OItem {
 public:
  GlowItem(const str& name, IItemsManager* owner, bool* deleted)
      : OItem(name, owner, "", ""), mDeleted(deleted) {}
  ~GlowItem() override {
    if (mDeleted) *mDeleted = true;
  }
  int32_t GetTypeId() const override { return ItemTypeId::OParticleItem; }
  void OnStateChange(GVObject*, TState, TState&) override {}
  void OnStateEnd(GVObject*, TState) override {}
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  bool OnMaskClick(IMask*) override { return false; }
  void ReleaseMask() override {}
  void Detach() override {}
  void SaveState() override {}

 private:
  bool* mDeleted;
};

class GameWndTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    // Saves belong to a player.
    OUsersManager* users = OUsersManager::Create();
    users->CreateNewUser("Ada");
    users->SetCurrentUser(0);
  }
  void TearDown() override {
    delete mWnd;
    mWnd = nullptr;
    TWindowManager::DestroyInstance();
    SceneFixture::TearDown();
  }
  // A game window as the script makes it: initialised from a style, with
  // its "game_panel" child.
  GGameWnd* MakeWindow(TWindow* parent = nullptr) {
    GGameWnd* wnd = new GGameWnd();
    if (parent) parent->AdoptChild(wnd);
    TWindowStyle style;
    wnd->Init(style);
    GGamePanel* panel = new GGamePanel();
    panel->SetName("game_panel");
    wnd->AdoptChild(panel);
    wnd->PostChildrenInit(style);
    return wnd;
  }
  void Beat(int n) {
    for (int i = 0; i < n; ++i) mWnd->OnTaskAnimate();
  }
  // New game, faded in and playing.
  GScene* Play() {
    mWnd = MakeWindow();
    EXPECT_TRUE(mWnd->StartGame(-1));
    Beat(GScene::kFadeTicks);
    EXPECT_EQ(mWnd->GetCurrentScene()->GetState(), GScene::kActive);
    return mWnd->GetCurrentScene();
  }
  static std::vector<str> SaveSlots() {
    std::vector<str> slots;
    TXmlNode* doc = OSaveData::GetInstance()->GetDocument();
    for (size_t i = 0; doc && i < doc->GetChildCount(); ++i)
      slots.push_back(doc->GetChildAt(i)->GetAttribute("ind") + ":" +
                      doc->GetChildAt(i)->GetAttribute("save_name"));
    return slots;
  }
  GGameWnd* mWnd = nullptr;
};

TEST_F(GameWndTest, NewGameFadesInAndASceneChangeWaitsForTheFadeOut) {
  mWnd = MakeWindow();
  ASSERT_TRUE(mWnd->StartGame(-1));
  GScene* first = mWnd->GetCurrentScene();
  ASSERT_NE(first, nullptr);
  // Names tell scenes apart: a new scene may take a freed one's address.
  first->SetName("first");
  EXPECT_EQ(first->GetParent(), mWnd->GetSceneHost());
  EXPECT_EQ(first->GetState(), GScene::kFadeIn);
  Beat(GScene::kFadeTicks - 1);
  EXPECT_FALSE(Sent("scene_enter living_room"));
  Beat(1);
  EXPECT_TRUE(Sent("scene_enter living_room"));

  OGame::GetInstance()->GoToScene("hall");
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kSceneChange);
  Beat(GScene::kFadeTicks);
  EXPECT_EQ(mWnd->GetCurrentScene(), first);
  EXPECT_EQ(first->GetState(), GScene::kFadedOutScene);
  Beat(1);
  GScene* hall = mWnd->GetCurrentScene();
  EXPECT_NE(hall->GetName(), "first");
  EXPECT_EQ(hall->GetState(), GScene::kFadeIn);
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlaying);
  Beat(GScene::kFadeTicks);
  EXPECT_TRUE(Sent("scene_enter hall"));
}

TEST_F(GameWndTest, AStateChangeRebuildsAtOnceAndReownsWhatItTakesOver) {
  GScene* first = Play();
  first->SetName("first");
  OItemsManager* oldItems = first->GetItemsManager();
  bool glowDeleted = false, strayDeleted = false;
  GlowItem* glow = new GlowItem("glow", oldItems, &glowDeleted);
  oldItems->AddItem(glow);
  oldItems->AddItem(new GlowItem("stray", oldItems, &strayDeleted));

  OFlagsRegistry::GetInstance()->SetValue("lamp", "on");
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kStateChange);
  EXPECT_TRUE(first->IsPaused());
  Beat(1);
  GScene* lit = mWnd->GetCurrentScene();
  ASSERT_NE(lit->GetName(), "first");
  EXPECT_TRUE(static_cast<GInventoryGameScene*>(lit)->IsFullScreen());
  EXPECT_EQ(lit->GetState(), GScene::kActive);
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlayingAfterChange);
  // The item the new state names is the same object, owned by the new
  // scene's manager; the one it does not name went with the old manager.
  EXPECT_FALSE(glowDeleted);
  EXPECT_TRUE(strayDeleted);
  EXPECT_EQ(lit->GetItemsManager()->FindItem("glow"), glow);
  EXPECT_EQ(glow->GetItemsManager(), lit->GetItemsManager());
  EXPECT_EQ(mWnd->GetKeptItemsManager(), nullptr);
}

// A quick save in the cellar is changed to hold the torch, whose variable
// the save does not carry: putting the torch back into the hand during the
// load selects the cellar's other state, and the load must not forget that.
TEST_F(GameWndTest, AStateChangeAskedForDuringALoadStands) {
  AddToGuide(
      "<torch><gvobject name=\"torch\">anim/</gvobject><scene_mask name=\"torch_mask\"/>"
      "<on_pointer_flag>torch_held</on_pointer_flag></torch>");
  TWindowStyle style;
  GMousePointer::GetInstance()->Init(style);  // a hand to hold the torch

  Play();
  OGame::GetInstance()->GoToScene("cellar");
  Beat(GScene::kFadeTicks + 1 + GScene::kFadeTicks);
  ASSERT_EQ(mWnd->GetCurrentScene()->GetState(), GScene::kActive);
  mWnd->OnKeyDown('t', 0);
  OSaveData* data = OSaveData::GetInstance();
  TXmlNode* save = data->FindSave(GGameWnd::kQuickSaveSlot);
  ASSERT_NE(save, nullptr);
  save->GetChild("pointer_item")->SetAttribute("item_id", "torch");
  ASSERT_TRUE(data->Store());

  ASSERT_TRUE(mWnd->LoadGame(GGameWnd::kQuickSaveSlot));
  mWnd->GetCurrentScene()->SetName("loaded");
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("torch_held"), "true");
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kStateChange);
  Beat(1);
  GScene* lit = mWnd->GetCurrentScene();
  EXPECT_NE(lit->GetName(), "loaded");
  EXPECT_TRUE(static_cast<GInventoryGameScene*>(lit)->IsFullScreen());
  EXPECT_FALSE(lit->IsPaused());
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlayingAfterChange);
  ASSERT_NE(GMousePointer::GetInstance()->GetHeldItem(), nullptr);
  EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem()->GetName(), "torch");
}

// Made for the first time, the jar in the pantry sets its variable to
// "false", which selects the pantry's other state: the change of scene that
// built the pantry must not forget that.
TEST_F(GameWndTest, AStateChangeAskedForDuringASceneChangeStands) {
  AddToGuide(
      "<jar><gvobject name=\"torch\">anim/</gvobject><scene_mask name=\"jar_mask\"/>"
      "<on_pointer_flag>jar_placed</on_pointer_flag></jar>");
  Play();
  OGame::GetInstance()->GoToScene("pantry");
  Beat(GScene::kFadeTicks + 1);
  ASSERT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "pantry");
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("jar_placed"), "false");
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kStateChange);
  GScene* built = mWnd->GetCurrentScene();
  built->SetName("built");
  ASSERT_NE(built->GetItemsManager()->FindItem("jar"), nullptr);
  Beat(1);
  GScene* other = mWnd->GetCurrentScene();
  EXPECT_NE(other->GetName(), "built");
  EXPECT_TRUE(static_cast<GInventoryGameScene*>(other)->IsFullScreen());
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlayingAfterChange);
  // Made again there (only particle items are carried over), which asks
  // for nothing more.
  EXPECT_NE(other->GetItemsManager()->FindItem("jar"), nullptr);
  other->SetName("other");
  Beat(1);
  EXPECT_EQ(mWnd->GetCurrentScene()->GetName(), "other");
}

TEST_F(GameWndTest, AStateChangeWaitsWhileTheSceneIsFadedOut) {
  GScene* first = Play();
  first->SetName("first");
  first->SetState(GScene::kFadeOut);
  Beat(GScene::kFadeTicks);
  ASSERT_EQ(first->GetState(), GScene::kFadedOut);
  OFlagsRegistry::GetInstance()->SetValue("lamp", "on");
  Beat(3);
  EXPECT_EQ(mWnd->GetCurrentScene()->GetName(), "first");
  first->SetState(GScene::kActive);
  Beat(1);
  EXPECT_NE(mWnd->GetCurrentScene()->GetName(), "first");
}

TEST_F(GameWndTest, AStateNoBuilderKnowsLeavesTheSceneInPlay) {
  GScene* first = Play();
  size_t reports = ReportCount();
  OFlagsRegistry::GetInstance()->SetValue("lamp", "broken");
  Beat(1);
  EXPECT_EQ(mWnd->GetCurrentScene(), first);
  EXPECT_FALSE(first->IsPaused());
  EXPECT_EQ(ReportCount() - reports, 1u);
  // A scene whose only state is refused, reached by a link: the game object
  // goes back to the scene the player left, which fades in again.
  OGame::GetInstance()->GoToScene("kitchen");
  Beat(GScene::kFadeTicks + 1);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "living_room");
  Beat(1);
  EXPECT_EQ(mWnd->GetCurrentScene()->GetState(), GScene::kFadeIn);
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlaying);
}

// Whatever kind of scene the hand goes into, the held item is the new
// scene's (or, in a scene without items, no scene's): its "link" action then
// reaches nothing of the scene that was deleted.
TEST_F(GameWndTest, TheHeldItemBelongsToEveryNewSceneWhateverItsKind) {
  AddToGuide("<wand><gvobject name=\"torch\">anim/</gvobject><action link=\"hall\"/></wand>");
  OMinigameSceneBuilder::RegisterScene("arcade", [] { return new GMiniGameScene(); });
  TWindowStyle style;
  GMousePointer::GetInstance()->Init(style);
  for (const char* kind : {"cinema", "arcade"}) {
    SCOPED_TRACE(kind);
    GScene* first = Play();
    IItem* wand = OItemFactory::CreateForPointer("wand", first->GetItemsManager());
    ASSERT_NE(wand, nullptr);
    wand->CreateObject();
    ASSERT_EQ(GMousePointer::GetInstance()->GetHeldItem(), wand);

    OGame::GetInstance()->GoToScene(kind);
    Beat(GScene::kFadeTicks + 1 + GScene::kFadeTicks);
    ASSERT_EQ(OGame::GetInstance()->GetCurrentSceneId(), kind);
    GScene* scene = mWnd->GetCurrentScene();
    ASSERT_EQ(scene->GetState(), GScene::kActive);
    EXPECT_EQ(static_cast<OItem*>(wand)->GetItemsManager(), scene->GetItemsManager());
    // The right button uses it there; saving names it.
    scene->OnExtendedMouseEvent(TPoint(400, 300), 1);
    if (scene->GetItemsManager()) {
      EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "hall");
      EXPECT_EQ(scene->GetState(), GScene::kFadeOutScene);
    }
    mWnd->SaveGame(GGameWnd::kQuickSaveSlot, "quick", true);
    TXmlNode* saved = OSaveData::GetInstance()->FindSave(GGameWnd::kQuickSaveSlot);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->GetChild("pointer_item")->GetAttribute("item_id"), "wand");

    // And back in a game scene, it is that scene's.
    OGame::GetInstance()->GoToScene("living_room");
    Beat(GScene::kFadeTicks + 1);
    EXPECT_EQ(static_cast<OItem*>(wand)->GetItemsManager(), mWnd->GetCurrentScene()->GetItemsManager());
    delete mWnd;
    mWnd = nullptr;
  }
  OMinigameSceneBuilder::RegisterScene("arcade", nullptr);
}

// A game that ends on the panel's done with the flag it is given and an
// empty exit scene, which means "this scene again".
class ArcadeScene : public GMiniGameScene {
 public:
  static str sFlag;
  const char* GetRegistryName() const override { return "arcade"; }
  void WriteState(TXmlNode* node) override { node->SetAttribute("score", "7"); }
  void OnDoneClick() override {
    if (IsFinished()) return;
    FinishWith("arcade", "wand", sFlag, "true", "");
  }
};
str ArcadeScene::sFlag;

TEST_F(GameWndTest, AMiniGameEndsOnceAndAnEmptyExitSceneEntersTheSceneAgain) {
  AddToGuide("<wand><gvobject name=\"torch\">anim/</gvobject></wand>");
  OMinigameSceneBuilder::RegisterScene("arcade",
                                       [] { return static_cast<GMiniGameScene*>(new ArcadeScene()); });
  TWindowStyle style;
  GMousePointer::GetInstance()->Init(style);
  // "arcade_won" makes the scene a plain room; another flag leaves it the
  // game, which starts again.
  for (const char* flag : {"arcade_played", "arcade_won"}) {
    SCOPED_TRACE(flag);
    ArcadeScene::sFlag = flag;
    Play();
    OGame::GetInstance()->GoToScene("arcade");
    Beat(GScene::kFadeTicks + 1 + GScene::kFadeTicks);
    GScene* game = mWnd->GetCurrentScene();
    ASSERT_TRUE(game->IsKindOf(GMiniGameScene::ClassId()));
    EXPECT_EQ(mWnd->GetPanel()->GetClient(), game);

    // Saved while it runs.
    game->SaveState();
    ASSERT_NE(OMinigameRegistry::GetInstance()->GetNode("arcade"), nullptr);
    EXPECT_EQ(OMinigameRegistry::GetInstance()->GetNode("arcade")->GetAttribute("score"), "7");

    const str event = str("flag ") + flag + "=true";
    auto flagEvents = [&event] {
      const std::vector<str>& asked = OMissionsManager::GetInstance()->GetAsked();
      return std::count(asked.begin(), asked.end(), event);
    };
    game->OnDoneClick();
    IItem* given = GMousePointer::GetInstance()->GetHeldItem();
    ASSERT_NE(given, nullptr);
    EXPECT_EQ(given->GetName(), "wand");
    EXPECT_EQ(OMinigameRegistry::GetInstance()->GetNode("arcade"), nullptr);
    EXPECT_EQ(game->GetState(), GScene::kFadeOutScene);
    // Nothing acts or saves after the end: a save in the fade-out (an
    // autosave of the win) keeps no state that would end the game again.
    game->OnDoneClick();
    game->SaveState();
    EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), given);
    EXPECT_EQ(flagEvents(), 1);
    EXPECT_EQ(OMinigameRegistry::GetInstance()->GetNode("arcade"), nullptr);

    // The scene comes back in the state the flags now choose, and the panel
    // keeps no client that was deleted.
    Beat(GScene::kFadeTicks + 1 + GScene::kFadeTicks);
    EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "arcade");
    GScene* after = mWnd->GetCurrentScene();
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->IsKindOf(GMiniGameScene::ClassId()), str(flag) != "arcade_won");
    EXPECT_EQ(after->GetState(), GScene::kActive);
    EXPECT_EQ(mWnd->GetPanel()->GetClient(), after);
    EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), given);
    delete mWnd;
    mWnd = nullptr;
  }
  OMinigameSceneBuilder::RegisterScene("arcade", nullptr);
}

TEST_F(GameWndTest, ADeletedMiniGameLeavesThePanelWithoutItsClient) {
  GGamePanel panel;
  ArcadeScene* game = new ArcadeScene();
  game->AttachPanel(&panel);
  panel.SetClient(game);
  EXPECT_EQ(panel.GetParent(), game);
  delete game;
  EXPECT_EQ(panel.GetClient(), nullptr);
  EXPECT_EQ(panel.GetParent(), nullptr);
}

TEST_F(GameWndTest, QuickSaveAndLoadOnlyWhileTheScenePlays) {
  GScene* scene = Play();
  scene->Pause();
  mWnd->OnKeyDown('t', 0);
  EXPECT_TRUE(SaveSlots().empty());
  scene->Resume();
  mWnd->OnKeyDown('t', 0);
  ASSERT_EQ(SaveSlots().size(), 1u);
  EXPECT_EQ(SaveSlots()[0].substr(0, 2), "1:");
  TXmlNode* save = OSaveData::GetInstance()->GetDocument()->GetChildAt(0);
  std::vector<str> sections;
  for (size_t i = 0; i < save->GetChildCount(); ++i) sections.push_back(save->GetChildAt(i)->GetName());
  EXPECT_EQ(sections,
            (std::vector<str>{"items_registry", "panel", "pointer_item", "current_world", "current_scene",
                              "flags_registry", "minigame_registry", "drop_zones", "magic_registry",
                              "timer_controllers", "missions_manager", "hints_manager", "indicators"}));

  OGame::GetInstance()->GoToScene("hall");
  Beat(GScene::kFadeTicks + GScene::kFadeTicks + 1);
  ASSERT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "hall");
  mWnd->GetCurrentScene()->Pause();
  mWnd->OnKeyDown('x', 0);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "hall");
  mWnd->GetCurrentScene()->Resume();
  mWnd->OnKeyDown('x', 0);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "living_room");
  EXPECT_EQ(mWnd->GetCurrentScene()->GetState(), GScene::kFadeIn);
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlaying);
}

TEST_F(GameWndTest, TwoAutosaveRequestsInOneTickSaveOnceSilently) {
  Play();
  mWnd->RequestAutosave();
  mWnd->RequestAutosave();
  Beat(1);
  EXPECT_EQ(SaveSlots(), (std::vector<str>{"0:Autosave"}));
  EXPECT_FALSE(mWnd->IsAutosaveRequested());
}

TEST_F(GameWndTest, AStartFromAnEmptySlotBuildsNothingAndEveryStepCopes) {
  mWnd = MakeWindow();
  EXPECT_FALSE(mWnd->StartGame(3));
  EXPECT_EQ(mWnd->GetCurrentScene(), nullptr);
  Beat(3);
  mWnd->OnChar(TEvent::kEscape);
  mWnd->OnKeyDown('t', 0);
  mWnd->OnKeyDown('x', 0);
  mWnd->OnKeyDown('q', 0);
  mWnd->OnKeyUp('q', 0);
  mWnd->unlockCurrentScene();
  mWnd->onCancelExit();
  EXPECT_EQ(mWnd->GetCurrentScene(), nullptr);
  EXPECT_TRUE(SaveSlots().empty());
}

TEST_F(GameWndTest, CancelExitResumesOnlyASceneThatWasRunning) {
  GScene* scene = Play();
  mWnd->SetSceneWasPaused(true);
  scene->Pause();
  mWnd->onCancelExit();
  EXPECT_TRUE(scene->IsPaused());
  mWnd->SetSceneWasPaused(false);
  mWnd->onCancelExit();
  EXPECT_FALSE(scene->IsPaused());
}

// What the running game holds, as its own sections would save it.
str Snapshot() {
  TXmlNode node("state");
  OItemsRegistry::GetInstance()->Save(&node);
  OFlagsRegistry::GetInstance()->Save(&node);
  OGame::GetInstance()->Save(&node);
  return node.AsString();
}

// Quick-loading a save whose scene cannot be built (a listed scene without
// its layout file, a state no builder knows, no scene named at all) is
// refused before anything is torn down or replaced: the scene on screen
// plays on with the item in hand.
TEST_F(GameWndTest, ASaveThatCannotBeBuiltIsRefusedBeforeAnythingChanges) {
  AddToGuide("<torch><gvobject name=\"torch\">anim/</gvobject><scene_mask name=\"torch_mask\"/></torch>");
  TWindowStyle style;
  GMousePointer::GetInstance()->Init(style);
  Play();
  mWnd->OnKeyDown('t', 0);
  OSaveData* data = OSaveData::GetInstance();
  data->FindSave(GGameWnd::kQuickSaveSlot)->GetChild("pointer_item")->SetAttribute("item_id", "torch");
  ASSERT_TRUE(data->Store());
  ASSERT_TRUE(mWnd->LoadGame(GGameWnd::kQuickSaveSlot));
  Beat(GScene::kFadeTicks);
  GScene* scene = mWnd->GetCurrentScene();
  scene->SetName("playing");
  IItem* torch = GMousePointer::GetInstance()->GetHeldItem();
  ASSERT_NE(torch, nullptr);
  OFlagsRegistry::GetInstance()->SetValue("mood", "after the save");
  const str before = Snapshot();

  const struct {
    const char* what;
    void (*damage)(TXmlNode* save);
  } cases[] = {
      {"a listed scene without its file",
       [](TXmlNode* save) { save->GetChild("current_scene")->SetAttribute("id", "attic"); }},
      {"a state no builder knows",
       [](TXmlNode* save) {
         save->GetChild("flags_registry")->CreateChild("lamp")->SetAttribute("value", "broken");
       }},
      {"no current world", [](TXmlNode* save) { save->RemoveChild(save->GetChild("current_world")); }},
      {"no current scene", [](TXmlNode* save) { save->RemoveChild(save->GetChild("current_scene")); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    mWnd->OnKeyDown('t', 0);
    c.damage(data->FindSave(GGameWnd::kQuickSaveSlot));
    ASSERT_TRUE(data->Store());
    const size_t reports = ReportCount();
    mWnd->OnKeyDown('x', 0);
    EXPECT_GT(ReportCount(), reports);
    EXPECT_EQ(mWnd->GetCurrentScene(), scene);
    EXPECT_EQ(scene->GetName(), "playing");
    EXPECT_EQ(scene->GetParent(), mWnd->GetSceneHost());
    EXPECT_EQ(scene->GetState(), GScene::kActive);
    EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), torch);
    EXPECT_EQ(static_cast<OItem*>(torch)->GetItemsManager(), scene->GetItemsManager());
    EXPECT_EQ(Snapshot(), before);
    Beat(1);
    EXPECT_EQ(mWnd->GetCurrentScene(), scene);
  }
}

// A save that fails says so, the autosave too.
TEST_F(GameWndTest, ASaveThatFailsTellsThePlayer) {
  Play();
  mWnd->OnKeyDown('t', 0);
  ASSERT_EQ(OPopupQueue::GetInstance()->GetPending().size(), 1u);
  EXPECT_EQ(OPopupQueue::GetInstance()->GetPending().back(), "hint_game_saved");
  // A section that cannot be written back makes either save fail.
  OMinigameRegistry::GetInstance()->CreateNode("fishing")->SetAttribute("no=", "1");
  mWnd->OnKeyDown('t', 0);
  OMinigameRegistry::GetInstance()->CreateNode("fishing")->SetAttribute("no=", "1");
  mWnd->RequestAutosave();
  Beat(1);
  const std::deque<str>& pending = OPopupQueue::GetInstance()->GetPending();
  EXPECT_EQ(std::vector<str>(pending.begin(), pending.end()),
            (std::vector<str>{"The game could not be saved", "The game could not be saved"}));
  EXPECT_EQ(SaveSlots(), (std::vector<str>{"1:quicksave"}));
}

// A dialog's script path comes from content: quotes and backslashes in it
// reach the dialog as they stand instead of breaking the call.
TEST_F(GameWndTest, ADialogScriptPathReachesTheDialogAsItStands) {
  Play();
  TWindowManager* wm = TWindowManager::GetInstance();
  wm->DoLuaString(nullptr, "function DisplayDialog(t) shown_script = t[1] end");
  const str path = "scripts/it's \\\"odd\".lua";
  mWnd->ShowDialog(path);
  lua_State* L = LuaBinding::GetState();
  lua_getglobal(L, "shown_script");
  const char* shown = lua_tostring(L, -1);
  EXPECT_EQ(str(shown ? shown : "(none)"), path);
  lua_pop(L, 1);
}

// Only a dialog's closing resumes the scene: one whose script cannot be
// opened is said, and the game plays on as if it had been read; a local
// menu that cannot open leaves the game running. One that opens pauses.
TEST_F(GameWndTest, ADialogThatCannotOpenLeavesTheGamePlaying) {
  GScene* scene = Play();
  scene->Pause();  // as a game waiting for its lesson
  size_t reports = ReportCount();
  mWnd->ShowDialog("scripts/no_such_lesson.lua");
  EXPECT_FALSE(scene->IsPaused());
  EXPECT_GE(ReportCount() - reports, 1u);

  reports = ReportCount();
  mWnd->ShowLocalMenu();  // the fixtures give no local menu
  EXPECT_FALSE(scene->IsPaused());
  EXPECT_GE(ReportCount() - reports, 1u);

  mWnd->ShowDialog("../scripts/modal.lua");
  EXPECT_EQ(TWindowManager::GetInstance()->GetTopModalWindow()->GetName(), "extra");
  EXPECT_TRUE(scene->IsPaused());
}

// Runs "quitGame" from a key handler inside the game's own modal, then
// keeps using itself, as a real handler would.
class Quitter : public TWindow {
 public:
  bool OnKeyDown(int key, uint32_t) override {
    TWindowManager::GetInstance()->DoLuaString(this, "quitGame()");
    handled = GetName() + " done";
    return true;
  }
  str handled;
};

TEST_F(GameWndTest, QuitGameFromInsideThePoppedModalLeavesOnlyTheRoot) {
  TWindowManager* wm = TWindowManager::GetInstance();
  TModalWindow* root = new TModalWindow();
  wm->PushModal(root);
  TModalWindow* game = new TModalWindow();
  wm->PushModal(game);
  GGameWnd* wnd = MakeWindow(game);
  ASSERT_TRUE(wnd->StartGame(-1));
  TModalWindow* dialog = new TModalWindow();
  wm->PushModal(dialog);
  Quitter* quitter = new Quitter();
  quitter->SetName("quitter");
  dialog->AdoptChild(quitter);
  dialog->SetDefaultFocus(quitter);
  TEvent key;
  key.type = TEvent::kKeyDown;
  key.key = 'q';
  wm->HandleEvent(key);
  EXPECT_EQ(wm->GetModalStack(), std::vector<TModalWindow*>{root});
  // The game window went with its modal, and with it the running game.
  EXPECT_EQ(GGameWnd::GetCurrent(), nullptr);
  EXPECT_FALSE(OGame::HasInstance());
}

}  // namespace

namespace {
// A hint that counts its deletions.
class CountedHint : public IHint {
 public:
  CountedHint(bool queueOwnsIt, int* deleted) : IHint("", queueOwnsIt, kSmallHint), mDeleted(deleted) {}
  ~CountedHint() override { ++*mDeleted; }
  str GetText() const override { return "counted"; }

 private:
  int* mDeleted;
};

std::unique_ptr<TXmlNode> Xml(const str& text) {
  std::unique_ptr<TXmlNode> node(new TXmlNode());
  EXPECT_TRUE(node->ParseString(text));
  return node;
}

// The alpha of the given image (after the blank one) of the running effect.
float ShownAlpha(GGameWnd* wnd) {
  GTravelEffect* effect = wnd->GetEffectWindow();
  return effect ? effect->GetImages()[1]->GetAlpha() : -1;
}
}  // namespace

// Heartbeat by heartbeat as the player sees it: the picture fades in over
// anim_ticks, out over as many, and the effect window goes on the heartbeat
// the fade-out ends; a start wait delays it all, and fewer than one tick per
// fade counts as one.
TEST_F(GameWndTest, AMagicEffectFadesInAndOutOnItsTicksOverThePausedScene) {
  struct Probe {
    int beat;
    float alpha;
  };
  struct Case {
    const char* attributes;
    std::vector<Probe> probes;
    int goneAt;
    bool resumed;
  } cases[] = {
      {"anim_ticks='30'",
       {{1, 1 / 30.f}, {15, 0.5f}, {29, 29 / 30.f}, {30, 29 / 30.f}, {58, 1 / 30.f}},
       59,
       true},
      {"anim_ticks='30' start_wait_ticks='20'", {{19, 0}, {20, 1 / 30.f}, {34, 0.5f}}, 78, true},
      {"anim_ticks='2' unlock_after_effect='false'", {{1, 0.5f}, {2, 0.5f}}, 3, false},
      {"anim_ticks='0'", {}, 2, true},
      {"anim_ticks='-4' start_wait_ticks=''", {}, 2, true},
  };
  GScene* scene = Play();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    std::unique_ptr<TXmlNode> node = Xml(str("<fire ") + c.attributes + "/>");
    mWnd->ShowMagicEffect(node.get(), new std::vector<IHint*>());
    ASSERT_NE(mWnd->GetEffectWindow(), nullptr);
    EXPECT_EQ(mWnd->GetEffectWindow()->GetParent(), mWnd->GetEffectsLayer());
    EXPECT_TRUE(scene->IsPaused());
    size_t next = 0;
    int beat = 0;
    while (mWnd->GetEffectWindow() && beat < 200) {
      Beat(1);
      ++beat;
      if (next < c.probes.size() && c.probes[next].beat == beat) {
        EXPECT_NEAR(ShownAlpha(mWnd), c.probes[next].alpha, 1e-5) << "heartbeat " << beat;
        ++next;
      }
    }
    EXPECT_EQ(beat, c.goneAt);
    EXPECT_EQ(next, c.probes.size());
    EXPECT_TRUE(mWnd->GetEffectsLayer()->GetChildren().empty());
    EXPECT_EQ(scene->IsPaused(), !c.resumed);
    scene->Resume();
  }
}

TEST_F(GameWndTest, AMagicEffectQueuesItsHintsWhenItEndsWithThoseOfAnEffectRefusedMeanwhile) {
  Play();
  std::unique_ptr<TXmlNode> node = Xml("<health anim_ticks='2'/>");
  int deleted = 0;
  std::vector<IHint*>* hints = new std::vector<IHint*>();
  for (int i = 0; i < 3; ++i) hints->push_back(new CountedHint(true, &deleted));
  std::vector<IHint*> given = *hints;
  mWnd->ShowMagicEffect(node.get(), hints);
  GTravelEffect* first = mWnd->GetEffectWindow();

  // Refused while the first runs: its hints wait for the first's end, after
  // the first's own, a hint that belongs to someone else among them.
  CountedHint kept(false, &deleted);
  std::vector<IHint*>* refused = new std::vector<IHint*>{new CountedHint(true, &deleted), &kept};
  given.insert(given.end(), refused->begin(), refused->end());
  mWnd->ShowMagicEffect(node.get(), refused);
  EXPECT_EQ(mWnd->GetEffectWindow(), first);
  EXPECT_EQ(deleted, 0);

  const std::vector<IHint*>& queue = OHintsManager::GetInstance()->GetQueue();
  size_t before = queue.size();
  Beat(2);
  EXPECT_EQ(queue.size(), before) << "not before the effect ends";
  Beat(1);
  EXPECT_EQ(mWnd->GetEffectWindow(), nullptr);
  ASSERT_EQ(queue.size(), before + 5);
  EXPECT_TRUE(std::equal(given.begin(), given.end(), queue.begin() + before)) << "in their order";
  EXPECT_EQ(deleted, 0);
  // The game's end frees each hint the queue owns once.
  delete mWnd;
  mWnd = nullptr;
  EXPECT_EQ(deleted, 4);
}

// Behind a wake-up, or with no effect to show, the hints are queued at once.
TEST_F(GameWndTest, HintsOfAMagicEffectThatCannotBeShownAreQueuedAtOnce) {
  Play();
  int deleted = 0;
  const std::vector<IHint*>& queue = OHintsManager::GetInstance()->GetQueue();
  IHint* unknown = new CountedHint(true, &deleted);
  mWnd->ShowMagicEffect(nullptr, new std::vector<IHint*>{unknown});
  ASSERT_FALSE(queue.empty());
  EXPECT_EQ(queue.back(), unknown);

  std::unique_ptr<TXmlNode> node = Xml("<health anim_ticks='2'/>");
  mWnd->ShowWakeUpEffect();
  ASSERT_NE(mWnd->GetEffectWindow(), nullptr);
  IHint* behind = new CountedHint(true, &deleted);
  mWnd->ShowMagicEffect(node.get(), new std::vector<IHint*>{behind});
  EXPECT_EQ(queue.back(), behind);
  EXPECT_EQ(deleted, 0);
  delete mWnd;
  mWnd = nullptr;
  EXPECT_EQ(deleted, 2);
}

TEST_F(GameWndTest, AMagicEffectEndedEarlyPassesNoHintsOn) {
  Play();
  std::unique_ptr<TXmlNode> node = Xml("<health anim_ticks='30'/>");
  int deleted = 0;
  mWnd->ShowMagicEffect(node.get(), new std::vector<IHint*>{new CountedHint(true, &deleted)});
  Beat(5);
  // A refused effect's hints go with the running one's, once each.
  mWnd->ShowMagicEffect(node.get(), new std::vector<IHint*>{new CountedHint(true, &deleted)});
  delete mWnd;
  mWnd = nullptr;
  EXPECT_EQ(deleted, 2);
}

TEST_F(GameWndTest, AMagicEffectStopsAPoisonAndLaysItsParticlesOnTheScene) {
  GScene* scene = Play();
  OSimpleBackground* background = new OSimpleBackground();
  static_cast<GFullScreenGameScene*>(scene)->SetBackground(background);
  background->StartBerryPoisonEffect();
  ASSERT_NE(background->GetEffect(), nullptr);
  size_t particles = scene->GetEffectsList()->size();
  std::unique_ptr<TXmlNode> node =
      Xml("<health anim_ticks='3'><effects><a file='scripts/empty.lua' x='5' y='6'/></effects></health>");
  mWnd->ShowMagicEffect(node.get(), new std::vector<IHint*>());
  EXPECT_EQ(background->GetEffect(), nullptr);
  EXPECT_EQ(scene->GetEffectsList()->size(), particles + 1);

  // A magic effect that the configuration lacks is not shown.
  Beat(10);
  size_t reports = ReportCount();
  mWnd->ShowMagicEffect(nullptr, new std::vector<IHint*>());
  EXPECT_EQ(mWnd->GetEffectWindow(), nullptr);
  EXPECT_FALSE(scene->IsPaused());
  EXPECT_EQ(ReportCount() - reports, 1u);
}

// A hazard that runs out where the world has no game-over scene (this
// tree's guide names none) leaves the player in the scene, with its
// picture effect and indicators cleared.
TEST_F(GameWndTest, AHazardEndingWithNoGameOverSceneLeavesNoTraceOnScreen) {
  GScene* scene = Play();
  OSimpleBackground* background = new OSimpleBackground();
  static_cast<GFullScreenGameScene*>(scene)->SetBackground(background);
  OIndicatorsManager* shown = OIndicatorsManager::GetInstance();
  for (int index : {int(OTimersManager::kPoison), int(OTimersManager::kVethra)}) {
    SCOPED_TRACE(index);
    background->StartBerryPoisonEffect();
    for (OTimerIndicator* indicator : {shown->GetPoison(), shown->GetVethra(), shown->GetUnderwater()}) {
      indicator->SetTotalTime(2000);
      indicator->SetText("soon");
    }
    ITimerController* timer = OTimersManager::GetInstance()->GetController(index);
    timer->SetState(ITimerController::kRunning);
    timer->SetLeftTime(10);
    timer->SetClock(ITimerController::Now() - 16);
    size_t reports = ReportCount();
    timer->Update(false);
    EXPECT_EQ(timer->GetState(), ITimerController::kStopped);
    EXPECT_EQ(ReportCount() - reports, 1u);
    EXPECT_EQ(mWnd->GetCurrentScene(), scene);
    EXPECT_EQ(background->GetEffect(), nullptr);
    OTimerIndicator* own = index == OTimersManager::kPoison ? shown->GetPoison() : shown->GetVethra();
    EXPECT_EQ(own->GetTotalTime(), 0);
    EXPECT_EQ(own->GetTextKey(), "");
  }
}

// The picture covers the screen at once with one tick a fade: the slept
// scene is there, active, the moment the effect starts. A wake-up whose
// description or action is missing or unknown still wakes the player into
// that scene, runs nothing and says so (beyond what building the scene
// says, which the first case measures).
TEST_F(GameWndTest, WakingUpChangesTheSceneBehindThePictureAndRunsItsAction) {
  struct Case {
    const char* effect;
    const char* woke;
    size_t reports;
  } cases[] = {
      {"<wake_up folder='anim/' asset='torch.png' anim_ticks='1'><action flag_name='woke' "
       "flag_value='yes'/></wake_up>",
       "yes", 0},
      {"<wake_up folder='anim/' asset='torch.png' anim_ticks='1'><action type='no_such_action'/></wake_up>",
       "null", 1},
      {"<wake_up folder='anim/' asset='torch.png' anim_ticks='1'/>", "null", 1},
      {"", "null", 2},
  };
  size_t building = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.effect);
    GScene* scene = Play();
    scene->SetName("slept in");
    TXmlNode* screen = OGameConfig::GetInstance()->GetGameScreen();
    screen->AdoptChild(Xml(str("<magic_effects>") + c.effect + "</magic_effects>"));
    OFlagsRegistry::GetInstance()->SetValue("slept_scene", "hall");
    size_t reports = ReportCount();
    mWnd->ShowWakeUpEffect();
    EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "hall");
    EXPECT_NE(mWnd->GetCurrentScene()->GetName(), "slept in");
    EXPECT_EQ(mWnd->GetCurrentScene()->GetState(), GScene::kActive);
    EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlayingAfterChange);
    EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("woke"), c.woke);
    if (&c == cases) building = ReportCount() - reports;
    EXPECT_EQ(ReportCount() - reports, building + c.reports);
    Beat(1);
    EXPECT_EQ(mWnd->GetEffectWindow(), nullptr);
    EXPECT_FALSE(mWnd->GetCurrentScene()->IsPaused());
    delete mWnd;
    mWnd = nullptr;
    ResetGame();
    OGameConfig::DeleteInstance();
  }
}
