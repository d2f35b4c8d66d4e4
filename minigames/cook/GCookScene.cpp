#include "GCookScene.h"

#include <algorithm>

#include "GCookBook.h"
#include "game/GGameWnd.h"
#include "game/GMiniGameScene.h"
#include "game/GMousePointer.h"
#include "game/OGame.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/OCookCutItem.h"
#include "items/OCookDishItem.h"
#include "items/OItemsManager.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/OHintAction.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "tools/GFrontItemHolder.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GVObject.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"
#include "visual/TProgressBar.h"

const char* const GCookScene::kMixingPlate = "king_cook_plate_mixer";

namespace {
const char* const kCookRegistryChild = "cook";
const char* const kBookButton = "cook_book_button";
const char* const kBookIconKey = "king_cook_book_icon";
const char* const kBookItem = "kitchen_cook_book";
enum { kFxWrong = 0, kFxRight = 1, kFxFlying = 2 };
// The flight of a served dish: run time (ms of the interpolator) and delay
// (ticks).
enum { kFlightTime = 500, kFlightDelay = 10 };

IItem* HeldItem() {
  OMousePointerManager* manager = GMousePointer::PeekManager();
  return manager ? manager->GetHeldItem() : nullptr;
}

TSoundRef LoadSound(const char* name) {
  return TSound::Get(str::format("audio/sfx/minigames/cook/%s.ogg", name), 0, TSound::kTypeEffects);
}

void PlayCookOnce(const TSoundRef& sound) {
  if (sound) sound->Play(false);
}

GSplineInterpolator::Point CentreOf(IItem* item) {
  TPoint centre = item->GetCenter();
  return GSplineInterpolator::Point(int(centre.x), int(centre.y));
}

void SaveDish(TXmlNode* plates, IItem* item) {
  OCookDishItem* dish = IsCookDishItem(item) ? static_cast<OCookDishItem*>(item) : nullptr;
  if (!dish) return;
  if (TXmlNode* node = plates->CreateChild(dish->GetName())) dish->SaveState(node);
}
}  // namespace

// ---- the served dishes ----

void OCookServedDishes::Serve(const str& id, int rating) {
  auto it = mRatings.find(id);
  if (it != mRatings.end()) mReadySum -= it->second;
  mRatings[id] = rating;
  mReadySum += rating;
}

void OCookServedDishes::Clear(const str& id) {
  auto it = mRatings.find(id);
  if (it == mRatings.end()) return;
  mReadySum -= it->second;
  it->second = 0;
}

// ---- the scene ----

GCookScene::GCookScene() : mLuaNames(this) {
  mBook = LoadWindowFromScript<GCookBook>("scripts/cook_book.lua", "cook_book");
  mFlight = new GSplineInterpolator(TSpriteRef());
  mInterpolators.push_back(mFlight);
}

GCookScene::~GCookScene() {
  mLuaNames.UnbindAll();
  DetachPanel();
  if (mBook && mBook->GetParent()) mBook->GetParent()->OrphanChild(mBook);
  delete mBook;
}

