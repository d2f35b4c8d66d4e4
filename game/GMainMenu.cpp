#include "GMainMenu.h"

#include "game/GGameWnd.h"
#include "game/GSlidingPanel.h"
#include "game/ONotices.h"
#include "game/OSaveData.h"
#include "game/OSoundManager.h"
#include "game/OUsersManager.h"
#include "sdk/TImage.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TPrefs.h"
#include "sdk/TReport.h"
#include "sdk/TStringTable.h"
#include "sdk/TText.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kTheme = "main_menu";
const char* const kGotoGame = "gotoGame()";
const char* const kChoosePlayerScript = "DoModal('scripts/chooseplayer.lua')";
}  // namespace

GMainMenu::GMainMenu() : mLuaNames(this) {
  TPlatform::GetInstance()->SetConfig("vsync", "1");
  mLuaNames.Bind("SetWelcomeName", this, &GMainMenu::SetWelcomeName);
  mLuaNames.Bind("onNewGameClick", this, &GMainMenu::onNewGameClick);
  mLuaNames.Bind("onLoadGameClick", this, &GMainMenu::onLoadGameClick);
  mLuaNames.Bind("onProfileClick", this, &GMainMenu::onProfileClick);
  OSoundManager::GetInstance()->SetTheme(kTheme, false);
  TWindowManager::GetInstance()->SetFocus(this);
}

GMainMenu::~GMainMenu() {
  mLuaNames.UnbindAll();
  for (TImage* slide : mSlides) {
    if (TWindow* parent = slide->GetParent()) parent->OrphanChild(slide);
    delete slide;
  }
  mSlides.clear();
  StopWindowAnimation();
}

void GMainMenu::PostChildrenInit(TWindowStyle& style) {
  OSaveData::GetInstance()->Load();
  if (TLuaTableRef names = style.GetTable("game_enter_slides")) {
    for (int i = 1; i <= names->GetSize(); ++i) {
      TImage* slide = new TImage();
      slide->SetTexture(TTexture::Get(names->GetString(i), 0), 1.0f);
      mSlides.push_back(slide);
    }
  }
  mLeftPanel = WindowCast<GSlidingPanel>(GetChildWindow("left_panel"));
  SetState(kSlidingIn);
  SetWelcomeName();
  TWindow::PostChildrenInit(style);
  // Made before it is adopted, the menu could not name its modal window as
  // the one whose keys it takes; now it can.
  TWindowManager::GetInstance()->SetFocus(this);
  StartWindowAnimation(16, true, true, false);
  TPlatform::GetInstance()->SetCursorPos(400, 300);
}

void GMainMenu::SetWelcomeName() {
  OUsersManager* users = OUsersManager::GetInstance();
  const int players = users ? users->GetPrefs()->GetNumUsers() : 0;
  const int current = users ? users->GetCurrentUserIndex() : -1;
  // Players may exist while none is current (a stored current player that
  // is gone): then there is nobody to greet, but one to choose.
  const bool greet = current >= 0 && current < players;
  TWindow* welcome = GetChildWindow("welcome");
  TWindow* change = GetChildWindow("changeplayer");
  if (greet) {
    if (TText* text = WindowCast<TText>(welcome)) {
      TStringTable* strings = TPlatform::GetInstance()->GetStringTable();
      text->SetText(strings->GetString("welcome", users->GetCurrentUserName(), "", "", "", ""));
    }
  }
  // A player made after the menu opened brings the greeting back.
  if (welcome) welcome->Show(greet);
  if (change) change->Show(players > 0);
}

bool GMainMenu::IsStarting() const {
  return mState == kSlidingOut || mState == kSlides || mState == kGameStarted;
}

void GMainMenu::onNewGameClick() {
  if (IsStarting()) return;
  mStartSlot = -1;
  SetState(kSlidingOut);
}

void GMainMenu::onLoadGameClick() {
  if (IsStarting()) return;
  // Only some missions save on their own: a player who saved by hand meets
  // this first. The slides would play for nothing and the title come back
  // without a word; the title stays and says why.
  if (!OSaveData::HasSave(OSaveData::kAutosaveSlot)) {
    Report("no autosave to continue; the player stays in the menu");
    ONotices::Push("notice_no_autosave",
                   "There is no game to continue: the game has not saved itself on the way yet. A game you "
                   "saved yourself can be chosen with Load game.");
    return;
  }
  mStartSlot = OSaveData::kAutosaveSlot;
  SetState(kSlidingOut);
}

void GMainMenu::StartFromSlot(int slot) {
  if (IsStarting()) return;
  mStartSlot = slot;
  SetState(kSlidingOut);
}

