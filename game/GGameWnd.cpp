#include "GGameWnd.h"

#include "game/GMiniGameScene.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/GStartup.h"
#include "game/ODropZonesRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "game/ONotices.h"
#include "game/OPopupQueue.h"
#include "game/OSaveData.h"
#include "game/OSceneBuilder.h"
#include "game/OSceneDirector.h"
#include "game/OSimpleBackground.h"
#include "game/OSoundManager.h"
#include "game/OUsersManager.h"
#include "items/IItem.h"
#include "items/OComboGuide.h"
#include "items/OItem.h"
#include "items/OItemsManager.h"
#include "items/OItemsRegistry.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TEvent.h"
#include "sdk/TGameServices.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TStringTable.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "tools/travel/GNavigator.h"
#include "visual/GMagicEffect.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"

GGameWnd* GGameWnd::sCurrent = nullptr;

namespace {
const char* const kNotSavedKey = "hint_game_not_saved";
const char* const kNoRoomKey = "hint_no_room_at_door";

IItem* GameHeldItem() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  return pointer && pointer->GetManager() ? pointer->GetManager()->GetHeldItem() : nullptr;
}

// Runs Lua that should open a modal dialog; whether one came up on top.
bool OpensModal(TWindow* target, const str& code) {
  TWindowManager* wm = TWindowManager::GetInstance();
  TModalWindow* below = wm->GetTopModalWindow();
  wm->DoLuaString(target, code);
  return wm->GetTopModalWindow() != below;
}

// The hand outlives every scene: what it holds belongs to the scene on
// screen, or to none (null) while no scene is there or the scene keeps no
// items; it must never keep the items manager of a deleted scene.
void GiveHeldItemTo(OItemsManager* items) {
  if (OItem* held = dynamic_cast<OItem*>(GameHeldItem())) held->SetItemsManager(items);
}
}  // namespace

GGameWnd::GGameWnd() : mLuaNames(this) {
  TPlatform::GetInstance()->SetConfig(TPlatform::kVsync, "1");
  mMousePointer = GMousePointer::GetInstance();
  mLuaNames.Bind("onCancelExit", this, &GGameWnd::onCancelExit);
  mLuaNames.Bind("quitGame", this, &GGameWnd::quitGame);
  mLuaNames.Bind("unlockCurrentScene", this, &GGameWnd::unlockCurrentScene);
  sCurrent = this;
  SetCloseRequestHandler([this] { OnCloseRequest(); });
  // At exit the main loop deletes the game window still open, first of all.
  SetShutdownWindow(kShutdownGameWindow, [] { return static_cast<TWindow*>(GGameWnd::GetCurrent()); });
}

GGameWnd::~GGameWnd() {
  if (mScene) {
    mScene->DetachPanel();
    if (mScene->GetParent()) mScene->GetParent()->OrphanChild(mScene);
    delete mScene;
    mScene = nullptr;
  }
  delete mKeptItems;
  mKeptItems = nullptr;
  if (mNavigator) {
    if (mNavigator->GetParent()) mNavigator->GetParent()->OrphanChild(mNavigator);
    delete mNavigator;
    mNavigator = nullptr;
  }
  if (mEffectWindow) {
    if (mEffectWindow->GetParent()) mEffectWindow->GetParent()->OrphanChild(mEffectWindow);
    delete mEffectWindow;
    mEffectWindow = nullptr;
  }
  // The objects of the running game, in the order they depend on each other.
  OItemsRegistry::DeleteInstance();
  ODropZonesRegistry::DeleteInstance();
  OComboGuide::DeleteInstance();
  OMissionsManager::DeleteInstance();
  OMagicRegistry::DeleteInstance();
  OHintsManager::DeleteInstance();
  OTimersManager::DeleteInstance();
  OPopupQueue::DeleteInstance();
  OIndicatorsManager::DeleteInstance();
  if (mPanel) {
    if (mPanel->GetParent()) mPanel->GetParent()->OrphanChild(mPanel);
    delete mPanel;
    mPanel = nullptr;
  }
  OGame::DeleteInstance();
  mGame = nullptr;
  if (GMousePointer* pointer = GMousePointer::PeekInstance())
    if (pointer->GetManager()) pointer->GetManager()->DeleteHeldItem();
  mLuaNames.UnbindAll();
  if (sCurrent == this) {
    sCurrent = nullptr;
    SetCloseRequestHandler(nullptr);
  }
}