void GCookScene::Init(TWindowStyle& style) {
  GFullScreenGameScene::Init(style);
  mLuaNames.Bind("onMinigameButtonClick", this, &GCookScene::OnMinigameButtonClick);

  // The bar and the clear button are the panel's, attached before this.
  TWindow* bar = GetChildWindow("progress_bar_king_cook");
  mProgressBar =
      bar && bar->IsKindOf(TCustomProgressBar::ClassId()) ? static_cast<TCustomProgressBar*>(bar) : nullptr;
  if (mProgressBar) mProgressBar->SetRange(0, kBarMaximum);
  SetBar(kBarMaximum);
  if (TWindow* clear = GetChildWindow("btn_cook_clear")) mClearRect = clear->GetWindowRect();

  if (!mStateNode) mStateNode = OGame::GetInstance()->GetCurrentStateNode();
  ReadConfig(mStateNode);
  // The player's things wait in the main inventory; a dish of this kitchen
  // stays in the hand.
  GMiniGameScene::PutAwayHeldItem([this](IItem* item) { return IsPiece(item); });
  IItem* plate = mItemsManager ? mItemsManager->FindItem(kMixingPlate) : nullptr;
  mMixingPlate = IsCookDishItem(plate) ? static_cast<OCookDishItem*>(plate) : nullptr;
  if (!mMixingPlate && mStateNode)
    Report("scene \"%s\": no cook dish \"%s\" among its items; done serves nothing",
           OGame::GetInstance()->GetCurrentSceneId().c_str(), kMixingPlate);
  mClearSound = LoadSound("clear");
  mDoneSound = LoadSound("done");
  mRightSound = LoadSound("dish_end_right");
  mWrongSound = LoadSound("dish_end_noright");

  if (TXmlNode* cook = OMinigameRegistry::GetInstance()->GetNode(kCookRegistryChild)) {
    ReadSavedState(cook);
    // Saved during the wait (a closed hint lets a save through): the wait
    // starts again, or only the time limit would end a game already made.
    if (mServed.GetCount() >= kDishesToServe) StartWait();
  } else if (TXmlNode* tutorial = mStateNode ? mStateNode->GetChild("tutorial") : nullptr) {
    mTutorialCountdown = std::max(0, tutorial->GetAttribute("start").to_int());
    mTutorialScript = tutorial->GetAttribute("script");
    Pause();
  }
}

void GCookScene::ReadConfig(TXmlNode* node) {
  if (!node) return;
  if (TXmlNode* items = node->GetChild("items"))
    for (size_t i = 0; i < items->GetChildCount(); ++i)
      mPieces.insert(items->GetChildAt(i)->GetAttribute("name"));
  if (TXmlNode* fxs = node->GetChild("fxs")) {
    LoadParticlesFromXml(fxs, mFxs, mInterpolators, mEffectSpriteA);
    // The scene's list lets them go with it.
    mParticles.insert(mParticles.end(), mFxs.begin(), mFxs.end());
  }
  if (TXmlNode* hints = node->GetChild("time_hints")) {
    mTimeLimit = hints->GetAttribute("cook_time").to_int();
    for (size_t i = 0; i < hints->GetChildCount(); ++i) {
      TXmlNode* hint = hints->GetChildAt(i);
      mHints[hint->GetAttribute("time").to_int()] = hint->GetAttribute("hint");
    }
  }
  mTime = 0;
  mNextHint = NextHintTime(mHints, mTime);
  if (TXmlNode* plates = node->GetChild("plates"))
    for (size_t i = 0; i < plates->GetChildCount(); ++i)
      mPlates.push_back(plates->GetChildAt(i)->GetAttribute("id"));
  if (TXmlNode* items = node->GetChild("exit_item")) {
    mWinItem = items->GetAttribute("win");
    mLoseItem = items->GetAttribute("lose");
    mExitDelay = std::max(1, items->GetAttribute("exit_delay").to_int());
  }
  if (TXmlNode* scenes = node->GetChild("exit_scene_id")) {
    mWinScene = scenes->GetAttribute("win");
    mLoseScene = scenes->GetAttribute("lose");
  }
  if (TXmlNode* flag = node->GetChild("win_flag")) {
    mWinFlag = flag->GetAttribute("flag_name");
    mWinFlagValue = flag->GetAttribute("flag_value");
  }
  if (TXmlNode* flag = node->GetChild("lose_flag")) {
    mLoseFlag = flag->GetAttribute("flag_name");
    mLoseFlagValue = flag->GetAttribute("flag_value");
  }
}

