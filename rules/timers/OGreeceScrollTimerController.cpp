#include "OGreeceScrollTimerController.h"

#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "items/OItemsManager.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TXmlNode.h"

OGreeceScrollTimerController::~OGreeceScrollTimerController() {
  delete mCompletedAction;
}

TXmlNode* OGreeceScrollTimerController::GetGuideNode() const {
  return FindGuideNode("greece_scroll");
}

void OGreeceScrollTimerController::Init() {
  ITimerController::Init();
  mInitialTime = SecondsAttributeToMs(GetGuideNode(), "initial_time");
  mLeftTime = mInitialTime;
  delete mCompletedAction;
  mCompletedAction = nullptr;
  mState = kStopped;
}

void OGreeceScrollTimerController::OnTimeOut() {
  TXmlNode* guide = GetGuideNode();
  GGameWnd* window = GGameWnd::GetCurrent();
  GScene* scene = window ? window->GetCurrentScene() : nullptr;
  OItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
  IAction* action = OActionFactory::CreateAction(guide ? guide->GetChild("completed_action") : nullptr,
                                                 items ? items->GetMasksManager() : nullptr);
  // The action last built replaces the one before, which is freed only once
  // the new one has run: nothing it does can reach back into a freed action.
  IAction* previous = mCompletedAction;
  mCompletedAction = action;
  if (action) action->Execute();
  delete previous;
}
