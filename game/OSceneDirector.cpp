#include "OSceneDirector.h"

#include "game/OFlashSceneBuilder.h"
#include "game/OSceneBuilder.h"

void OGameSceneDirector::Direct() {
  mBuilder->BuildSceneWindow();
  mBuilder->BuildBackground();
  mBuilder->BuildMasks();
  mBuilder->BuildBorders();
  mBuilder->BuildItems();
  mBuilder->BuildDropZones();
  mBuilder->BuildEffects();
  mBuilder->BuildMusic();
}

void OMinigameSceneDirector::Direct() {
  mBuilder->BuildSceneWindow();
  mBuilder->BuildMasks();
  mBuilder->BuildBackgroundImage();
  mBuilder->BuildEffects();
  mBuilder->BuildMusic();
}

void OFlashSceneDirector::Direct() {
  mBuilder->BuildScene();
}

ISceneDirector* CreateSceneDirector(ISceneBuilder* builder) {
  switch (builder->GetKind()) {
    case ISceneBuilder::kGameScene:
      return new OGameSceneDirector(static_cast<OGameSceneBuilder*>(builder));
    case ISceneBuilder::kMinigame:
      return new OMinigameSceneDirector(static_cast<OMinigameSceneBuilder*>(builder));
    case ISceneBuilder::kFlash:
      return new OFlashSceneDirector(static_cast<OFlashSceneBuilder*>(builder));
    default:
      // The one condition the game does not survive.
      throw "no necessary scene builder";
  }
}
