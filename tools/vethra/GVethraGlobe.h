#pragma once
// The small globe of the Vethra world on the game panel. It shows one of the
// four parts of the world map and turns from one to the next in animated
// steps, each step one state run of its visual; a turn of one or three
// positions takes the short way, a turn of two keeps the way it started.
// Inactive (in scenes outside the Vethra) it shows a neutral picture.

#include "sdk/TWindow.h"
#include "visual/GVDrawList.h"
#include "visual/GVObject.h"

class GVethraGlobe : public TWindow, public GVListener {
  TWINDOW_CLASS(GVethraGlobe, TWindow)
 public:
  enum { kIdle = 0, kTurningRight = 1, kTurningLeft = 2, kInactive = 3 };
  enum { kPositions = 4 };

  GVethraGlobe();
  ~GVethraGlobe() override;

  // Makes the visual "vethra_globe"; the panel calls it once.
  void Build();
  void SetActive(bool active);
  void RotateTo(int position);

  int GetPosition() const { return mPosition; }
  int GetTarget() const { return mTarget; }
  int GetMode() const { return mMode; }
  // The name of the state last shown ("noactive", "2", "01" ...).
  const str& GetShownState() const { return mShown; }
  GVObject* GetVisual() const { return mVisual; }

  void PostDraw() override;
  void OnStateEnd(GVObject* object, TState state) override;

 private:
  // The state of the mode: idle digit, turn digits, or "noactive".
  void ShowModeState();

  GVObject* mVisual = nullptr;  // owned
  GVDrawList mDrawList;
  int mPosition = -1;
  int mTarget = -1;
  int mMode = kInactive;
  str mShown;
};