void GCookScene::ReadSavedState(TXmlNode* cook) {
  // A damaged save is kept within what a game can reach: ratings of 0 to
  // 100, a sum that is theirs, a clock short of the limit (or far from
  // overflowing without one), the hint its time leads to, the bar's range.
  bool damaged = false;
  auto within = [&damaged](int value, int low, int high) {
    int kept = std::max(low, std::min(value, high));
    damaged = damaged || kept != value;
    return kept;
  };
  int sum = 0;
  if (TXmlNode* dishes = cook->GetChild("dishes"))
    for (size_t i = 0; i < dishes->GetChildCount(); ++i) {
      TXmlNode* dish = dishes->GetChildAt(i);
      int rating = within(dish->GetAttribute("val").to_int(), 0, 100);
      mServed.Set(dish->GetAttribute("id"), rating);
    }
  for (const auto& entry : mServed.GetRatings()) sum += entry.second;
  damaged = damaged || cook->GetAttribute("readysum").to_int() != sum;
  mServed.SetReadySum(sum);
  // The running tick that reaches the limit ends the game: no game is saved
  // at or past it.
  mTime = within(cook->GetAttribute("time").to_int(), 0, mTimeLimit > 0 ? mTimeLimit - 1 : kLongestTime);
  mNextHint = NextHintTime(mHints, mTime);
  damaged = damaged || cook->GetAttribute("next").to_int() != mNextHint;
  float bar = cook->GetAttribute("curval").to_float();
  if (!(bar >= 0 && bar <= kBarMaximum)) {
    damaged = true;
    bar = bar > kBarMaximum ? kBarMaximum : 0;
  }
  SetBar(int(bar));
  if (damaged) Report("minigame_registry: the kitchen's saved state is out of range; it is kept within");
}

int GCookScene::NextHintTime(const std::map<int, str>& hints, int time) {
  // Strictly after: a hint at the time already reached (0 at the start)
  // would otherwise stand as the next one for ever and block the rest.
  auto it = hints.upper_bound(time);
  return it == hints.end() ? -1 : it->first;
}

void GCookScene::SetBar(int value) {
  if (mProgressBar) mProgressBar->SetValue(float(value));
}

void GCookScene::RunEffect(size_t index) {
  if (index >= mFxs.size()) return;
  if (TScript* script = mFxs[index]->GetScript()) script->DoLuaString("gActive = true", 0);
}

// ---- ticks ----

void GCookScene::UpdateTimers() {
  OTimersManager::GetInstance()->Update(true);
}

void GCookScene::Update() {
  GFullScreenGameScene::Update();
  if (mBook) mBook->AnimateSheets();
  if (mFinished) return;
  if (IsWaiting()) {
    // The wait runs whatever pauses or resumes come meanwhile.
    if (++mExitCountdown >= mExitDelay) {
      mExitCountdown = -1;
      Finish(mServed.IsWon());
    }
  } else if (!IsPaused()) {
    ++mTime;
    // A limit of 0 or less is no limit.
    if (mTimeLimit > 0 && mTime >= mTimeLimit) {
      Finish(false);
      return;
    }
    if (mTime == mNextHint) {
      OHintAction hint(mHints[mTime], str(), 1, mMasksManager);
      hint.Execute();
      mNextHint = NextHintTime(mHints, mTime);
    }
  }
  if (mTutorialCountdown > 0) {
    --mTutorialCountdown;
  } else if (mTutorialCountdown == 0) {
    mTutorialCountdown = -1;
    // The dialog pauses the scene and its closing resumes it.
    if (GGameWnd* wnd = OGame::GetInstance()->GetGameWindow())
      wnd->ShowDialog(mTutorialScript);
    else
      Resume();
  }
}

void GCookScene::StartWait() {
  Pause();
  mExitCountdown = 0;
}

// ---- the panel's buttons ----

void GCookScene::OnDoneClick() {
  if (!Acts() || !mMixingPlate || mMixingPlate->GetStage() <= 0) return;
  str id = mMixingPlate->GetCompleteDish();
  IItem* found = mItemsManager ? mItemsManager->FindItem(id) : nullptr;
  OCookDishItem* plate = IsCookDishItem(found) ? static_cast<OCookDishItem*>(found) : nullptr;
  mServed.Serve(id, mMixingPlate->GetRating());
  if (plate) {
    if (mFxs.size() > kFxFlying) {
      RunEffect(kFxFlying);
      mFlight->SetLine(kFlightTime, kFlightDelay, mFxs[kFxFlying], CentreOf(mMixingPlate), CentreOf(plate));
    }
    plate->SetStage(mMixingPlate->GetCurrentLayer(), mMixingPlate->GetStage(),
                    mMixingPlate->GetCompleteDish());
    mMixingPlate->Clear();
  }
  SetBar(kBarMaximum - mServed.GetReadySum());
  PlayCookOnce(mDoneSound);
  if (mServed.GetCount() == kDishesToServe) StartWait();
}

