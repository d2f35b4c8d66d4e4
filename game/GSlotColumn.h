#pragma once
// The scrolling column of slot buttons that the save, load and profiles
// windows share: `visible` buttons named by a format ("save%d" from 0) show
// the entries from `first` on, a button past the last entry is hidden, and
// the button that shows the selected entry is switched on.

#include <vector>

#include "sdk/str.h"

class TButton;
class TWindow;
struct TMessage;

class GSlotColumn {
 public:
  explicit GSlotColumn(const char* format) : mFormat(format) {}

  // The i-th button among `owner`'s descendants; null when it is missing or
  // not a button.
  TButton* GetButton(const TWindow* owner, int i) const;
  // Reports each of the `visible` buttons that `owner` lacks; `what` names
  // the window in the message.
  void CheckButtons(const TWindow* owner, const char* what) const;
  // Labels and shows the buttons of the entries from first on; hides the rest.
  void ShowEntries(const TWindow* owner) const;
  // When selected is an entry, each button is on exactly when it shows it.
  void SwitchOn(const TWindow* owner) const;
  // The row (0 to visible - 1) of `sender` among the buttons, or -1.
  int IndexOf(const TWindow* owner, const TWindow* sender) const;
  // When `sender` is one of the buttons, it alone is switched on and its
  // entry selected; false (nothing changes) when it is not.
  bool Choose(const TWindow* owner, const TWindow* sender);
  // For a moved slider named `slider` among `owner`'s descendants: first =
  // its value x (`entries` - visible), truncated toward zero, never below 0.
  // False, changing nothing, for any other sender.
  bool Scroll(const TWindow* owner, const TMessage& message, const char* slider, int entries);

  // A click on `button`: true when it is the second in a row on the same
  // button (it is then forgotten), false for a first click (remembered).
  bool IsSecondClick(const TWindow* button);

  bool IsEntry(int index) const { return index >= 0 && index < int(mEntries.size()); }
  bool HasSelection() const { return IsEntry(mSelected); }
  const str& GetSelectedEntry() const { return mEntries[mSelected]; }

  int GetFirst() const { return mFirst; }
  void SetFirst(int first) { mFirst = first; }
  int GetVisible() const { return mVisible; }
  void SetVisible(int visible) { mVisible = visible; }
  int GetSelected() const { return mSelected; }
  void SetSelected(int selected) { mSelected = selected; }
  const std::vector<str>& GetEntries() const { return mEntries; }
  std::vector<str>& Entries() { return mEntries; }

 private:
  const char* mFormat;
  int mFirst = 0;
  int mVisible = 5;
  int mSelected = 0;
  std::vector<str> mEntries;
  const TWindow* mLastClicked = nullptr;
};
