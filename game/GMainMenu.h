#pragma once
// The title screen ("MainMenu"): greets the current player, slides its left
// panel in, answers new game, load game, player change and the quick-load
// key, and when a game starts plays the entry slides, then creates and
// starts the game window through the script function "gotoGame()".

#include <cstdint>
#include <vector>

#include "game/LuaBinding.h"
#include "sdk/TWindow.h"

class GSlidingPanel;
class TImage;

class GMainMenu : public TWindow {
  TWINDOW_CLASS(GMainMenu, TWindow)
 public:
  enum { kSlidingIn = 0, kIdle = 1, kSlidingOut = 4, kChoosePlayer = 5, kSlides = 6, kGameStarted = 7 };
  // Ticks of one slide's fade.
  enum { kSlideTicks = 80 };

  GMainMenu();
  ~GMainMenu() override;

  void PostChildrenInit(TWindowStyle& style) override;
  bool OnTaskAnimate() override;
  bool OnKeyDown(int key, uint32_t flags) override;
  bool OnKeyUp(int key, uint32_t flags) override;

  // Lua "SetWelcomeName", "onNewGameClick", "onLoadGameClick",
  // "onProfileClick".
  void SetWelcomeName();
  void onNewGameClick();
  void onLoadGameClick();
  void onProfileClick();
  // The key 'x': starts from the quick save when the player has one.
  void LoadQuickSave();
  // Starts the game from a save slot, as the load window asks from the
  // title; ignored while a game is already starting.
  void StartFromSlot(int slot);

  void SetState(int state);
  int GetState() const { return mState; }
  int GetStartSlot() const { return mStartSlot; }
  const std::vector<TImage*>& GetSlides() const { return mSlides; }
  GSlidingPanel* GetLeftPanel() const { return mLeftPanel; }

 private:
  bool IsStarting() const;
  // Runs "gotoGame()" and starts the game window it made; when none starts
  // (no window, an empty slot) the player stays in the menu.
  void StartGame();
  // The panel slides in again, the slides are taken down.
  void ReturnToMenu();

  uint32_t mTicks = 0;
  uint32_t mSlideIndex = 0;
  int32_t mState = kSlidingIn;
  std::vector<TImage*> mSlides;  // owned
  TImage* mPrevSlide = nullptr;
  TImage* mCurSlide = nullptr;
  GSlidingPanel* mLeftPanel = nullptr;
  int32_t mStartSlot = -1;
  LuaNameSet mLuaNames;
};
