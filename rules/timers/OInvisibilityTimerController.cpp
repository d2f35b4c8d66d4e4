#include "OInvisibilityTimerController.h"

#include "OIndicatorsManager.h"
#include "OInvisibilityOverlay.h"
#include "game/OFlagsRegistry.h"
#include "sdk/TXmlNode.h"

TXmlNode* OInvisibilityTimerController::GetGuideNode() const {
  return FindGuideNode("invisibility");
}

void OInvisibilityTimerController::Init() {
  ITimerController::Init();
  mDuration = SecondsAttributeToMs(GetGuideNode(), "invisibility_time");
}

void OInvisibilityTimerController::Restart() {
  OInvisibilityOverlay* overlay = OIndicatorsManager::GetInstance()->GetOverlay();
  overlay->Start();
  overlay->SetTotalTime(mDuration);
  mLeftTime = mDuration;
  mState = kRunning;
}

void OInvisibilityTimerController::Update(bool paused) {
  ITimerController::Update(paused);
  if (!paused && mState == kRunning) OIndicatorsManager::GetInstance()->GetOverlay()->SetTime(mLeftTime);
}

void OInvisibilityTimerController::OnTimeOut() {
  OFlagsRegistry::GetInstance()->SetValue("are_we_invisible", "false");
  OIndicatorsManager::GetInstance()->GetOverlay()->Stop();
  mState = kStopped;
}
