#pragma once
// Controls that take part in the game's input routing: they react as the
// platform's controls do but report presses and moves as not taken, so the
// windows underneath (the scene, the pointer) still see them.

#include "sdk/TButton.h"
#include "sdk/TSlider.h"

class GButton : public TButton {
  TWINDOW_CLASS(GButton, TButton)
 public:
  ~GButton() override = default;
  bool OnMouseDown(const TPoint& local) override;
  bool OnMouseMove(const TPoint& local) override;
};

class GSlider : public TSlider {
  TWINDOW_CLASS(GSlider, TSlider)
 public:
  ~GSlider() override = default;
  bool OnMouseMove(const TPoint& local) override;
};
