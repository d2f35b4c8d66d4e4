#include "GFishingScene.h"

#include "game/GMousePointer.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "rules/actions/OHintAction.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/GVFactory.h"
#include "visual/GVObjectWrapper.h"

namespace {
// By IFishingRod::Sound.
const char* const kSoundPaths[] = {
    "audio/sfx/minigames/fishing/hool_empty.ogg",
    "audio/sfx/minigames/fishing/hook_fish.ogg",
    "audio/sfx/minigames/fishing/kick_splash.ogg",
    "audio/sfx/minigames/fishing/kick.ogg",
};

// The game's pieces: the items the items guide gives the type "fish".
bool IsFish(IItem* item) {
  return GMiniGameScene::IsOfGuideType(item, "fish");
}
}  // namespace

GMiniGameScene* NewFishingScene() {
  return new GFishingScene();
}

GFishingScene::GFishingScene() : mField(this, &mRandom) {
  // The game's own windows lie under the fade: the background, then the
  // objects.
  mGameLayer = NewLayer();
  mObjectWrapper = new GVObjectWrapper();
  mObjectWrapper->SetWindowSize(800, 600);
  mObjectWrapper->client = this;
  GetSceneLayer()->AdoptChild(mGameLayer);
  GetSceneLayer()->AdoptChild(mObjectWrapper);
}

GFishingScene::~GFishingScene() {
  DetachPanel();
  if (mRod) {
    if (GVObject* main = mRod->GetChild("main")) main->listener = nullptr;
    delete mRod;
  }
}

void GFishingScene::Init(TWindowStyle& style) {
  GMiniGameScene::Init(style);
  StartWindowAnimation(16, true, true, false);
  for (int i = 0; i < 4; ++i) mSounds[i] = TSound::Get(kSoundPaths[i], 0, TSound::kTypeEffects);
  PutAwayHeldItem();
  mRod = GVFactory::GetInstance()->CreateInList(&mDrawList, "anim/minigames/fishing/", "rod");
  if (GVObject* main = mRod ? mRod->GetChild("main") : nullptr) main->listener = this;
  if (TXmlNode* saved = OMinigameRegistry::GetInstance()->GetNode("fishing")) {
    mField.Restore(saved);
    return;
  }
  mField.Start();
  if (ReadTutorial(mConfig)) Pause();
}

void GFishingScene::SetConfigNode(TXmlNode* node) {
  mConfig = node;
  if (!node) return;
  mField.Configure(node);
  auto id = [node](const char* element) {
    TXmlNode* child = node->GetChild(element);
    return child ? child->GetAttribute("id") : str();
  };
  mExitSceneId = id("exit_scene_id");
  mExitKeyId = id("exit_key_id");
  mExitRodId = id("exit_rod_id");
  if (TXmlNode* flag = node->GetChild("win_flag")) {
    mWinFlagName = flag->GetAttribute("flag_name");
    mWinFlagValue = flag->GetAttribute("flag_value");
  }
  if (TXmlNode* flag = node->GetChild("lose_flag")) {
    mLoseFlagName = flag->GetAttribute("flag_name");
    mLoseFlagValue = flag->GetAttribute("flag_value");
  }
  mExitHints.clear();
  if (TXmlNode* hints = node->GetChild("exit_hints"))
    for (size_t i = 0; i < hints->GetChildCount(); ++i)
      mExitHints.push_back(hints->GetChildAt(i)->GetAttribute("hint"));
  if (TXmlNode* panel = node->GetChild("panel")) mFullPanelHint = panel->GetAttribute("full_panel_hint");
}

void GFishingScene::AdoptOverlayChild(TWindow* child) {
  if (child) mGameLayer->AdoptChild(child);
}

bool GFishingScene::OnTaskAnimate() {
  // The rod stands still while a hint, the lesson or a fade holds the scene,
  // as its state ends are ignored then: a drift would go on without bound.
  // After the end nothing moves it either: a fish landing in the fade-out
  // would change the basket and the exit item the end has already decided.
  if (!IsPaused() && !IsFinished()) mField.Tick();
  TWindowManager::GetInstance()->InvalidateScreen();
  return true;
}

bool GFishingScene::OnMouseDown(const TPoint& point) {
  if (IsFinished() || WaitsForLesson()) return true;
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (pointer && pointer->GetHeldItem()) return true;
  if (mPanel && mPanel->HitTest(point)) return false;
  if (mField.IsAtHome()) {
    if (IsFishingInventoryFull())
      ShowHint(mFullPanelHint);
    else
      mField.ClickWater(int(point.x), int(point.y));
  } else {
    mField.Strike();
  }
  return true;
}

