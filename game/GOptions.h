#pragma once
// The options window ("OptionsWindow"): sliders and toggles for the sound
// effects and the music, a full-screen toggle, OK and Cancel. Moving a
// control previews it at once; OK stores the settings in the current
// player's preferences, Cancel puts back the stored volumes and the display
// mode found on opening. With a sliding panel ("panel") it slides in and
// out, under the modal "optionsmenu"; without one it closes "options".

#include "sdk/TWindow.h"

class GSlidingPanel;

class GOptions : public TWindow {
  TWINDOW_CLASS(GOptions, TWindow)
 public:
  GOptions() = default;

  void PostChildrenInit(TWindowStyle& style) override;
  bool OnMessage(const TMessage& message) override;
  bool OnTaskAnimate() override;

  GSlidingPanel* GetPanel() const { return mPanel; }

 private:
  // Previews a mute toggle: the volume of its slider when on, else 0; the
  // slider shows only while the toggle is on. False without both controls.
  bool PreviewToggle(const char* toggleName, const char* sliderName, float* volume);
  void Store();
  void Close();

  GSlidingPanel* mPanel = nullptr;
  // Cancel switches back to this: the display-mode change has already
  // stored a toggled mode in the global preference.
  bool mFullscreenAtOpening = true;
};