void GCookScene::OnClearClick() {
  IItem* held = HeldItem();
  if (!Acts() || mBookShown || !held) return;
  PlayCookOnce(mClearSound);
  if (IsCookDishItem(held)) {
    OCookDishItem* dish = static_cast<OCookDishItem*>(held);
    mServed.Clear(dish->GetCompleteDish());
    dish->Clear();
    UpdateProgressBar(dish, 0);
  } else if (OCookToolItem* tool = dynamic_cast<OCookToolItem*>(held)) {
    tool->ReplaceByResult();
  } else if (IsCookDustItem(held)) {
    static_cast<OCookDustItem*>(held)->ReplaceByResult();
  }
}

void GCookScene::UpdateProgressBar(OCookDishItem* dish, int amount) {
  if (dish && dish == mMixingPlate)
    SetBar(kBarMaximum - (mServed.GetReadySum() + amount));
  else if (amount == 0)
    SetBar(kBarMaximum - mServed.GetReadySum());
}

void GCookScene::PlayDishResult(int result) {
  bool right = result == OCookDishItem::kDone;
  RunEffect(right ? kFxRight : kFxWrong);
  PlayCookOnce(right ? mRightSound : mWrongSound);
}

// ---- the end ----

void GCookScene::Finish(bool won) {
  if (mFinished) return;
  mFinished = true;
  mExitCountdown = -1;
  // A state loaded from a save stays in the registry until the next save:
  // coming back would otherwise restore the game just ended.
  OMinigameRegistry::GetInstance()->DeleteNode(kCookRegistryChild);
  // The kitchen's things end with the game, in the hand and in the cook
  // cells alike, their records with them; anything of the player's (the
  // cook book) goes back to the main inventory.
  const GMiniGameScene::PieceTest isPiece = [this](IItem* item) { return IsPiece(item); };
  GMiniGameScene::ClearHandAtEnd(isPiece);
  GMiniGameScene::ClearCellsAtEnd(mPanel ? mPanel->GetInventory(GGamePanel::kCookInventory) : nullptr,
                                  isPiece);
  GMiniGameScene::GiveExitItem(won ? mWinItem : mLoseItem);
  const str& flag = won ? mWinFlag : mLoseFlag;
  if (!flag.empty()) GMiniGameScene::SetExitFlag(flag, won ? mWinFlagValue : mLoseFlagValue);
  GMiniGameScene::EnterExitScene(won ? mWinScene : mLoseScene);
  SetState(kFadeOutScene);
}

bool GCookScene::IsPiece(IItem* item) const {
  if (!item) return false;
  if (mPieces.count(item->GetName())) return true;
  // What the kitchen's things make (a cut onion, its dust) is the kitchen's.
  for (const char* type : {"cook_dish", "cook_cut", "cook_dust", "cook_tool", "cook_desk"})
    if (GMiniGameScene::IsOfGuideType(item, type)) return true;
  return false;
}

// ---- the book ----

void GCookScene::OnMinigameButtonClick() {
  if (IsPaused() || !Acts() || !mBook) return;
  SetBookShown(true);
}

void GCookScene::SetBookShown(bool shown) {
  mBookShown = shown;
  TWindow* button = mPanel ? mPanel->GetNamedChild(kBookButton) : nullptr;
  if (shown) {
    mFrontItemHolder->AdoptChild(mBook);
    if (button && button->GetParent() == mPanel) mPanel->OrphanChild(button);
    Pause();
    GMousePointer::GetInstance()->SetInGameMode(false);
  } else {
    if (mBook->GetParent() == mFrontItemHolder) mFrontItemHolder->OrphanChild(mBook);
    if (button && !button->GetParent()) mPanel->AdoptChild(button);
    Resume();
    GMousePointer::GetInstance()->SetInGameMode(true);
  }
}

// ---- the mouse ----

bool GCookScene::OnMouseDown(const TPoint& point) {
  if (mBookShown) return true;
  if (mInteractionMode == kNote) {
    GFullScreenGameScene::OnMouseDown(point);
  } else if (Acts() && (!mPanel || !mPanel->HitTest(point))) {
    OnSceneClick(point);
  }
  return true;
}