void GMainMenu::onProfileClick() {
  if (IsStarting()) return;
  SetState(kChoosePlayer);
}

void GMainMenu::LoadQuickSave() {
  if (IsStarting()) return;
  if (!OSaveData::HasSave(OSaveData::kQuickSaveSlot)) return;
  mStartSlot = OSaveData::kQuickSaveSlot;
  SetState(kSlidingOut);
}

bool GMainMenu::OnKeyDown(int key, uint32_t flags) {
  if (key != 'x') return false;
  LoadQuickSave();
  return true;
}

bool GMainMenu::OnKeyUp(int key, uint32_t flags) {
  return true;
}

void GMainMenu::SetState(int state) {
  mState = state;
  switch (state) {
    case kSlidingIn:
      if (mLeftPanel) mLeftPanel->StartSlide(GSlidingPanel::kSlidingIn);
      break;
    case kSlidingOut:
      if (mLeftPanel) mLeftPanel->StartSlide(GSlidingPanel::kSlidingOut);
      break;
    case kSlides:
      mTicks = 0;
      mSlideIndex = 0;
      mPrevSlide = nullptr;
      // Without slides the game starts at once.
      if (mSlides.empty()) {
        SetState(kGameStarted);
        return;
      }
      mCurSlide = mSlides[0];
      mCurSlide->SetAlpha(0);
      AdoptChild(mCurSlide);
      break;
    case kGameStarted:
      StartGame();
      break;
    default:
      break;
  }
}

void GMainMenu::StartGame() {
  TWindowManager* wm = TWindowManager::GetInstance();
  TModalWindow* own = FindParentModal();
  wm->DoLuaString(this, kGotoGame);
  TModalWindow* top = wm->GetTopModalWindow();
  bool started = false;
  if (top && top != own) {
    if (GGameWnd* game = WindowCast<GGameWnd>(top->GetChildWindow("gamewnd"))) {
      started = game->StartGame(mStartSlot);
      if (!started && mStartSlot >= 0)
        Report("save slot %d holds no game to continue; the player stays in the menu", mStartSlot);
      else if (!started)
        Report("the new game could not build its first scene; the player stays in the menu");
    } else
      Report("gotoGame() made no game window \"gamewnd\"; the player stays in the menu");
  } else {
    Report("gotoGame() opened no screen; the player stays in the menu");
  }
  if (started) return;
  if (top && top != own) wm->PopModal(top);
  ReturnToMenu();
}

void GMainMenu::ReturnToMenu() {
  for (TImage* slide : mSlides)
    if (slide->GetParent() == this) OrphanChild(slide);
  mPrevSlide = mCurSlide = nullptr;
  OSaveData::GetInstance()->Load();
  OSoundManager::GetInstance()->SetTheme(kTheme, false);
  TWindowManager::GetInstance()->SetFocus(this);
  SetWelcomeName();
  SetState(kSlidingIn);
}

bool GMainMenu::OnTaskAnimate() {
  ONotices::ShowPending();
  OSoundManager::GetInstance()->GetThemeController().Update();
  switch (mState) {
    case kSlidingIn:
      if (mLeftPanel) mLeftPanel->Step();
      if (!mLeftPanel || mLeftPanel->GetMode() == GSlidingPanel::kRestIn) SetState(kIdle);
      break;
    case kSlidingOut:
      if (mLeftPanel) mLeftPanel->Step();
      if (!mLeftPanel || mLeftPanel->GetMode() == GSlidingPanel::kRestOut) SetState(kSlides);
      break;
    case kChoosePlayer:
      TWindowManager::GetInstance()->DoLuaString(this, kChoosePlayerScript);
      SetState(kIdle);
      break;
    case kSlides:
      ++mTicks;
      mCurSlide->SetAlpha(float(mTicks) / kSlideTicks);
      if (mTicks >= kSlideTicks) {
        if (mPrevSlide && mPrevSlide->GetParent() == this) OrphanChild(mPrevSlide);
        ++mSlideIndex;
        if (mSlideIndex == mSlides.size()) {
          SetState(kGameStarted);
          break;
        }
        mCurSlide->SetAlpha(1);
        mPrevSlide = mCurSlide;
        mCurSlide = mSlides[mSlideIndex];
        mCurSlide->SetAlpha(0);
        AdoptChild(mCurSlide);
        mTicks = 0;
      }
      break;
    case kGameStarted:
      // The menu's clock runs only while it is on top: the game has closed
      // ("quitGame", the jump to the menu), so the menu comes back.
      ReturnToMenu();
      break;
    default:
      break;
  }
  return true;
}
