#pragma once
// Builds the scene of a "flash" state: a Flash scene playing the clip of
// "flash_file", with the masks, items and drop zones every scene has (all
// empty) and the action of "result_action".

#include "game/OSceneBuilder.h"

class GFlashScene;

class OFlashSceneBuilder : public ISceneBuilder {
 public:
  explicit OFlashSceneBuilder(TXmlNode* node) : mNode(node) {}
  int GetKind() override { return kFlash; }
  GScene* GetScene() override;
  void BuildScene();

  // Whether a "flash" state can be built; a state without a result action
  // would hold the player in the clip for good, so it is refused with a
  // message naming the scene.
  static bool CanBuild(TXmlNode* node, const str& sceneId);

 private:
  GFlashScene* mScene = nullptr;
  TXmlNode* mNode;
};
