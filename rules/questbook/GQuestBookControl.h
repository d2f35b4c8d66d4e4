#pragma once
// The book button on the game panel. Hidden until a mission result unlocks
// it; then it opens frame by frame while the pointer is over its shape (the
// book mask) and closes when it leaves, plays a short mark with particles
// when a task or a whole mission is complete, and a click takes the player
// into the quest-book scene, keeping the hazard timers and the scene to come
// back to.

#include "game/LuaBinding.h"
#include "sdk/TTexture.h"
#include "sdk/TWindow.h"
#include "visual/GVObject.h"

class GButton;
class GGamePanel;

class GQuestBookControl : public TWindow, public GVListener {
  TWINDOW_CLASS(GQuestBookControl, TWindow)
 public:
  // 0 hidden, 1 unlocked, 2 showing a mission completed, 3 a task completed.
  enum { kLocked = 0, kUnlocked = 1, kMissionComplete = 2, kTaskComplete = 3 };
  // Ticks a frame waits (the panel's ticks), and the frame of the open book.
  enum { kFrameDelay = 2, kLastFrame = 11 };

  GQuestBookControl();
  ~GQuestBookControl() override;
  void PostChildrenInit(TWindowStyle& style) override;

  void SetPanel(GGamePanel* panel) { mPanel = panel; }
  GGamePanel* GetPanel() const { return mPanel; }
  // Enters the state at once, whatever the state was.
  void SetState(int state);
  int GetState() const { return mState; }
  int GetFrame() const { return mFrame; }
  bool IsHovered() const { return mHover; }
  // One of the panel's ticks.
  void Tick();
  // The marks: a task only over the plain unlocked button; a mission over
  // anything but the hidden one, replacing a task's mark.
  void ShowTaskComplete();
  void ShowMissionComplete();
  // Lua "onBookButtonClick".
  void OnBookButtonClick();

  void OnStateEnd(GVObject* object, TState state) override;

  // The book is open: its scene is on and its first forward turn is done.
  static bool IsQuestBookOpen();
  // The animation's "main" object; null without one.
  GVObject* GetAnimation() const { return mAnimation; }

 private:
  void UpdateHover();
  // Shows the animation in the named state, switched at once.
  void ShowAnimation(const str& state);
  // The mark's particles in the current scene, when it keeps effects.
  void StartEffects(const char* element);

  GGamePanel* mPanel = nullptr;    // not owned
  GButton* mButton = nullptr;      // the child "button"
  GVObject* mAnimation = nullptr;  // the child "anim"'s "main"; its window owns it
  bool mHover = false;
  // The book mask, read by pixel; its rectangle on the screen.
  TTextureRef mMask;
  TRect mMaskRect;
  int mState = kLocked;
  int mFrame = 0;
  int mCounter = 0;
  LuaNameSet mLuaNames;
};
