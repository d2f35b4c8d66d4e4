#pragma once
// A button that is either live or shown as a disabled picture: exactly one of
// its two children, "button" and "disabled_image", is in the window tree.

#include "sdk/TWindow.h"

class GButton;
class TImage;

class GInteractiveButton : public TWindow {
  TWINDOW_CLASS(GInteractiveButton, TWindow)
 public:
  ~GInteractiveButton() override;
  void PostChildrenInit(TWindowStyle& style) override;
  void SetEnabled(bool enabled);
  bool IsEnabled() const { return mEnabled; }
  GButton* GetButton() const { return mButton; }
  TImage* GetDisabledImage() const { return mDisabledImage; }

 private:
  GButton* mButton = nullptr;        // owned
  TImage* mDisabledImage = nullptr;  // owned
  bool mEnabled = false;
};