void GGameWnd::OnCloseRequest() {
  mSceneWasPaused = !mScene || mScene->IsPaused();
  if (!mSceneWasPaused) mScene->Pause();
}

void GGameWnd::Init(TWindowStyle& style) {
  TWindow::Init(style);
  mSceneHost = GScene::NewLayer();
  mSecondLayer = GScene::NewLayer();
  AdoptChild(mSceneHost);
  AdoptChild(mSecondLayer);
  mGame = OGame::GetInstance();
  mGame->SetGameWindow(this);
  mEffectsLayer = GScene::NewLayer();
  AdoptChild(mEffectsLayer);
  GMousePointer::GetInstance()->SetMode(1);
  if (TModalWindow* modal = FindParentModal()) modal->SetDefaultFocus(this);
}

void GGameWnd::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  mPanel = WindowCast<GGamePanel>(GetChildWindow("game_panel"));
  if (mPanel) {
    mPanel->SetGameWnd(this);
    // The scenes take the panel up into their own panel layers.
    if (mPanel->GetParent()) mPanel->GetParent()->OrphanChild(mPanel);
    OMagicRegistry::GetInstance()->SetListener(mPanel);
  } else {
    Report("game window: the style gives no \"game_panel\"; the game runs without a panel");
  }
  SetWindowSize(800, 600);
  // A window made from a script is initialised before its parent adopts it,
  // so only now can it find its modal and take the keys there.
  if (TModalWindow* modal = FindParentModal())
    if (!modal->GetDefaultFocus()) modal->SetDefaultFocus(this);
}

bool GGameWnd::OnTaskAnimate() {
  ONotices::ShowPending();
  if (mPanel) mPanel->Update();
  OPopupQueue::GetInstance()->Update();
  OSoundManager::GetInstance()->GetThemeController().Update();
  if (mTransitionState == kNavigator)
    NavigatorStep();
  else
    SceneStep();
  if (TGameState::GetInstance()->QueryJumpToMenu())
    TWindowManager::GetInstance()->DoLuaString(this, "SendGameMessage('quit')");
  if (mAutosaveRequested) {
    SaveGame(kAutosaveSlot, "Autosave", true);
    mAutosaveRequested = false;
  }
  return true;
}

void GGameWnd::SceneStep() {
  if (mScene) {
    int state = mScene->GetState();
    bool due = (mTransitionState == kSceneChange && state == GScene::kFadedOutScene) ||
               (mTransitionState == kStateChange && state != GScene::kFadedOut);
    if (due) {
      bool keep = mTransitionState == kStateChange;
      OGame* game = OGame::GetInstance();
      TXmlNode* node = game->GetCurrentStateNode();
      bool refused = !CanBuildSceneState(node, game->GetCurrentSceneId());
      if (!refused && DoorKeepsHandOut(node)) {
        // A game's door: what the hand holds would go back to a scene
        // that may never have had it (a prize), so the player stays with it.
        refused = true;
        Report("scene \"%s\": no free cell for \"%s\" in the hand; the player stays",
               game->GetCurrentSceneId().c_str(), GameHeldItem()->GetName().c_str());
        OPopupQueue::GetInstance()->PushString(kNoRoomKey, "Make room in your bag first");
      }
      if (refused) {
        // The player stays in the scene on screen. After a refused change of
        // scene the game object is sent back there too, so a save names the
        // scene the player sees; it is rebuilt on the next tick.
        bool sentBack = mTransitionState == kSceneChange && game->GetCurrentSceneId() != mShownSceneId &&
                        game->SetCurrentScene(mShownSceneId);
        if (sentBack) {
          // The transition stays a change of scene, back to this one.
        } else if (state == GScene::kFadedOutScene || state == GScene::kFadedOut) {
          mTransitionState = kPlaying;
          mScene->SetState(GScene::kFadeIn);
        } else {
          mTransitionState = kPlayingAfterChange;
          mScene->Resume();
        }
      } else {
        if (mScene->GetParent()) mSceneHost->OrphanChild(mScene);
        DestroyCurrentScene(keep);
        // Set before the build, so that a change of state asked for during
        // it stands (see StartGame).
        mTransitionState = keep ? kPlayingAfterChange : kPlaying;
        if (CreateCurrentScene()) {
          if (keep) {
            mScene->SetState(GScene::kActive);
            GMousePointer::GetInstance()->SetMode(1);
          } else {
            mScene->SetState(GScene::kFadeIn);
          }
          mScene->OnStart();
          if (mPanel) mPanel->RefreshInventoryItems();
        }
      }
    }
  }
  if (mScene) mScene->Update();
  EffectStep();
}

