#include "GSlidingPanel.h"

#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"

void GSlidingPanel::Init(TWindowStyle& style) {
  mPositions.clear();
  if (TLuaTableRef table = style.GetTable("pos_anim")) {
    for (int i = 1; i <= table->GetSize(); ++i) {
      TLuaTableRef entry = table->GetTable(i);
      if (!entry) continue;
      mPositions.push_back(Position{int32_t(entry->GetNumber(1)), int32_t(entry->GetNumber(2))});
    }
  }
  TWindow::Init(style);
}

void GSlidingPanel::MoveTo(size_t index) {
  if (index < mPositions.size()) SetWindowPos(mPositions[index].x, mPositions[index].y);
}

void GSlidingPanel::StartSlide(int mode) {
  mMode = mode;
  mStep = 0;
  if (mPositions.empty()) return;
  if (mode == kSlidingIn) MoveTo(0);
  if (mode == kSlidingOut) MoveTo(mPositions.size() - 1);
}

void GSlidingPanel::Step() {
  if (mMode != kSlidingIn && mMode != kSlidingOut) return;
  ++mStep;
  if (mStep >= mPositions.size()) {
    mMode = mMode == kSlidingIn ? kRestIn : kRestOut;
    return;
  }
  MoveTo(mMode == kSlidingIn ? mStep : mPositions.size() - mStep - 1);
}

void GSlidingPanel::StepMenuPanel(GSlidingPanel*& panel, const char* modal) {
  if (!panel) return;
  panel->Step();
  if (panel->GetMode() != kRestOut) return;
  TWindowManager::GetInstance()->PopModal(modal);
  panel = nullptr;
}

void GSlidingPanel::CloseMenu(GSlidingPanel* panel, const char* modal) {
  if (panel)
    panel->StartSlide(kSlidingOut);
  else
    TWindowManager::GetInstance()->PopModal(modal);
}
