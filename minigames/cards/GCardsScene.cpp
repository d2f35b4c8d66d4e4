#include "GCardsScene.h"

#include "game/GMousePointer.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "visual/GVObject.h"
#include "visual/GVObjectWrapper.h"

namespace {
const char* const kRegistryChild = "cards";
const char* const kImageFolder = "anim/minigames/cards/";
}  // namespace

GMiniGameScene* NewCardsScene() {
  return new GCardsScene();
}

void GCardsScene::Init(TWindowStyle& style) {
  StartWindowAnimation(16, true, true, false);
  PutAwayHeldItem();
  ReadOutcomes();
  mField.Load(mConfig ? mConfig->GetChild("field") : nullptr, this, &GetRandom(), &GetDrawList(),
              kImageFolder);
  if (TXmlNode* saved = OMinigameRegistry::GetInstance()->GetNode(kRegistryChild)) {
    mField.Restore(saved->GetAttribute("attemps").to_int(), saved->GetAttribute("gw").to_int());
    return;
  }
  mField.Deal();
  if (ReadTutorial(mConfig)) Pause();
}

void GCardsScene::ReadOutcomes() {
  TXmlNode* items = mConfig ? mConfig->GetChild("exit_item") : nullptr;
  TXmlNode* scenes = mConfig ? mConfig->GetChild("exit_scene_id") : nullptr;
  TXmlNode* winFlag = mConfig ? mConfig->GetChild("win_flag") : nullptr;
  TXmlNode* loseFlag = mConfig ? mConfig->GetChild("lose_flag") : nullptr;
  if (items) {
    mWin.item = items->GetAttribute("win");
    mLose.item = items->GetAttribute("lose");
  }
  if (scenes) {
    mWin.scene = scenes->GetAttribute("win");
    mLose.scene = scenes->GetAttribute("lose");
  }
  if (winFlag) {
    mWin.flagName = winFlag->GetAttribute("flag_name");
    mWin.flagValue = winFlag->GetAttribute("flag_value");
  }
  if (loseFlag) {
    mLose.flagName = loseFlag->GetAttribute("flag_name");
    mLose.flagValue = loseFlag->GetAttribute("flag_value");
  }
}

bool GCardsScene::OnMouseDown(const TPoint& point) {
  if (!IsFinished() && !WaitsForLesson()) mField.OnClick(int(point.x), int(point.y));
  return true;
}

void GCardsScene::Update() {
  GMiniGameScene::Update();
  mField.Update();
  TickTutorial();
}

void GCardsScene::Finish(bool won) {
  const Outcome& o = won ? mWin : mLose;
  FinishWith(kRegistryChild, o.item, o.flagName, o.flagValue, o.scene);
}

void GCardsScene::OnClearClick() {
  if (!IsFinished()) mField.Deal();
}

void GCardsScene::WriteState(TXmlNode* node) {
  node->SetAttribute("attemps", str::format("%d", mField.GetAttemps()));
  node->SetAttribute("gw", str::format("%d", mField.GetGw()));
}

void GCardsScene::DescribeState(TXmlNode* node) {
  WriteState(node);
  node->SetAttribute("state", str::format("%d", mField.GetState()));
  node->SetAttribute("target", str::format("%d", mField.GetTarget()));
  for (const auto& card : mField.GetCards()) {
    TXmlNode* c = node->CreateChild("card");
    c->SetAttribute("number", str::format("%d", card->GetNumber()));
    c->SetAttribute("x", str::format("%.0f", card->GetX()));
    c->SetAttribute("y", str::format("%.0f", card->GetY()));
    if (GVObject* object = card->GetObject()) c->SetAttribute("look", object->GetState().ToStr());
  }
}