bool GGameWnd::DoorKeepsHandOut(TXmlNode* node) const {
  // Only a way in from elsewhere is a door: a game on screen has dealt with
  // the hand by its own rules, and a game built again for a new state of
  // its scene keeps what it holds. Where the main inventory has no cell,
  // no room can ever be made.
  if (!mPanel || mPanel->GetMainInventory()->GetTotalCells() == 0) return false;
  if (mTransitionState != kSceneChange || mShownTakesHand || !StateTakesHand(node)) return false;
  return !GMiniGameScene::CanPutAwayHeldItem();
}

void GGameWnd::EffectStep() {
  if (!mEffectWindow) return;
  mEffectWindow->Tick();
  int state = mEffectWindow->GetEffectState();
  if (state == GTravelEffect::kFadeEnded) {
    mEffectWindow->SetEffectState(GTravelEffect::kRunning);
  } else if (state == GTravelEffect::kFinished) {
    GTravelEffect* effect = mEffectWindow;
    mEffectWindow = nullptr;
    mEffectsLayer->OrphanChild(effect);
    if (effect->GetUnlock() && mScene) mScene->Resume();
    delete effect;
  }
}

void GGameWnd::NavigatorStep() {
  // A journey whose navigator could not be made ends at once.
  if (!mNavigator) {
    mTransitionState = kPlayingAfterChange;
    if (mScene) mScene->Resume();
    return;
  }
  mNavigator->Tick();
  switch (mNavigator->GetState()) {
    case GNavigator::kSceneOff:
      if (mScene && mScene->GetParent()) mSceneHost->OrphanChild(mScene);
      mNavigator->SetState(GNavigator::kSelectionIn);
      break;
    case GNavigator::kCancelSceneBack:
      if (mScene && !mScene->GetParent()) mSceneHost->AdoptChild(mScene);
      mNavigator->SetState(GNavigator::kCancelUncover);
      break;
    case GNavigator::kNewScene:
      if (mScene && mScene->GetParent()) mSceneHost->OrphanChild(mScene);
      DestroyCurrentScene(false);
      if (CreateCurrentScene()) {
        mScene->OnStart();
        mScene->SetState(GScene::kActive);
        mScene->Pause();
      }
      mNavigator->SetState(GNavigator::kTravelUncover);
      break;
    case GNavigator::kDone: {
      if (mScene) mScene->Resume();
      OrphanChild(mNavigator);
      delete mNavigator;
      mNavigator = nullptr;
      TXmlNode* effects = OGameConfig::GetInstance()->GetGameScreenChild("world_enter_effects");
      str world = OGame::GetInstance()->GetCurrentWorldId();
      PlayEffectsInScene(effects && TXmlNode::IsValidName(world) ? effects->GetChild(world) : nullptr);
      mTransitionState = kPlayingAfterChange;
      break;
    }
    default:
      break;
  }
}

bool GGameWnd::OnMouseMove(const TPoint& point) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance())
    if (pointer->GetManager()) pointer->GetManager()->MoveTo(int(point.x), int(point.y));
  TWindowManager::GetInstance()->InvalidateScreen();
  return false;
}

bool GGameWnd::OnChar(int ch) {
  if (ch == TEvent::kEscape && mScene && !mScene->IsPaused()) ShowLocalMenu();
  return true;
}

bool GGameWnd::OnKeyDown(int key, uint32_t flags) {
  bool playing = mScene && !mScene->IsPaused();
  if (key == 't') {
    if (playing)
      SaveGame(kQuickSaveSlot, TPlatform::GetInstance()->GetStringTable()->GetString("quicksave"), false);
  } else if (key == 'x') {
    if (playing) LoadGame(kQuickSaveSlot);
  } else if (mScene) {
    mScene->OnGameKeyDown(char(key), flags);
  }
  return true;
}

bool GGameWnd::OnKeyUp(int key, uint32_t flags) {
  if (mScene) mScene->OnGameKeyUp(char(key));
  return true;
}

