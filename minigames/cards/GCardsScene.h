#pragma once
// The find-the-card game's scene: reads its exits from the scene state,
// runs the field on every tick, passes clicks to it and keeps the attempts
// and finds in the mini-game registry child "cards".

#include "minigames/GBoardGameScene.h"
#include "minigames/cards/GCardsField.h"

class GCardsScene : public GBoardGameScene {
  TWINDOW_CLASS(GCardsScene, GBoardGameScene)
 public:
  void Init(TWindowStyle& style) override;
  bool OnMouseDown(const TPoint& point) override;
  bool OnMouseMove(const TPoint& point) override { return false; }
  void Update() override;

  void Finish(bool won) override;
  const char* GetRegistryName() const override { return "cards"; }
  void WriteState(TXmlNode* node) override;
  // The saved counters, the turn's state and every card's centre.
  void DescribeState(TXmlNode* node) override;

  // The clear deals the turn again; after the end it does nothing.
  void OnClearClick() override;

  GCardsField& GetField() { return mField; }

 private:
  struct Outcome {
    str item, scene, flagName, flagValue;
  };
  // The cards' exits name an item for each end.
  void ReadOutcomes();

  GCardsField mField;
  Outcome mWin, mLose;
};

GMiniGameScene* NewCardsScene();
