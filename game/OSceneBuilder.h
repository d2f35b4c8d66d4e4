#pragma once
// Builders of a scene from its current state node. A builder, chosen by the
// node's "type", owns the node and the scene under construction and knows
// how to make each piece; a director (OSceneDirector.h) calls its steps in
// a fixed order. Both live for one build.

#include <vector>

#include "sdk/str.h"

class GFullScreenGameScene;
class GGamePanel;
class GGameWnd;
class GMasksManager;
class GMiniGameScene;
class GScene;
class TXmlNode;

class ISceneBuilder {
 public:
  enum { kGameScene = 0, kMinigame = 1, kFlash = 2 };
  virtual ~ISceneBuilder() = default;
  virtual int GetKind() = 0;
  // The scene built, or null before the scene window step (or when the
  // node named a kind no builder knows).
  virtual GScene* GetScene() = 0;
};

class OGameSceneBuilder : public ISceneBuilder {
 public:
  OGameSceneBuilder(TXmlNode* node, GGameWnd* gameWnd);
  int GetKind() override { return kGameScene; }
  GScene* GetScene() override;

  // The steps, in the order the director runs them. Every step after the
  // scene window does nothing without a scene.
  void BuildSceneWindow();
  void BuildBackground();
  void BuildMasks();
  void BuildBorders();
  void BuildItems();
  void BuildDropZones();
  void BuildEffects();
  void BuildMusic();

  // Whether the game-scene builder can make a scene of this "type".
  static bool KnowsType(const str& type);

 private:
  // The scene class of a known "type".
  GFullScreenGameScene* CreateSceneWindow(const str& type) const;

  GFullScreenGameScene* mScene = nullptr;
  TXmlNode* mNode;
  GGameWnd* mGameWnd;
  GGamePanel* mPanel;
};

// A mini-game scene made with (); the mini-games register theirs by id.
typedef GMiniGameScene* (*MinigameSceneCreator)();

class OMinigameSceneBuilder : public ISceneBuilder {
 public:
  OMinigameSceneBuilder(TXmlNode* node, GGameWnd* gameWnd);
  int GetKind() override { return kMinigame; }
  GScene* GetScene() override;

  void BuildSceneWindow();
  void BuildMasks();
  void BuildBackgroundImage();
  void BuildEffects();
  void BuildMusic();

  // The table of mini-game scenes by the "id" of the node's "mini_game",
  // with the panel kind each sets. An id without a creator makes no scene.
  static void RegisterScene(const str& id, MinigameSceneCreator creator);
  static bool KnowsId(const str& id);
  static int GetPanelKind(const str& id);

 private:
  GMiniGameScene* mScene = nullptr;
  TXmlNode* mNode;
  GGameWnd* mGameWnd;
  GGamePanel* mPanel;
};

// OFlashSceneBuilder is in OFlashSceneBuilder.h.

// "mini_game" gives the mini-game builder, "flash" the flash builder,
// anything else the game-scene builder.
ISceneBuilder* CreateSceneBuilder(TXmlNode* node, GGameWnd* gameWnd);

// Whether a state node can be built into a scene; when not, the reason is
// reported as one line naming the scene, and nothing is touched. The game
// window asks this before it tears the current scene down.
bool CanBuildSceneState(TXmlNode* node, const str& sceneId);

// Whether the state builds one of the eight games, which start by putting
// away what the hand holds (GMiniGameScene::PutAwayHeldItem).
bool StateTakesHand(TXmlNode* node);
