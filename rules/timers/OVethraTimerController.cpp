#include "OVethraTimerController.h"

#include <algorithm>

#include "OIndicatorsManager.h"
#include "OTimerIndicator.h"
#include "game/OSoundManager.h"
#include "rules/hints/OSimpleHint.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kVethraQuestBookScene = "basement_quest_book";
}  // namespace

TXmlNode* OVethraTimerController::GetGuideNode() const {
  return FindGuideNode("vethra_air");
}

void OVethraTimerController::Init() {
  ITimerController::Init();
  ReadAirGuide();
}

void OVethraTimerController::ReadAirGuide() {
  TXmlNode* guide = GetGuideNode();
  mInitialTime = SecondsAttributeToMs(guide, "initial_time");
  mLeftTime = mInitialTime;
  mGameOverScene = guide ? guide->GetAttribute("game_over_scene_id") : str();
  TXmlNode* health = guide ? guide->GetChild("health_magic") : nullptr;
  mHelpedHint = health ? health->GetAttribute("health_helped_hint") : str();
  mAdditionalTime = health ? health->GetAttribute("additional_time").to_int() : 0;
}

IHint* OVethraTimerController::MakeHelpedHint() const {
  return new OSimpleHint(mHelpedHint, str(), true, IHint::kSmallHint);
}

IHint* OVethraTimerController::OnHealthMagic() {
  if (mState != kRunning) return nullptr;
  IHint* hint = MakeHelpedHint();
  mLeftTime = SecondsToMs(mAdditionalTime);
  if (mIndicator) {
    mIndicator->SetTotalTime(mInitialTime);
    mIndicator->SetText(str());
  }
  return hint;
}

void OVethraTimerController::OnTimeOut() {
  if (mIndicator) mIndicator->SetTotalTime(0);
  // Both air indicators show the one air picture and text.
  OIndicatorsManager* indicators = OIndicatorsManager::GetInstance();
  indicators->GetVethra()->SetText(str());
  indicators->GetUnderwater()->SetText(str());
  GoToGameOver(mGameOverScene, {mIndicator, indicators->GetVethra(), indicators->GetUnderwater()});
  SetState(kStopped);
}

TXmlNode* OUnderwaterTimerController::GetGuideNode() const {
  return FindGuideNode("underwater_air");
}

void OUnderwaterTimerController::Init() {
  OVethraTimerController::Init();
  ReadScenes(GetGuideNode());
}

void OUnderwaterTimerController::ReadScenes(const TXmlNode* guide) {
  mScenes.clear();
  const TXmlNode* scenes = guide ? guide->GetChild("scenes") : nullptr;
  for (size_t i = 0; scenes && i < scenes->GetChildCount(); ++i)
    mScenes.push_back(scenes->GetChildAt(i)->GetAttribute("id"));
}

IHint* OUnderwaterTimerController::OnHealthMagic() {
  if (mState != kRunning) return nullptr;
  IHint* hint = MakeHelpedHint();
  mLeftTime = int32_t(std::min<int64_t>(int64_t(mLeftTime) + SecondsToMs(mAdditionalTime), INT32_MAX));
  if (mIndicator) {
    mIndicator->SetTotalTime(mInitialTime);
    mIndicator->SetText(str());
  }
  return hint;
}

bool OUnderwaterTimerController::IsOwnScene(const str& id) const {
  return std::find(mScenes.begin(), mScenes.end(), id) != mScenes.end();
}

void OUnderwaterTimerController::OnSceneChange(const str& from, const str& to) {
  const bool fromIn = IsOwnScene(from), toIn = IsOwnScene(to);
  if (fromIn && !toIn) {
    Stop();
    OIndicatorsManager::GetInstance()->GetUnderwater()->Empty();
  } else if (!fromIn && toIn) {
    if (from != kVethraQuestBookScene) {
      OSoundManager::GetInstance()->PlayNoAirSound();
      Restart();
      OIndicatorsManager::GetInstance()->GetUnderwater()->SetTotalTime(mLeftTime);
    }
    mClock = Now();
    mState = kRunning;
  }
}
