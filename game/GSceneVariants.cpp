#include "GSceneVariants.h"

#include "game/GGameOverScene.h"
#include "game/GSleepingGameScene.h"
#include "game/GUnderwaterGameScene.h"
#include "tools/GVethraGameScene.h"

bool IsSceneVariantType(const str& type) {
  return type == "sleeping" || type == "under_water" || type == "game_over" || type == "vethra";
}

GFullScreenGameScene* CreateSceneVariant(const str& type) {
  if (type == "sleeping") return new GSleepingGameScene();
  if (type == "under_water") return new GUnderwaterGameScene();
  if (type == "game_over") return new GGameOverScene();
  if (type == "vethra") return new GVethraGameScene();
  return nullptr;
}
