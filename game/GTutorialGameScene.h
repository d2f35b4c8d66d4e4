#pragma once
// The scene of the first lessons: an inventory scene that draws extra visual
// objects above the game panel, lets only some inventory cells be used and
// never scrolls the inventory, holds perfectly still while a game variable
// says so, and refuses to light or put out the tutorial's matches box until
// the lesson's variables allow it. The variables are named in
// game_screen/tutorial.

#include <vector>

#include "game/GInventoryGameScene.h"

class GVObject;
class GVObjectWrapper;
class TXmlNode;

class GTutorialGameScene : public GInventoryGameScene {
  TWINDOW_CLASS(GTutorialGameScene, GInventoryGameScene)
 public:
  // The box whose use the lesson gates.
  static const char* const kTutorialBox;

  GTutorialGameScene() = default;
  // `topObjects` is the state node's "top_visual_objects" (may be null; the
  // game object keeps it); `cells` the inventory cells that may be used.
  GTutorialGameScene(TXmlNode* topObjects, const std::vector<int>& cells);
  ~GTutorialGameScene() override;

  // Makes the top objects and decides, once, whether time runs here.
  void Init(TWindowStyle& style) override;
  // Nothing at all while time stands still.
  void Update() override;
  void AttachPanel(GGamePanel* panel) override;
  void DetachPanel() override;
  void Resume() override;
  // With the tutorial box in hand, a use it is not yet allowed is taken and
  // does nothing.
  bool OnExtendedMouseEvent(const TPoint& point, int event) override;

  bool CanScrollInventory() override { return false; }
  bool CanUseItem(int cell) override;
  // The top wrapper draws only the top objects.
  void DrawObjects(TWindow* wrapper) override;

  bool IsTimeRunning() const { return mTimeRuns; }
  const std::vector<GVObject*>& GetTopObjects() const { return mTopObjects; }
  GVObjectWrapper* GetTopWrapper() const { return mTopWrapper; }

 private:
  TXmlNode* mTopObjectsNode = nullptr;
  std::vector<int> mCells;
  GVDrawList mTopDrawList;
  std::vector<GVObject*> mTopObjects;  // owned
  GVObjectWrapper* mTopWrapper = nullptr;
  bool mTimeRuns = true;
};