bool GCookScene::OnExtendedMouseEvent(const TPoint& point, int event) {
  if (!mBookShown) return Acts() && GFullScreenGameScene::OnExtendedMouseEvent(point, event);
  if (event == 0) SetBookShown(false);
  return true;
}

bool GCookScene::OnMouseMove(const TPoint& point) {
  if (mBookShown) return false;
  ShrinkOverClear(point);
  return GFullScreenGameScene::OnMouseMove(point);
}

void GCookScene::ShrinkOverClear(const TPoint& point) {
  IItem* held = HeldItem();
  GVObject* object = held ? held->GetObject() : nullptr;
  if (!object) return;
  if (mClearRect.Contains(point)) {
    if (!IsCookDishItem(held) && !IsCookDustItem(held)) return;
    float size = std::max(held->GetObjectWidth(), held->GetObjectHeight());
    if (size <= kClearButtonSize || object->scaling != 1) return;
    object->scaling = kClearButtonSize / size;
    object->changed = 1;
    mShrunk = true;
  } else if (mShrunk) {
    object->scaling = 1;
    object->changed = 1;
    mShrunk = false;
  }
}

// ---- the panel ----

void GCookScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
  if (!mPanel) return;
  mPanel->SetKind(GGamePanel::kKindCook);
  OItemsRegistry* registry = OItemsRegistry::GetInstance();
  int32_t icon = 0;
  registry->GetState(kBookIconKey, 0, &icon);
  bool hasBook = icon != 0;
  if (!hasBook && mPanel->GetMainInventory() && mPanel->GetMainInventory()->ContainsItem(kBookItem)) {
    registry->SetState(kBookIconKey, 1);
    hasBook = true;
  }
  if (TWindow* button = mPanel->GetNamedChild(kBookButton)) {
    if (hasBook && !button->GetParent())
      mPanel->AdoptChild(button);
    else if (!hasBook && button->GetParent() == mPanel)
      mPanel->OrphanChild(button);
  }
  mPanelLayer->AdoptChild(mPanel);
}

void GCookScene::DetachPanel() {
  if (!mPanel) return;
  mPanel->Release(this, mPanelLayer);
  mPanel = nullptr;
}

void GCookScene::Pause() {
  GFullScreenGameScene::Pause();
  if (mPanel) mPanel->Lock();
}

void GCookScene::Resume() {
  // A fresh game waits for its tutorial: the end of the fade-in must not
  // start the clock before the player has read it.
  if (mTutorialCountdown >= 0) return;
  GFullScreenGameScene::Resume();
  if (mPanel) mPanel->Unlock();
}

// ---- saved state ----

void GCookScene::SaveState() {
  GFullScreenGameScene::SaveState();
  if (mFinished) return;
  if (TXmlNode* cook = OMinigameRegistry::GetInstance()->CreateNode(kCookRegistryChild)) WriteState(cook);
}

void GCookScene::WriteState(TXmlNode* node) {
  node->SetAttribute("readysum", str::format("%d", mServed.GetReadySum()));
  node->SetAttribute("time", str::format("%d", mTime));
  node->SetAttribute("next", str::format("%d", mNextHint));
  node->SetAttribute("curval", str::format("%f", mProgressBar ? double(mProgressBar->GetValue()) : 0.0));
  TXmlNode* dishes = node->CreateChild("dishes");
  for (const auto& entry : mServed.GetRatings()) {
    TXmlNode* dish = dishes->CreateChild("dish");
    dish->SetAttribute("id", entry.first);
    dish->SetAttribute("val", str::format("%d", entry.second));
  }
  TXmlNode* plates = node->CreateChild("plates");
  SaveDish(plates, HeldItem());
  if (mItemsManager)
    for (const str& name : mPlates) SaveDish(plates, mItemsManager->FindItem(name));
}

void GCookScene::DescribeState(TXmlNode* node) {
  WriteState(node);
  node->SetAttribute("paused", IsPaused() ? "1" : "0");
  node->SetAttribute("book", mBookShown ? "1" : "0");
  node->SetAttribute("countdown", str::format("%d", mExitCountdown));
  node->SetAttribute("finished", mFinished ? "1" : "0");
}
