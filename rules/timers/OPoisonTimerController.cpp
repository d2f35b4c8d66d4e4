#include "OPoisonTimerController.h"

#include <algorithm>

#include "OTimerIndicator.h"
#include "rules/hints/OSimpleHint.h"
#include "sdk/TXmlNode.h"

TXmlNode* OPoisonTimerController::GetGuideNode() const {
  return FindGuideNode("poison");
}

void OPoisonTimerController::Init() {
  ITimerController::Init();
  TXmlNode* guide = GetGuideNode();
  mGameOverScene = guide ? guide->GetAttribute("game_over_scene_id") : str();
  TXmlNode* health = guide ? guide->GetChild("health_magic") : nullptr;
  mHelpedHint = health ? health->GetAttribute("health_helped_hint") : str();
  mState = kStopped;
}

void OPoisonTimerController::StartWithTime(int seconds) {
  const int32_t t = SecondsToMs(seconds);
  if (mState == kStopped) {
    mLeftTime = t;
    if (mIndicator) mIndicator->SetTotalTime(t);
    mState = kRunning;
    Update(true);
  } else {
    mLeftTime = std::min(t, mLeftTime);
  }
}

IHint* OPoisonTimerController::OnHealthMagic() {
  if (mState != kRunning) return nullptr;
  IHint* hint = new OSimpleHint(mHelpedHint, str(), true, IHint::kSmallHint);
  if (mIndicator) mIndicator->Empty();
  mState = kStopped;
  return hint;
}

void OPoisonTimerController::OnTimeOut() {
  // The indicator keeps its last look until the game-over scene empties it.
  GoToGameOver(mGameOverScene, {mIndicator});
  mState = kStopped;
}