bool GFishingScene::OnExtendedMouseEvent(const TPoint& point, int event) {
  if (!mPanel) return false;
  if (event == 4 || event == 6) mPanel->onInventoryPrev();
  if (event == 5 || event == 7) mPanel->onInventoryNext();
  return false;
}

void GFishingScene::SetState(int state) {
  GMiniGameScene::SetState(state);
  // The catch is handed over as the screen has gone dark; a fade out for
  // any other reason than the game's end gives nothing.
  if (state == kFadedOutScene && IsFinished()) GiveExitItem(mWon ? mExitKeyId : mExitRodId);
}

void GFishingScene::Update() {
  GMiniGameScene::Update();
  if (mState == kActive) TickTutorial();
}

void GFishingScene::AttachPanel(GGamePanel* panel) {
  GMiniGameScene::AttachPanel(panel);
  // The basket is emptied whenever the game is left: only fish go in.
  if (GInventory* basket = GetBasket()) basket->SetAccepts(&IsFish);
}

void GFishingScene::DetachPanel() {
  ClearFishingInventory();
  GMiniGameScene::DetachPanel();
}

void GFishingScene::WriteState(TXmlNode* node) {
  mField.Write(node);
}

void GFishingScene::Finish(bool won) {
  if (!BeginFinish()) return;
  mWon = won;
  OMinigameRegistry::GetInstance()->DeleteNode("fishing");
  ClearHandAtEnd(&IsFish);
  if (won)
    SetExitFlag(mWinFlagName, mWinFlagValue);
  else
    SetExitFlag(mLoseFlagName, mLoseFlagValue);
  EnterExitScene(mExitSceneId);
  GMiniGameScene::SetState(kFadeOutScene);
}

void GFishingScene::OnDoneClick() {
  if (IsPaused() || IsFinished()) return;
  if (!mField.IsKeyCaught() && !mExitHints.empty()) {
    ShowHint(mExitHints[mExitHintIndex]);
    // The last hint repeats.
    if (mExitHintIndex + 1 < int(mExitHints.size())) ++mExitHintIndex;
    return;
  }
  ClearFishingInventory();
  Finish(mField.IsKeyCaught());
}

void GFishingScene::OnClearClick() {
  if (IsPaused() || IsFinished()) return;
  ClearFishingInventory();
  mField.SetKeyCaught(false);
}

void GFishingScene::OnStateEnd(GVObject* object, TState state) {
  if (IsPaused() || IsFinished()) return;
  mField.OnStateEnd(state.ToStr());
}

GInventory* GFishingScene::GetBasket() const {
  return mPanel ? mPanel->GetInventory(GGamePanel::kFishingInventory) : nullptr;
}

bool GFishingScene::IsFishingInventoryFull() const {
  GInventory* basket = GetBasket();
  if (!basket) return false;
  for (GInventoryCell* cell : basket->GetCells())
    if (!cell->GetItem()) return false;
  return true;
}

void GFishingScene::ClearFishingInventory() {
  if (GInventory* basket = GetBasket()) basket->DeleteItems();
}

void GFishingScene::PutIntoBasket(GInventory* basket, IItem* fish) {
  if (!basket || basket->GetCells().empty()) {
    delete fish;
    return;
  }
  for (GInventoryCell* cell : basket->GetCells())
    if (!cell->GetItem()) {
      cell->PutItem(fish);
      return;
    }
  GInventoryCell* first = basket->GetCells()[0];
  first->DeleteItem();
  first->PutItem(fish);
}

void GFishingScene::ShowHint(const str& key) {
  OHintAction hint(key, str(), 1, GetMasksManager());
  hint.Execute();
}

void GFishingScene::ShowState(const str& name) {
  if (mRod) mRod->SetState(TState::FromStr(name), true);
}

str GFishingScene::GetShownState() const {
  if (!mRod) return str();
  GVObject* main = mRod->GetChild("main");
  return (main ? main : mRod)->GetState().ToStr();
}

float GFishingScene::GetRodX() const {
  return mRod ? mRod->deltaX : 0;
}

float GFishingScene::GetRodY() const {
  return mRod ? mRod->deltaY : 0;
}

void GFishingScene::PlaceRod(float x, float y) {
  if (!mRod) return;
  mRod->deltaX = x;
  mRod->deltaY = y;
  mRod->changed = 1;
}

void GFishingScene::PlaySound(Sound sound) {
  if (mSounds[sound]) mSounds[sound]->Play();
}

void GFishingScene::LandFish(const str& itemName) {
  IItem* fish = OItemFactory::CreateForInventory(itemName, nullptr);
  if (!fish) return;
  fish->CreateObject();
  PutIntoBasket(GetBasket(), fish);
}
