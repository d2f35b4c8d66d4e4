#include "OMouseTrapTimerController.h"

#include "game/OFlagsRegistry.h"
#include "sdk/TXmlNode.h"

TXmlNode* OMouseTrapTimerController::GetGuideNode() const {
  return FindGuideNode("mousetrap");
}

void OMouseTrapTimerController::Init() {
  ITimerController::Init();
  TXmlNode* guide = GetGuideNode();
  mCatchTime = SecondsAttributeToMs(guide, "time_to_catch_mouse");
  mCatchFlagName = guide ? guide->GetAttribute("catch_flag_name") : str();
  mCatchFlagValue = guide ? guide->GetAttribute("catch_flag_value") : str();
  mState = kStopped;
}

void OMouseTrapTimerController::Restart() {
  mLeftTime = mCatchTime;
  mClock = Now();
  mState = kRunning;
}

void OMouseTrapTimerController::OnTimeOut() {
  if (!mCatchFlagName.empty()) OFlagsRegistry::GetInstance()->SetValue(mCatchFlagName, mCatchFlagValue);
  mState = kStopped;
}
