#include "GSlotColumn.h"

#include "sdk/TButton.h"
#include "sdk/TReport.h"
#include "sdk/TSlider.h"
#include "visual/LuaUtils.h"

TButton* GSlotColumn::GetButton(const TWindow* owner, int i) const {
  return WindowCast<TButton>(owner->GetChildWindow(str::format(mFormat, i)));
}

void GSlotColumn::CheckButtons(const TWindow* owner, const char* what) const {
  for (int i = 0; i < mVisible; ++i)
    if (!GetButton(owner, i))
      Report("%s: no button \"%s\"; that row stays empty", what, str::format(mFormat, i).c_str());
}

void GSlotColumn::ShowEntries(const TWindow* owner) const {
  for (int i = 0; i < mVisible; ++i) {
    TButton* button = GetButton(owner, i);
    if (!button) continue;
    if (IsEntry(mFirst + i)) button->SetLabel(mEntries[mFirst + i]);
    button->Show(IsEntry(mFirst + i));
  }
}

void GSlotColumn::SwitchOn(const TWindow* owner) const {
  if (!HasSelection()) return;
  for (int i = 0; i < mVisible; ++i)
    if (TButton* button = GetButton(owner, i)) button->SetOn(mFirst + i == mSelected);
}

int GSlotColumn::IndexOf(const TWindow* owner, const TWindow* sender) const {
  for (int i = 0; i < mVisible; ++i)
    if (sender && GetButton(owner, i) == sender) return i;
  return -1;
}

bool GSlotColumn::Choose(const TWindow* owner, const TWindow* sender) {
  int chosen = IndexOf(owner, sender);
  if (chosen < 0) return false;
  for (int i = 0; i < mVisible; ++i)
    if (TButton* button = GetButton(owner, i)) button->SetOn(i == chosen);
  mSelected = mFirst + chosen;
  return true;
}

bool GSlotColumn::Scroll(const TWindow* owner, const TMessage& message, const char* slider, int entries) {
  if (message.senderName != slider) return false;
  TSlider* found = WindowCast<TSlider>(owner->GetChildWindow(slider));
  if (!found) return false;
  int first = int(found->GetValue() * float(entries - mVisible));
  mFirst = first < 0 ? 0 : first;
  return true;
}

bool GSlotColumn::IsSecondClick(const TWindow* button) {
  bool second = mLastClicked == button;
  mLastClicked = second ? nullptr : button;
  return second;
}
