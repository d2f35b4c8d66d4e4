#pragma once
// A mini-game played with visual objects over its background: the layer the
// background goes to, the wrapper above it that draws the objects, and what
// the state node says of the game's end (exit item, scenes and flags).

#include "game/GMiniGameScene.h"

class GVObject;
class GVObjectWrapper;

class GBoardGameScene : public GMiniGameScene {
  TWINDOW_CLASS(GBoardGameScene, GMiniGameScene)
 public:
  GBoardGameScene();

  // The objects are drawn here and again by the wrapper over the
  // background, as these games always have.
  void Draw() override;
  bool OnTaskAnimate() override;
  void SetConfigNode(TXmlNode* node) override { mConfig = node; }
  void AdoptOverlayChild(TWindow* child) override;

  // A game object placed at a point and shown or hidden; null is left alone.
  static void PlaceObject(GVObject* object, float x, float y);
  static void ShowObject(GVObject* object, bool shown);

 protected:
  // The exit item, scenes and flags of the state node.
  void ReadExits();
  // An object of the description `path` with pictures from `imageFolder`,
  // in the scene's draw list.
  GVObject* MakeObject(const char* imageFolder, const str& path);
  void AdoptIntoLayer(TWindow* child);

  TXmlNode* mConfig = nullptr;  // the scene state; not owned
  str mExitItem, mWinScene, mLostScene;
  str mWinFlagName, mWinFlagValue, mLoseFlagName, mLoseFlagValue;

 private:
  TWindow* mLayer = nullptr;
  GVObjectWrapper* mWrapper = nullptr;
};
