#include "OIndicatorsManager.h"

#include "OInvisibilityOverlay.h"
#include "OInvisibilityTimerController.h"
#include "OTimerIndicator.h"
#include "OTimersManager.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "sdk/TRenderer.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kIndicatorsSection = "indicators";
const char* const kQuestBookScene = "basement_quest_book";
// Save children, in their order.
const char* const kPoison = "poison";
const char* const kVethra = "vethra";
const char* const kUnderwater = "underwater";
const char* const kInvisibility = "invisibility";
}  // namespace

OIndicatorsManager* OIndicatorsManager::sInstance = nullptr;

OIndicatorsManager* OIndicatorsManager::GetInstance() {
  if (!sInstance) sInstance = new OIndicatorsManager();
  return sInstance;
}

bool OIndicatorsManager::HasInstance() {
  return sInstance != nullptr;
}

void OIndicatorsManager::DeleteInstance() {
  OIndicatorsManager* manager = sInstance;
  sInstance = nullptr;
  delete manager;
}

OIndicatorsManager::OIndicatorsManager() {
  TXmlNode* config = OGameConfig::GetInstance()->GetGameScreenChild(kIndicatorsSection);
  TXmlNode* air = config ? config->GetChild("air") : nullptr;
  mPoison = new OTimerIndicator(config ? config->GetChild("poison") : nullptr);
  // Both air hazards show the one configured air indicator.
  mVethra = new OTimerIndicator(air);
  mUnderwater = new OTimerIndicator(air);
  mOverlay = new OInvisibilityOverlay(config ? config->GetChild("invisibility") : nullptr);
}

OIndicatorsManager::~OIndicatorsManager() {
  delete mPoison;
  delete mVethra;
  delete mUnderwater;
  delete mOverlay;
}

void OIndicatorsManager::Draw() {
  if (OGame::HasInstance() && OGame::GetInstance()->GetCurrentSceneId() == kQuestBookScene) return;
  T2dScope pass;
  mPoison->Draw();
  mVethra->Draw();
  mUnderwater->Draw();
  mOverlay->GetSprite()->Draw(TDrawSpec());
}

void OIndicatorsManager::BlinkTick() {
  mPoison->BlinkTick();
  mVethra->BlinkTick();
  mUnderwater->BlinkTick();
}

void OIndicatorsManager::Save(TXmlNode* parent) const {
  if (!parent) return;
  TXmlNode* section = parent->CreateChild(kIndicatorsSection);
  mPoison->Save(section->CreateChild(kPoison));
  mVethra->Save(section->CreateChild(kVethra));
  mUnderwater->Save(section->CreateChild(kUnderwater));
  mOverlay->Save(section->CreateChild(kInvisibility));
}

void OIndicatorsManager::Load(const TXmlNode* parent) {
  LoadSection(parent ? parent->GetChild(kIndicatorsSection) : nullptr);
  // Every load reads the timers first: the overlay follows the invisibility
  // they hold, whatever the section said (a save older than that timer has
  // the overlay running with no time to end it).
  if (OTimersManager::HasInstance()) OTimersManager::GetInstance()->GetInvisibility()->ApplyLoadedState();
}

void OIndicatorsManager::LoadSection(const TXmlNode* section) {
  if (!section) return;
  OTimerIndicator* indicators[] = {mPoison, mVethra, mUnderwater};
  const char* keys[] = {kPoison, kVethra, kUnderwater};
  for (int i = 0; i < 3; ++i) {
    if (const TXmlNode* child = section->GetChild(keys[i]))
      indicators[i]->Load(child);
    else
      indicators[i]->Empty();
  }
  if (const TXmlNode* child = section->GetChild(kInvisibility)) {
    mOverlay->Load(child);
  } else {
    mOverlay->SetTotalTime(0);
    mOverlay->Stop();
  }
}