void GGameWnd::StartEffect(GTravelEffect* effect) {
  mEffectWindow = effect;
  mEffectsLayer->AdoptChild(effect);
  effect->SetEffectState(GTravelEffect::kRunning);
}

void GGameWnd::ShowMagicEffect(TXmlNode* node, std::vector<IHint*>* hints) {
  if (mEffectWindow) {
    // The second effect is not shown, but its hints still reach the player:
    // after the running magic effect's own, or at once behind another kind
    // of effect (the paused scene holds them back until it ends).
    if (GMagicEffect* running = dynamic_cast<GMagicEffect*>(mEffectWindow))
      running->AddHints(hints);
    else
      GMagicEffect::QueueHints(hints);
    return;
  }
  if (!node) {
    Report("cfg/game_screen.xml: a magic effect missing from magic_effects is not shown");
    GMagicEffect::QueueHints(hints);
    return;
  }
  StartEffect(GMagicEffect::Create(node, hints));
  if (!mScene) return;
  if (OSimpleBackground* background = mScene->GetBackground()) background->StopEffect();
  PlayEffectsInScene(node->GetChild("effects"));
  mScene->Pause();
}

void GGameWnd::PlayEffectsInScene(TXmlNode* node) {
  if (!node || !mScene) return;
  // A scene without effect lists (a mini-game) has nowhere to play them.
  std::vector<TFxSpriteRef>* sprites = mScene->GetEffectsList();
  std::vector<GBaseInterpolator*>* interpolators = mScene->GetEffectsHost();
  if (sprites && interpolators)
    LoadParticlesFromXml(node, *sprites, *interpolators, mScene->GetEffectsSpriteB());
}

void GGameWnd::ShowWakeUpEffect() {
  if (mEffectWindow) return;
  TXmlNode* effects = OGameConfig::GetInstance()->GetGameScreenChild("magic_effects");
  TXmlNode* node = effects ? effects->GetChild("wake_up") : nullptr;
  // The player still wakes, behind a blank picture.
  if (!node) Report("cfg/game_screen.xml: no magic_effects/wake_up; the wake-up shows no picture");
  StartEffect(GWakeUpEffect::Create(node));
  if (mScene) mScene->Pause();
}

void GGameWnd::ChangeSceneAtOnce(const str& sceneId) {
  DestroyCurrentScene(false);
  // A name that is no scene of the world is reported, and the player wakes
  // in the scene they slept in.
  OGame::GetInstance()->SetCurrentScene(sceneId);
  // The change is done here: no fade-out is awaited.
  mTransitionState = kPlayingAfterChange;
  if (!CreateCurrentScene()) return;
  mScene->OnStart();
  mScene->SetState(GScene::kActive);
  if (mPanel) mPanel->RefreshInventoryItems();
}

bool GGameWnd::StartGame(int slot) {
  OMissionsManager::GetInstance()->Reset();
  OHintsManager::GetInstance()->ResetHints();
  bool started = false;
  if (slot < 0) {
    // Set before the build: a change of state asked for while the scene is
    // built or started must stand, so the next heartbeat rebuilds the scene.
    mTransitionState = kPlaying;
    if (CreateCurrentScene()) {
      mScene->OnStart();
      mScene->SetState(GScene::kFadeIn);
      started = true;
    }
  } else {
    started = LoadGame(slot) && mScene;
  }
  StartWindowAnimation(16, true, true, false);
  return started;
}

GScene* GGameWnd::CreateCurrentScene() {
  OGame* game = OGame::GetInstance();
  TXmlNode* node = game->GetCurrentStateNode();
  if (!CanBuildSceneState(node, game->GetCurrentSceneId())) return nullptr;
  ISceneBuilder* builder = CreateSceneBuilder(node, this);
  ISceneDirector* director = CreateSceneDirector(builder);
  director->Direct();
  GScene* scene = builder->GetScene();
  delete director;
  delete builder;
  if (!scene) {
    Report("scene \"%s\": its state made no scene", game->GetCurrentSceneId().c_str());
    return nullptr;
  }
  mScene = scene;
  GiveHeldItemTo(scene->GetItemsManager());
  mShownSceneId = game->GetCurrentSceneId();
  mShownTakesHand = StateTakesHand(node);
  mSceneHost->AdoptChild(scene);
  TScript* script = TWindowManager::GetInstance()->GetScript();
  TWindowStyle style(script ? script->GetGlobalTable("DefaultStyle") : TLuaTableRef());
  scene->Init(style);
  return scene;
}

