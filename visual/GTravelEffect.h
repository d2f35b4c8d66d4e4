#pragma once
// A full-screen window that cross-fades a list of images over the paused
// scene: each fade brings the next image in over the current one, and the
// last image fades out on its own. The first image is always a blank one, so
// a single given image fades in, then (restarted) fades out. The game window
// starts the effect, ticks it once per heartbeat, restarts it after every
// fade and deletes it once it has finished.

#include <vector>

#include "sdk/TWindow.h"

class TImage;

class GTravelEffect : public TWindow {
  TWINDOW_CLASS(GTravelEffect, TWindow)
 public:
  enum { kMade = 0, kRunning = 1, kFadeEnded = 2, kFinished = 3 };

  GTravelEffect() : GTravelEffect(std::vector<TImage*>(), 1, true) {}
  // Takes the images over. Fewer than one tick per fade counts as one: the
  // fades divide by it and end only when the tick count reaches it.
  GTravelEffect(const std::vector<TImage*>& images, int ticksPerFade, bool unlock);
  ~GTravelEffect() override;

  // One heartbeat (16 ms) of the running fade.
  virtual void Tick();
  // Every state change ends with one tick; state 1 shows the current image
  // and the next one over it.
  virtual void SetEffectState(int state);

  int GetEffectState() const { return mEffectState; }
  // Whether the game window resumes the scene after the effect.
  bool GetUnlock() const { return mUnlock; }
  int GetIndex() const { return mIndex; }
  int GetTicksPerFade() const { return mTicksPerFade; }
  const std::vector<TImage*>& GetImages() const { return mImages; }

 protected:
  bool mUnlock;
  int mIndex = 0;
  int mTick = 0;
  int mTicksPerFade;
  int mEffectState = kMade;
  std::vector<TImage*> mImages;  // owned; the blank image first
};
