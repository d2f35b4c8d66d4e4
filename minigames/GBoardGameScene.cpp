#include "GBoardGameScene.h"

#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"
#include "visual/GVObjectWrapper.h"

namespace {
str Attr(TXmlNode* parent, const char* child, const char* name) {
  TXmlNode* node = parent ? parent->GetChild(child) : nullptr;
  return node ? node->GetAttribute(name) : str();
}
}  // namespace

void GBoardGameScene::PlaceObject(GVObject* object, float x, float y) {
  if (!object) return;
  object->deltaX = x;
  object->deltaY = y;
  object->changed = 1;
}

void GBoardGameScene::ShowObject(GVObject* object, bool shown) {
  if (!object) return;
  object->visible = shown ? 1 : 0;
  object->changed = 1;
}

GBoardGameScene::GBoardGameScene() {
  mLayer = NewLayer();
  mWrapper = new GVObjectWrapper();
  mWrapper->SetWindowSize(800, 600);
  mWrapper->client = this;
  GetSceneLayer()->AdoptChild(mLayer);
  GetSceneLayer()->AdoptChild(mWrapper);
}

void GBoardGameScene::Draw() {
  DrawObjects(this);
}

bool GBoardGameScene::OnTaskAnimate() {
  TWindowManager::GetInstance()->InvalidateScreen();
  return true;
}

void GBoardGameScene::AdoptOverlayChild(TWindow* child) {
  AdoptIntoLayer(child);
}

void GBoardGameScene::AdoptIntoLayer(TWindow* child) {
  if (child) mLayer->AdoptChild(child);
}

void GBoardGameScene::ReadExits() {
  mExitItem = Attr(mConfig, "exit_item", "id");
  mWinScene = Attr(mConfig, "exit_scene_id", "win");
  mLostScene = Attr(mConfig, "exit_scene_id", "lost");
  mWinFlagName = Attr(mConfig, "win_flag", "flag_name");
  mWinFlagValue = Attr(mConfig, "win_flag", "flag_value");
  mLoseFlagName = Attr(mConfig, "lose_flag", "flag_name");
  mLoseFlagValue = Attr(mConfig, "lose_flag", "flag_value");
}

GVObject* GBoardGameScene::MakeObject(const char* imageFolder, const str& path) {
  return GVFactory::GetInstance()->CreateInList(&GetDrawList(), imageFolder, path);
}
