#pragma once
// The find-the-card game's scene: reads its exits from the scene state,
// runs the field on every tick, passes clicks to it and keeps the attempts
// and finds in the mini-game registry child "cards".

#include "game/GMiniGameScene.h"
#include "minigames/cards/GCardsField.h"

class GVObjectWrapper;

class GCardsScene : public GMiniGameScene {
  TWINDOW_CLASS(GCardsScene, GMiniGameScene)
 public:
  GCardsScene();
  ~GCardsScene() override = default;

  void Init(TWindowStyle& style) override;
  // The objects are drawn here and again by the object wrapper.
  void Draw() override;
  bool OnTaskAnimate() override;
  bool OnMouseDown(const TPoint& point) override;
  bool OnMouseMove(const TPoint& point) override { return false; }
  void Update() override;

  void SetConfigNode(TXmlNode* node) override { mConfig = node; }
  void AdoptOverlayChild(TWindow* child) override;
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
  void ReadExits();

  GCardsField mField;
  TWindow* mLayer = nullptr;            // the overlay under the fade; owned by the window tree
  GVObjectWrapper* mWrapper = nullptr;  // owned by the window tree
  TXmlNode* mConfig = nullptr;          // not owned
  Outcome mWin, mLose;
};

GMiniGameScene* NewCardsScene();
