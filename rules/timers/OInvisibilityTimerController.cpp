#include "OInvisibilityTimerController.h"

#include "OIndicatorsManager.h"
#include "OInvisibilityOverlay.h"
#include "game/OFlagsRegistry.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kInvisibleFlag = "are_we_invisible";
}  // namespace

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
  OFlagsRegistry::GetInstance()->SetValue(kInvisibleFlag, "false");
  OIndicatorsManager::GetInstance()->GetOverlay()->Stop();
  mState = kStopped;
}

void OInvisibilityTimerController::ApplyLoadedState() {
  OInvisibilityOverlay* overlay = OIndicatorsManager::GetInstance()->GetOverlay();
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  if (mState != kRunning) {
    overlay->Stop();
    // A flag never set stays unset; one left "true" would hide the player
    // for good.
    if (flags->GetValue(kInvisibleFlag) == "true") flags->SetValue(kInvisibleFlag, "false");
    return;
  }
  if (!overlay->IsActive()) {
    overlay->Start();
    if (overlay->GetTotalTime() <= 0) overlay->SetTotalTime(mDuration);
  }
  overlay->SetTime(mLeftTime);
  if (flags->GetValue(kInvisibleFlag) != "true") flags->SetValue(kInvisibleFlag, "true");
}
