#pragma once
// Stand-in for the cooking scene until the mini-games land: a full-screen
// game scene for the state type "cook" that keeps its mixing plate (the
// dish its done button rates), records what the dishes tell it, and keeps
// its dishes' state in the mini-game registry child "cook"/"plates".

#include "game/GFullScreenGameScene.h"
#include "game/OCallLog.h"

class OCookDishItem;

class GCookScene : public GFullScreenGameScene {
  TWINDOW_CLASS(GCookScene, GFullScreenGameScene)
 public:
  // The scene item that is the mixing plate.
  static const char* const kMixingPlate;

  GCookScene() = default;

  // Finds the mixing plate among the scene's items.
  void Init(TWindowStyle& style) override;
  // The items, then "cook" anew: under "plates" the dish in the hand first,
  // then every dish of the scene, each in a child named after it.
  void SaveState() override;

  // After every product a dish takes: "progress <amount>".
  void UpdateProgressBar(OCookDishItem* dish, int amount);
  // When the mixing plate is finished, 2 right or 1 wrong: "result <n>".
  void PlayDishResult(int result);

  OCookDishItem* GetMixingPlate() const { return mMixingPlate; }
  void SetMixingPlate(OCookDishItem* dish) { mMixingPlate = dish; }
  // The dish of the last UpdateProgressBar, null before one.
  OCookDishItem* GetLastRatedDish() const { return mLastRatedDish; }
  const std::vector<str>& GetAsked() const { return mAsked.Lines(); }

 private:
  OCookDishItem* mMixingPlate = nullptr;  // a scene item; not owned
  OCookDishItem* mLastRatedDish = nullptr;
  OCallLog mAsked{"cook"};
};
