#include "OTimersManager.h"

#include "OGreeceScrollTimerController.h"
#include "OIndicatorsManager.h"
#include "OInvisibilityTimerController.h"
#include "OMouseTrapTimerController.h"
#include "OPoisonTimerController.h"
#include "OSleepingZoneTimerController.h"
#include "OTimerControllerHintInfo.h"
#include "OTimerIndicator.h"
#include "OVethraTimerController.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OSoundManager.h"
#include "rules/hints/OHintsManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kTimersSection = "timer_controllers";
const char* const kTimersQuestBookScene = "basement_quest_book";
const char* const kVethraWorld = "vethra";
const char* const kSaveKeys[OTimersManager::kControllerCount] = {
    "poison",        "vethra",        "mousetrap",      "under_water",
    "sleeping_zone", "greece_scroll", "sleeping_hints", "invisibility"};

bool InQuestBook() {
  return OGame::HasInstance() && OGame::GetInstance()->GetCurrentSceneId() == kTimersQuestBookScene;
}
}  // namespace

OTimersManager* OTimersManager::sInstance = nullptr;

OTimersManager* OTimersManager::GetInstance() {
  if (!sInstance) {
    sInstance = new OTimersManager();
    sInstance->Init();
  }
  return sInstance;
}

bool OTimersManager::HasInstance() {
  return sInstance != nullptr;
}

void OTimersManager::DeleteInstance() {
  OTimersManager* manager = sInstance;
  sInstance = nullptr;
  delete manager;
}

OTimersManager::~OTimersManager() {
  // Timer hints belong to their controllers; a queue that outlives them
  // must not keep them.
  if (OHintsManager::HasInstance())
    for (ITimerController* controller : mControllers)
      if (controller)
        for (OTimerControllerHintInfo* hint : controller->GetHints())
          OHintsManager::GetInstance()->Unqueue(hint);
  for (ITimerController* controller : mControllers) delete controller;
}

void OTimersManager::Init() {
  OIndicatorsManager* indicators = OIndicatorsManager::GetInstance();
  ITimerController* made[kControllerCount] = {
      new OPoisonTimerController(),        new OVethraTimerController(),
      new OMouseTrapTimerController(),     new OUnderwaterTimerController(),
      new OSleepingZoneTimerController(),  new OGreeceScrollTimerController(),
      new OSleepingHintsTimerController(), new OInvisibilityTimerController()};
  for (int i = 0; i < kControllerCount; ++i) {
    mControllers[i] = made[i];
    made[i]->Init();
  }
  mControllers[kPoison]->SetIndicator(indicators->GetPoison());
  mControllers[kVethra]->SetIndicator(indicators->GetVethra());
  mControllers[kUnderwater]->SetIndicator(indicators->GetUnderwater());
}

const char* OTimersManager::GetSaveKey(int index) {
  return index >= 0 && index < kControllerCount ? kSaveKeys[index] : "";
}

ITimerController* OTimersManager::GetController(const str& key) const {
  for (int i = 0; i < kControllerCount; ++i)
    if (key == kSaveKeys[i]) return mControllers[i];
  return nullptr;
}

OPoisonTimerController* OTimersManager::GetPoison() const {
  return static_cast<OPoisonTimerController*>(mControllers[kPoison]);
}
OVethraTimerController* OTimersManager::GetVethra() const {
  return static_cast<OVethraTimerController*>(mControllers[kVethra]);
}
OMouseTrapTimerController* OTimersManager::GetMouseTrap() const {
  return static_cast<OMouseTrapTimerController*>(mControllers[kMouseTrap]);
}
OUnderwaterTimerController* OTimersManager::GetUnderwater() const {
  return static_cast<OUnderwaterTimerController*>(mControllers[kUnderwater]);
}
OSleepingZoneTimerController* OTimersManager::GetSleepingZone() const {
  return static_cast<OSleepingZoneTimerController*>(mControllers[kSleepingZone]);
}
OGreeceScrollTimerController* OTimersManager::GetGreeceScroll() const {
  return static_cast<OGreeceScrollTimerController*>(mControllers[kGreeceScroll]);
}
OSleepingHintsTimerController* OTimersManager::GetSleepingHints() const {
  return static_cast<OSleepingHintsTimerController*>(mControllers[kSleepingHints]);
}
OInvisibilityTimerController* OTimersManager::GetInvisibility() const {
  return static_cast<OInvisibilityTimerController*>(mControllers[kInvisibility]);
}

void OTimersManager::Update(bool paused) {
  const bool p = paused || InQuestBook();
  for (ITimerController* controller : mControllers) controller->Update(p);
}

void OTimersManager::UpdateSleeping(bool paused) {
  const bool p = paused || InQuestBook();
  for (int i = 0; i < kControllerCount; ++i) mControllers[i]->Update(i == kSleepingHints ? p : true);
}

void OTimersManager::OnWorldChange(const str& from, const str& to) {
  OVethraTimerController* air = GetVethra();
  OTimerIndicator* indicator = OIndicatorsManager::GetInstance()->GetVethra();
  if (from == kVethraWorld && to != kVethraWorld) {
    air->Stop();
    indicator->Empty();
  } else if (from != kVethraWorld && to == kVethraWorld &&
             OFlagsRegistry::GetInstance()->GetValue("vethra_atmosphere") != "true") {
    OSoundManager::GetInstance()->PlayNoAirSound();
    air->Start();
    indicator->SetTotalTime(air->GetLeftTime());
  }
}

void OTimersManager::OnSceneChange(const str& from, const str& to) {
  GetUnderwater()->OnSceneChange(from, to);
  GetSleepingZone()->OnSceneChange(from, to);
}

void OTimersManager::StartInvisibility() {
  GetInvisibility()->Start();
}

std::vector<IHint*>* OTimersManager::ApplyHealthMagic() {
  std::vector<IHint*>* hints = new std::vector<IHint*>();
  IHint* answers[] = {GetVethra()->OnHealthMagic(), GetUnderwater()->OnHealthMagic(),
                      GetPoison()->OnHealthMagic()};
  for (IHint* hint : answers)
    if (hint) hints->push_back(hint);
  return hints;
}

void OTimersManager::Save(TXmlNode* parent) const {
  if (!parent) return;
  TXmlNode* section = parent->CreateChild(kTimersSection);
  for (int i = 0; i < kControllerCount; ++i) mControllers[i]->SaveState(section->CreateChild(kSaveKeys[i]));
}

void OTimersManager::Load(const TXmlNode* parent) {
  const TXmlNode* section = parent ? parent->GetChild(kTimersSection) : nullptr;
  if (!section) return;
  for (int i = 0; i < kControllerCount; ++i) {
    ITimerController* controller = mControllers[i];
    const TXmlNode* child = section->GetChild(kSaveKeys[i]);
    if (child && !controller->LoadState(child)) {
      Report("save: timer \"%s\" (state \"%s\", left_time \"%s\") does not read; it loads stopped",
             kSaveKeys[i], child->GetAttribute("state").c_str(), child->GetAttribute("left_time").c_str());
      child = nullptr;
    }
    if (!child) {
      controller->SetState(ITimerController::kStopped);
      controller->SetLeftTime(0);
      controller->SetClock(ITimerController::Now());
    }
  }
}
