#include "GSceneVariants.h"

#include "game/GGameOverScene.h"
#include "game/GSleepingGameScene.h"
#include "game/GUnderwaterGameScene.h"
#include "tools/alchemy/GAlchemicalDeviceGameScene.h"
#include "tools/vethra/GVethraGameScene.h"

bool IsSceneVariantType(const str& type) {
  return type == "sleeping" || type == "under_water" || type == "game_over" || type == "vethra" ||
         type == "alchemical_device";
}

GFullScreenGameScene* CreateSceneVariant(const str& type) {
  if (type == "sleeping") return new GSleepingGameScene();
  if (type == "under_water") return new GUnderwaterGameScene();
  if (type == "game_over") return new GGameOverScene();
  if (type == "vethra") return new GVethraGameScene();
  if (type == "alchemical_device") return new GAlchemicalDeviceGameScene();
  return nullptr;
}
