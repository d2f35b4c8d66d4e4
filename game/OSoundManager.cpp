#include "OSoundManager.h"

#include <algorithm>

#include "OGameConfig.h"
#include "OSoundController.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
// The item name and event key that no guide entry has, so the default plays.
const char* const kNoItem = "___dummy__";
}  // namespace

OSoundManager* OSoundManager::sInstance = nullptr;

OSoundManager* OSoundManager::GetInstance() {
  if (!sInstance) sInstance = new OSoundManager();
  return sInstance;
}

bool OSoundManager::HasInstance() {
  return sInstance != nullptr;
}

void OSoundManager::DeleteInstance() {
  OSoundManager* manager = sInstance;
  sInstance = nullptr;
  delete manager;
}

OSoundManager::OSoundManager() : mTheme(this), mTypesInUse{TSound::kTypeEffects, TSound::kTypeMusic, 0} {
  OGameConfig* config = OGameConfig::GetInstance();
  mItemsGuide = config->GetItemsGuideEntries();
  mSoundDefaults = config->GetSoundDefaults();
}

OSoundManager::~OSoundManager() {
  // Controllers are their owners'; they must not reach this manager later.
  mControllers.clear();
  StopAllSounds();
}

str OSoundManager::ResolveItemSound(const str& item, const str& event, const str& defaultKey) const {
  if (TXmlNode* entry = mItemsGuide ? mItemsGuide->GetChild(item) : nullptr)
    if (TXmlNode* sounds = entry->GetChild("sounds"))
      if (TXmlNode* file = sounds->GetChild(event)) return file->GetContent();
  return mSoundDefaults ? mSoundDefaults->GetChildContent(defaultKey) : str();
}

void OSoundManager::PlayItemSound(const str& item, const str& event, const str& defaultKey) {
  PlayFile(ResolveItemSound(item, event, defaultKey));
}

void OSoundManager::PlayFile(const str& path) {
  if (path.empty() || path == "none") return;
  TSoundRef sound = TSound::Get(path, 1, TSound::kTypeEffects);
  if (!sound) return;
  mPlaying.push_back(sound);
  TSoundInstanceRef instance = sound->Play(false);
  if (instance) instance->SetCompleteAction(this);
}

void OSoundManager::OnSoundFinished(TSoundInstance* instance) {
  TSoundRef sound = instance ? instance->GetSound() : TSoundRef();
  auto it = std::find(mPlaying.begin(), mPlaying.end(), sound);
  if (it != mPlaying.end()) mPlaying.erase(it);
}

void OSoundManager::StopAllSounds() {
  while (!mPlaying.empty()) {
    TSoundRef sound = mPlaying.back();
    mPlaying.pop_back();
    if (sound) sound->Kill();
  }
}

void OSoundManager::PlayMagicSound(const str& magicId) {
  static const char* const kDefaults[][2] = {
      {"fire", "fire_magic"},       {"health", "health_magic"},       {"invisibility", "invisible_magic"},
      {"rainbow", "rainbow_magic"}, {"through_space", "space_magic"}, {"through_time", "time_magic"}};
  str key;
  for (const auto& entry : kDefaults)
    if (magicId == entry[0]) key = entry[1];
  PlayItemSound(kNoItem, kNoItem, key);
}

void OSoundManager::SetSoundVolume(float v) {
  mSoundVolume = v;
  TSoundManager* sdk = TSoundManager::GetInstance();
  sdk->SetTypeVolume(TSound::kTypeEffects, v);
  for (OSoundController* c : mControllers) sdk->SetTypeVolume(c->GetVolumeType(), v * c->GetVolume());
}

void OSoundManager::SetMusicVolume(float v) {
  mMusicVolume = v;
  if (!IsMusicVolumeHeld()) TSoundManager::GetInstance()->SetTypeVolume(TSound::kTypeMusic, v);
}

int OSoundManager::AcquireVolumeType() {
  int type = 0;
  while (std::find(mTypesInUse.begin(), mTypesInUse.end(), type) != mTypesInUse.end()) ++type;
  if (type > 999) Report("more than 999 ambient sounds at once; volume type %d is outside 1 to 999", type);
  mTypesInUse.push_back(type);
  return type;
}

void OSoundManager::ReleaseVolumeType(int type) {
  auto it = std::find(mTypesInUse.begin(), mTypesInUse.end(), type);
  if (it != mTypesInUse.end()) mTypesInUse.erase(it);
}

void OSoundManager::AddController(OSoundController* controller) {
  mControllers.push_back(controller);
}

void OSoundManager::RemoveController(OSoundController* controller) {
  auto it = std::find(mControllers.begin(), mControllers.end(), controller);
  if (it != mControllers.end()) mControllers.erase(it);
}
