#include "OFlashSceneBuilder.h"

#include <vector>

#include "game/GFlashScene.h"
#include "game/GMasksManager.h"
#include "game/ODropZoneSet.h"
#include "items/OItemsManager.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TFlashHost.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kFlashFile = "flash_file";
const char* const kResultAction = "result_action";
}  // namespace

GScene* OFlashSceneBuilder::GetScene() {
  return mScene;
}

bool OFlashSceneBuilder::CanBuild(TXmlNode* node, const str& sceneId) {
  TXmlNode* result = node->GetChild(kResultAction);
  // Made and dropped here only to learn whether the factory knows it.
  IAction* action = result ? OActionFactory::CreateAction(result, nullptr) : nullptr;
  if (!action) {
    Report("scene \"%s\": flash state has no result action the game knows; scene not changed",
           sceneId.c_str());
    return false;
  }
  delete action;
  return true;
}

void OFlashSceneBuilder::BuildScene() {
  GFlashScene* scene = new GFlashScene();
  mScene = scene;
  // No "flash_file" is a clip without frames: the result action runs at once.
  TXmlNode* file = mNode->GetChild(kFlashFile);
  scene->SetFlashHost(new TFlashHost(file ? file->GetContent() : str()));
  GMasksManager* masks = new GMasksManager(scene);
  // Kept by the scene too: its pause, resume and clicks go through it.
  scene->SetMasksManager(masks);
  scene->GetBackgroundLayer()->AdoptChild(masks);
  OItemsManager* items = new OItemsManager(scene);
  scene->SetItemsManager(items);
  scene->SetItemNames(new std::vector<str>());
  scene->SetDropZoneSet(new ODropZoneSet(masks, items));
  scene->SetResultAction(OActionFactory::CreateAction(mNode->GetChild(kResultAction), masks));
  // Without a size the scene would take no clicks and its layers would be
  // cut away.
  scene->SetWindowSize(800, 600);
}
