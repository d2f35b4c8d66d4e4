#include "GLoadWnd.h"

#include "game/GGameWnd.h"
#include "game/GMainMenu.h"
#include "game/GSlidingPanel.h"
#include "game/OSaveData.h"
#include "sdk/TButton.h"
#include "game/ONotices.h"
#include "sdk/TReport.h"
#include "sdk/TText.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kWhat = "load window";
}  // namespace

void GLoadWnd::PostChildrenInit(TWindowStyle& style) {
  mColumn.SetVisible(style.GetInt("visible_slots", 5));
  mPanel = WindowCast<GSlidingPanel>(GetChildWindow("panel"));
  mSelectedLabel = WindowCast<TText>(GetChildWindow("selected_slot"));
  TWindow::PostChildrenInit(style);
  mColumn.CheckButtons(this, kWhat);
  std::vector<str> names = OSaveData::GetInstance()->GetSaveNames();
  std::vector<str>& entries = mColumn.Entries();
  entries.clear();
  mSlots.clear();
  for (size_t slot = 0; slot < names.size(); ++slot) {
    if (names[slot].empty()) continue;
    entries.push_back(names[slot]);
    mSlots.push_back(int32_t(slot));
  }
  mEntryCount = int32_t(entries.size());
  if (mColumn.GetVisible() >= mEntryCount)
    if (TWindow* slider = GetChildWindow("loadslider")) slider->Show(false);
  Refresh();
  StartWindowAnimation(16, true, true, false);
  if (mPanel) mPanel->StartSlide(GSlidingPanel::kSlidingIn);
}

void GLoadWnd::Refresh() {
  mColumn.ShowEntries(this);
  if (!mColumn.HasSelection()) return;
  if (mSelectedLabel) mSelectedLabel->SetText(mColumn.GetSelectedEntry());
  mColumn.SwitchOn(this);
}

bool GLoadWnd::OnTaskAnimate() {
  GSlidingPanel::StepMenuPanel(mPanel, "loadmenu");
  return true;
}

bool GLoadWnd::OnMessage(const TMessage& message) {
  if (message.kind == TMessage::kSliderMoved) {
    if (!mColumn.Scroll(this, message, "loadslider", mEntryCount)) return false;
    Refresh();
    return true;
  }
  if (message.kind != TMessage::kButtonPressed) return false;
  if (message.senderName == "btn_Ok") {
    LoadSelected();
  } else if (message.senderName == "btn_Cancel") {
    GSlidingPanel::CloseMenu(mPanel, "load");
  } else {
    TButton* button = WindowCast<TButton>(message.sender);
    if (!button || button->GetLabel().empty() || !mColumn.Choose(this, button)) return true;
    if (mSelectedLabel) mSelectedLabel->SetText(button->GetLabel());
    // A second click on the same slot loads it.
    if (mColumn.IsSecondClick(button)) LoadSelected();
  }
  return true;
}

void GLoadWnd::LoadSelected() {
  if (!mColumn.HasSelection()) return;
  const int slot = mSlots[mColumn.GetSelected()];
  TWindowManager* wm = TWindowManager::GetInstance();
  for (TWindow* w = GetParent(); w; w = w->GetParent()) {
    if (w->GetName() == "thegame") {
      GGameWnd* game = WindowCast<GGameWnd>(w->GetChildWindow("gamewnd"));
      // A save that cannot be loaded leaves the menus open: closed, they
      // would leave the player in a paused scene with no way back.
      if (!game || !game->LoadGame(slot)) {
        Report("%s: save slot %d could not be loaded; the menus stay open", kWhat, slot);
        // Said on screen too: a double click that seems to do nothing
        // leaves the player guessing.
        ONotices::Push("notice_load_refused",
                       "This saved game cannot be loaded. The game goes on as it was, and the other saved "
                       "games are kept.");
        ONotices::ShowPending();
        return;
      }
      wm->PopModal("load");
      wm->PopModal("localmenu");
      return;
    }
    if (w->GetName() == "mainmenu") {
      if (GMainMenu* menu = WindowCast<GMainMenu>(w->GetChildWindow("menuwnd")))
        menu->StartFromSlot(slot);
      else
        Report("%s: \"mainmenu\" has no main menu \"menuwnd\"; nothing is loaded", kWhat);
      GSlidingPanel::CloseMenu(mPanel, "load");
      return;
    }
  }
}
