#include "GProfilesWnd.h"

#include "game/GSlidingPanel.h"
#include "game/OSaveData.h"
#include "game/OUsersManager.h"
#include "sdk/TButton.h"
#include "sdk/TPrefs.h"
#include "sdk/TReport.h"
#include "sdk/TText.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kProfilesWhat = "profiles window";
const char* const kModal = "profiles";
const char* const kDeleteDialog =
    "DisplayDialog{ 'scripts/yesno.lua', yes=function() DeleteUser(%d); onListChanged(); end, title = "
    "'quittitle', body = 'deleteconfirm',};";

void ShowIf(TWindow* window, bool shown) {
  if (window) window->Show(shown);
}
}  // namespace

GProfilesWnd::GProfilesWnd() : mLuaNames(this) {
  mLuaNames.Bind("onListChanged", this, &GProfilesWnd::ReloadList);
}

GProfilesWnd::~GProfilesWnd() {
  mLuaNames.UnbindAll();
}

void GProfilesWnd::PostChildrenInit(TWindowStyle& style) {
  mColumn.SetVisible(style.GetInt("kVisibleSlots", 5));
  mMaxPlayers = style.GetInt("kMaxSlots", 10);
  mPanel = WindowCast<GSlidingPanel>(GetChildWindow("panel"));
  mSelectedLabel = WindowCast<TText>(GetChildWindow("selected_slot"));
  TWindow::PostChildrenInit(style);
  mColumn.CheckButtons(this, kProfilesWhat);
  ReadPlayers();
  SetUpButtons();
  Refresh();
  StartWindowAnimation(16, true, true, false);
  if (mPanel) mPanel->StartSlide(GSlidingPanel::kSlidingIn);
}

void GProfilesWnd::ReadPlayers() {
  OUsersManager* users = OUsersManager::GetInstance();
  std::vector<str>& entries = mColumn.Entries();
  entries.clear();
  mColumn.SetSelected(users ? users->GetCurrentUserIndex() : -1);
  for (int i = 0, n = users ? users->GetNumUsers() : 0; i < n; ++i) entries.push_back(users->GetUserName(i));
}

void GProfilesWnd::SetUpButtons() {
  const int players = int(mColumn.GetEntries().size());
  ShowIf(GetChildWindow("btnNew"), players < mMaxPlayers);
  // With no player, deleting would ask to delete player -1.
  ShowIf(GetChildWindow("btnDelete"), players > 1);
}

void GProfilesWnd::ReloadList() {
  ReadPlayers();
  SetUpButtons();
  Refresh();
}

void GProfilesWnd::Refresh() {
  const int entries = int(mColumn.GetEntries().size());
  const int visible = mColumn.GetVisible();
  int first = mColumn.GetFirst();
  if (entries - first < visible) first = entries - visible;
  mColumn.SetFirst(first < 0 ? 0 : first);
  mColumn.ShowEntries(this);
  if (mColumn.HasSelection()) {
    if (mSelectedLabel) mSelectedLabel->SetText(mColumn.GetSelectedEntry());
    mColumn.SwitchOn(this);
  }
  ShowIf(GetChildWindow("profiles_slider"), visible < entries);
}

bool GProfilesWnd::OnTaskAnimate() {
  GSlidingPanel::StepMenuPanel(mPanel, kModal);
  return true;
}

bool GProfilesWnd::OnMessage(const TMessage& message) {
  if (message.kind == TMessage::kSliderMoved) {
    if (!mColumn.Scroll(this, message, "profiles_slider", mMaxPlayers)) return false;
    Refresh();
    return true;
  }
  if (message.kind != TMessage::kButtonPressed) return false;
  if (message.senderName == "btnChange") {
    Confirm();
  } else if (message.senderName == "btnNew") {
    // The script's own command opens the enter-name window.
  } else if (message.senderName == "btnDelete") {
    TWindowManager::GetInstance()->DoLuaString(this, str::format(kDeleteDialog, mColumn.GetSelected()));
  } else {
    TButton* button = WindowCast<TButton>(message.sender);
    if (!button || mColumn.IndexOf(this, button) < 0) return true;
    // A row without a name selects nothing, but still counts as a click.
    if (!button->GetLabel().empty()) {
      mColumn.Choose(this, button);
      if (mSelectedLabel) mSelectedLabel->SetText(button->GetLabel());
    }
    // A second click on the same player confirms it.
    if (mColumn.IsSecondClick(button)) Confirm();
  }
  return true;
}

void GProfilesWnd::Confirm() {
  OUsersManager* users = OUsersManager::GetInstance();
  if (users && mColumn.GetSelected() != users->GetCurrentUserIndex()) {
    users->SetCurrentUser(mColumn.GetSelected());
    OSaveData::GetInstance()->Load();
  }
  GSlidingPanel::CloseMenu(mPanel, kModal);
}

void GEnterNameWnd::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  mNameField = WindowCast<TText>(GetChildWindow("nameedit"));
  if (!mNameField) Report("enter-name window: no text field \"nameedit\"");
}

bool GEnterNameWnd::OnMouseDown(const TPoint& local) {
  FocusFieldAt(this, local, mNameField);
  return false;
}