void GGameWnd::DestroyCurrentScene(bool keepItems) {
  if (mPanel) mPanel->RefreshInventoryItems();
  if (!mScene) return;
  if (keepItems)
    mScene->OnDestroyKeepItems();
  else
    mScene->OnDestroy();
  // After OnDestroy, which may have put the note in front into the hand: the
  // held item forgets the masks and items manager that go with the scene.
  if (IItem* held = GameHeldItem()) held->ReleaseMask();
  GiveHeldItemTo(nullptr);
  if (mScene->GetParent()) mScene->GetParent()->OrphanChild(mScene);
  if (keepItems) {
    delete mKeptItems;
    mKeptItems = mScene->GetItemsManager();
    if (mKeptItems) mKeptItems->Clear();
    mScene->ReleaseItemsManager();
  } else {
    delete mKeptItems;
    mKeptItems = nullptr;
  }
  mScene->DetachPanel();
  delete mScene;
  mScene = nullptr;
}

OItemsManager* GGameWnd::TakeKeptItemsManager() {
  OItemsManager* kept = mKeptItems;
  mKeptItems = nullptr;
  return kept;
}

void GGameWnd::OpenNavigator() {
  if (mScene) mScene->Pause();
  if (mNavigator) return;
  bool throughTime = mScene && mScene->GetNavigatorKind() == GNavigator::kThroughTime;
  const char* kind = throughTime ? "through_time" : "through_space";
  TXmlNode* navigator = OGameConfig::GetInstance()->GetGameScreenChild("navigator");
  TXmlNode* node = navigator ? navigator->GetChild(kind) : nullptr;
  if (!node) {
    // The next heartbeat ends the journey that has no navigator.
    Report("cfg/game_screen.xml: no navigator/%s; the player stays where they are", kind);
    return;
  }
  bool keepHome = !throughTime || OGame::GetInstance()->IsThroughTimeWorld();
  mNavigator =
      new GNavigator(node, throughTime ? GNavigator::kThroughTime : GNavigator::kThroughSpace, keepHome);
  mNavigator->SetState(GNavigator::kStart);
  AdoptChild(mNavigator);
}

void GGameWnd::ShowDialog(const str& script) {
  if (!OpensModal(this, str::format("DisplayDialog{%s,body='',title=''}", LuaQuoted(script).c_str()))) {
    // Only the dialog's closing resumes the scene; one that never opened
    // would hold the game still for good. It plays on as if it were read.
    Report("%s: the dialog did not open; the game plays on", script.c_str());
    if (mScene) mScene->Resume();
    return;
  }
  if (mScene) mScene->Pause();
}

void GGameWnd::ShowLocalMenu() {
  const char* const script = "scripts/localmenu.lua";
  if (!OpensModal(this, str::format("DisplayDialog{\"%s\",body=\"\",title=\"\"}", script))) {
    // Nothing would resume the scene, and Escape works only while it runs.
    Report("%s: the local menu did not open; the game goes on", script);
    return;
  }
  if (mScene) mScene->Pause();
}

void GGameWnd::SaveGame(int slot, const str& name, bool silent) {
  OSaveData* data = OSaveData::GetInstance();
  TXmlNode* save = data->CreateSave(slot, name);
  if (!save) return;
  if (mScene) mScene->SaveState();
  OItemsRegistry::GetInstance()->Save(save);
  if (mPanel)
    mPanel->Save(save);
  else
    save->CreateChild("panel");
  GMousePointer::GetInstance()->SaveItem(save);
  OGame::GetInstance()->Save(save);
  OFlagsRegistry::GetInstance()->Save(save);
  OMinigameRegistry::GetInstance()->Save(save);
  ODropZonesRegistry::GetInstance()->Save(save);
  OMagicRegistry::GetInstance()->Save(save);
  OTimersManager::GetInstance()->Save(save);
  OMissionsManager::GetInstance()->Save(save);
  OHintsManager::GetInstance()->Save(save);
  OIndicatorsManager::GetInstance()->Save(save);
  if (!data->Store()) {
    // Said even for the autosave: a player who goes on trusting a save that
    // never happened loses the game since the last one that did.
    OPopupQueue::GetInstance()->PushString(kNotSavedKey, "The game could not be saved");
  } else if (!silent) {
    OPopupQueue::GetInstance()->Push(
        TPlatform::GetInstance()->GetStringTable()->GetString("hint_game_saved"));
  }
}

