#include "OSleepingZoneTimerController.h"

#include "OIndicatorsManager.h"
#include "OTimerIndicator.h"
#include "OTimersManager.h"
#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kSleepQuestBookScene = "basement_quest_book";
}  // namespace

TXmlNode* OSleepingZoneTimerController::GetGuideNode() const {
  return FindGuideNode("vethra_sleeping_zone");
}

void OSleepingZoneTimerController::Init() {
  ITimerController::Init();
  TXmlNode* guide = GetGuideNode();
  mInitialTime = SecondsAttributeToMs(guide, "initial_time");
  mLeftTime = mInitialTime;
  mAfterExitTime = SecondsAttributeToMs(guide, "after_exit_initial_time");
  mWorkingFlag = guide ? guide->GetAttribute("working_flag") : str();
  mSleepZone = guide ? guide->GetAttribute("sleep_zone_id") : str();
  ReadScenes(guide);
}

void OSleepingZoneTimerController::Update(bool paused) {
  ITimerController::Update(paused || OFlagsRegistry::GetInstance()->GetValue(mWorkingFlag) != "true");
}

bool OSleepingZoneTimerController::IsSleepingScene(const str& id) const {
  TXmlNode* guide = GetGuideNode();
  TXmlNode* scenes = guide ? guide->GetChild("sleeping_scenes") : nullptr;
  for (size_t i = 0; scenes && i < scenes->GetChildCount(); ++i)
    if (scenes->GetChildAt(i)->GetAttribute("id") == id) return true;
  return false;
}

void OSleepingZoneTimerController::OnSceneChange(const str& from, const str& to) {
  const bool fromIn = IsOwnScene(from), toIn = IsOwnScene(to);
  if (fromIn && !toIn) {
    Stop();
    OIndicatorsManager::GetInstance()->GetUnderwater()->Empty();
  } else if (!fromIn && toIn) {
    if (IsSleepingScene(from))
      mLeftTime = mAfterExitTime;
    else if (from != kSleepQuestBookScene)
      Restart();
    mClock = Now();
    mState = kRunning;
  }
}

void OSleepingZoneTimerController::OnTimeOut() {
  GGameWnd* window = GGameWnd::GetCurrent();
  GScene* scene = window ? window->GetCurrentScene() : nullptr;
  // Not while a hint, a note or a fade holds the scene: the controller stays
  // running at 0 and tries again on every update that counts time.
  if (!scene || scene->IsPaused()) return;
  OGame* game = OGame::GetInstance();
  const str slept = game->GetCurrentSceneId();
  // A sleep zone the world does not have (reported) leaves the player
  // awake; the time does not run out again and again.
  if (!game->SetCurrentScene(mSleepZone)) {
    SetState(kStopped);
    return;
  }
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  flags->SetValue("slept_scene", slept);
  scene->SetState(GScene::kFadeOutScene);
  flags->SetValue("are_we_sleeping", "true");
  SetState(kStopped);
  OTimersManager::GetInstance()->GetSleepingHints()->Start();
}

TXmlNode* OSleepingHintsTimerController::GetGuideNode() const {
  return FindGuideNode("sleeping_hints");
}

void OSleepingHintsTimerController::Init() {
  ITimerController::Init();
  mInitialTime = SecondsAttributeToMs(GetGuideNode(), "initial_time");
}
