#pragma once
// The save window ("SaveWindow"): the player picks one of the numbered slots
// (slot 2 and up; 0 and 1 are the autosave and the quick save), types a name
// and saves the running game there. Built by a script inside the modal
// window "save", which it closes after saving.

#include <cstdint>

#include "game/GSlotColumn.h"
#include "sdk/TWindow.h"

class TText;

class GSaveWnd : public TWindow {
  TWINDOW_CLASS(GSaveWnd, TWindow)
 public:
  // Entries the slider scrolls over, whatever the number of saves.
  enum { kSliderEntries = 10 };
  // The save slot of entry 0.
  enum { kFirstSlot = 2 };
  static const char* const kEmptySlot;

  GSaveWnd() = default;

  void PostChildrenInit(TWindowStyle& style) override;
  bool OnMessage(const TMessage& message) override;
  bool OnMouseDown(const TPoint& local) override;

  // Shows the entries from first on and offers the selected one's name.
  void Refresh();

  const GSlotColumn& GetColumn() const { return mColumn; }
  TText* GetNameField() const { return mNameField; }

 private:
  // Saves under the typed name into the selected slot and closes "save".
  void Save();

  GSlotColumn mColumn{"save%d"};
  int32_t mSliderEntries = kSliderEntries;
  TText* mNameField = nullptr;
};
