#pragma once
// The full-screen application window that every full-screen screen holds
// ("TolvWindow"): it carries the game's drawn pointer, feeds it mouse moves
// and ticks, and hands it back to the screen underneath when it closes.

#include "sdk/TWindow.h"

class GTolvaneWnd : public TWindow {
  TWINDOW_CLASS(GTolvaneWnd, TWindow)
 public:
  GTolvaneWnd() = default;
  ~GTolvaneWnd() override;

  void Init(TWindowStyle& style) override;
  void PostChildrenInit(TWindowStyle& style) override;
  bool OnTaskAnimate() override;
  bool OnMouseMove(const TPoint& point) override;

  // The pointer mode while this window holds the pointer.
  bool IsGameMouse() const { return mGameMouse; }

 private:
  bool mGameMouse = false;
};
