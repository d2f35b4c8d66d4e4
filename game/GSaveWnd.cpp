#include "GSaveWnd.h"

#include "game/GGameWnd.h"
#include "game/OSaveData.h"
#include "sdk/TButton.h"
#include "sdk/TReport.h"
#include "sdk/TText.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kSaveWhat = "save window";
}  // namespace

const char* const GSaveWnd::kEmptySlot = "Empty Slot";

void GSaveWnd::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  mColumn.SetVisible(style.GetInt("visible_slots", 5));
  mNameField = WindowCast<TText>(GetChildWindow("saveedit"));
  if (!mNameField) Report("%s: no text field \"saveedit\"; nothing can be saved from it", kSaveWhat);
  mColumn.CheckButtons(this, kSaveWhat);
  std::vector<str> names = OSaveData::GetInstance()->GetSaveNames();
  std::vector<str>& entries = mColumn.Entries();
  entries.clear();
  for (size_t slot = kFirstSlot; slot < names.size(); ++slot)
    entries.push_back(names[slot].empty() ? str(kEmptySlot) : names[slot]);
  while (entries.size() < size_t(kSliderEntries)) entries.push_back(kEmptySlot);
  Refresh();
}

void GSaveWnd::Refresh() {
  mColumn.ShowEntries(this);
  if (!mColumn.HasSelection()) return;
  const str& entry = mColumn.GetSelectedEntry();
  if (mNameField) mNameField->SetText(entry == kEmptySlot ? str() : entry);
  mColumn.SwitchOn(this);
}

bool GSaveWnd::OnMessage(const TMessage& message) {
  if (message.kind == TMessage::kSliderMoved) {
    if (!mColumn.Scroll(this, message, "saveslider", mSliderEntries)) return false;
    Refresh();
    return true;
  }
  if (message.kind != TMessage::kButtonPressed) return false;
  if (message.senderName == "btn_Ok") {
    Save();
  } else if (message.senderName == "btn_Cancel") {
    // The script's own command closes the window.
  } else if (mColumn.Choose(this, message.sender)) {
    if (mNameField) {
      const str& label = static_cast<TButton*>(message.sender)->GetLabel();
      mNameField->SetText(label == kEmptySlot ? str() : label);
      TWindowManager::GetInstance()->SetFocus(mNameField);
    }
  }
  return true;
}

void GSaveWnd::Save() {
  TWindow* game = FindAncestor(this, "thegame");
  if (!game || !mNameField || mNameField->GetText().empty()) return;
  GGameWnd* wnd = WindowCast<GGameWnd>(game->GetChildWindow("gamewnd"));
  if (!wnd) {
    Report("%s: \"thegame\" has no game window \"gamewnd\"; nothing is saved", kSaveWhat);
    return;
  }
  wnd->SaveGame(mColumn.GetSelected() + kFirstSlot, mNameField->GetText(), false);
  TWindowManager::GetInstance()->PopModal("save");
}

bool GSaveWnd::OnMouseDown(const TPoint& local) {
  FocusFieldAt(this, local, mNameField);
  return false;
}