bool GGameWnd::LoadGame(int slot) {
  TXmlNode* save = OSaveData::GetInstance()->FindSave(slot);
  if (!save) return false;
  // Asked before anything is torn down or replaced: a save whose scene
  // cannot be built would leave the player in a black screen with nothing
  // to go back to.
  if (!OGame::GetInstance()->CanLoad(save)) {
    Report("save slot %d cannot be loaded; the game goes on as it was", slot);
    return false;
  }
  // An effect still running belongs to the game being left: its action (a
  // wake-up's flag) must not land on the loaded one.
  if (mEffectWindow) {
    if (mEffectWindow->GetParent()) mEffectWindow->GetParent()->OrphanChild(mEffectWindow);
    delete mEffectWindow;
    mEffectWindow = nullptr;
  }
  if (mScene) {
    if (mScene->GetParent()) mSceneHost->OrphanChild(mScene);
    delete mKeptItems;
    mKeptItems = nullptr;
    DestroyCurrentScene(false);
  }
  // Nothing the game being left holds reaches the loaded one. Its hand and
  // cells go before the loaded scene is built: a game's door would put the
  // old hand's item away into the loaded inventory and its records.
  if (OMousePointerManager* hand = GMousePointer::PeekManager()) hand->DeleteHeldItem();
  if (mPanel) mPanel->DeleteInventoryItems();
  OFlagsRegistry::GetInstance()->Load(save);
  OMinigameRegistry::GetInstance()->Load(save);
  OGame::GetInstance()->Load(save);
  OItemsRegistry::GetInstance()->Load(save);
  ODropZonesRegistry::GetInstance()->Load(save);
  OMagicRegistry::GetInstance()->Load(save);
  OTimersManager::GetInstance()->Load(save);
  OMissionsManager::GetInstance()->Load(save);
  OHintsManager::GetInstance()->Load(save);
  OIndicatorsManager::GetInstance()->Load(save);
  // Set before the build: the held item, put back into the hand below, may
  // set a variable that selects another state; that request must stand.
  mTransitionState = kPlaying;
  if (!CreateCurrentScene()) return false;
  mScene->OnStart();
  // An item the save puts in two places is made once, where it comes first.
  std::set<str> placed;
  if (mPanel) mPanel->Load(save, &placed);
  GMousePointer::GetInstance()->LoadItem(save, mScene->GetItemsManager(), &placed);
  if (mPanel) mPanel->RefreshInventoryItems();
  mScene->SetState(GScene::kFadeIn);
  return true;
}

bool GGameWnd::RequestAutosave() {
  // Quick saves and the save window are the player's own choice and save
  // all the same.
  OUsersManager* users = OUsersManager::GetInstance();
  if (users && users->IsAutosaveOff()) return false;
  mAutosaveRequested = true;
  return true;
}

void GGameWnd::ResendHeldItemEvents() {
  OMissionsManager* missions = OMissionsManager::GetInstance();
  if (mPanel) {
    for (GInventoryCell* cell : mPanel->GetMainInventory()->GetCells()) {
      IItem* item = cell->GetItem();
      if (!item) continue;
      missions->OnItemCreate(item->GetCurrentName());
      missions->OnItemGet(item->GetCurrentName());
      if (item->GetTypeId() == ItemTypeId::OBasementFlaskItem)
        missions->OnPotionCreate(item->GetCurrentName());
    }
  }
  if (IItem* held = GameHeldItem()) {
    missions->OnItemCreate(held->GetCurrentName());
    missions->OnItemGet(held->GetCurrentName());
  }
}

void GGameWnd::onCancelExit() {
  if (mScene && !mSceneWasPaused) mScene->Resume();
}

void GGameWnd::unlockCurrentScene() {
  if (mScene) mScene->Resume();
}

void GGameWnd::quitGame() {
  OSoundManager::GetInstance()->StopAllSounds();
  TWindowManager* wm = TWindowManager::GetInstance();
  // Popping is deferred by the window manager, so this may run inside a
  // handler of the very window being popped.
  while (TModalWindow* top = wm->GetTopModalWindow()) {
    if (!top->GetParent()) break;
    size_t before = wm->GetModalStack().size();
    wm->PopModal(top->GetID());
    if (wm->GetModalStack().size() >= before) break;
  }
}
