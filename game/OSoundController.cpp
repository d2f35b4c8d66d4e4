#include "OSoundController.h"

#include "OSoundManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TXmlNode.h"
#include "visual/GVData.h"

OSoundController* OSoundController::CreateFromXml(TXmlNode* node) {
  if (!node) return nullptr;
  // Ticks, added together for the wait: each held to the bounds of content
  // numbers, so the sum fits an int.
  auto ticks = [node](const char* name) {
    return GVReadRangedAttribute(name, node, -kContentNumberLimit, kContentNumberLimit, 0);
  };
  return new OSoundController(node->GetAttribute("file"), ticks("delay"), ticks("max_delay_rand"),
                              node->GetAttribute("volume").to_float(), node->GetAttribute("cycle") == "true");
}

OSoundController::OSoundController(const str& file, int delay, int randomRange, float volume, bool cycle)
    : mDelay(delay), mRange(randomRange), mVolume(volume), mCycle(cycle) {
  OSoundManager* manager = OSoundManager::GetInstance();
  mType = manager->AcquireVolumeType();
  mSound = TSound::Get(file, 1, mType);
  TSoundManager::GetInstance()->SetTypeVolume(mType, manager->GetSoundVolume() * mVolume);
  if (mCycle)
    SetPlayMode(kPlaying);
  else
    SetPlayMode(int(~TPlatform::GetInstance()->Rand() & 1u));
  manager->AddController(this);
}

OSoundController::~OSoundController() {
  // Stop first so no completion notice can reach this object once it is gone.
  Stop();
  if (OSoundManager::HasInstance()) {
    OSoundManager::GetInstance()->RemoveController(this);
    OSoundManager::GetInstance()->ReleaseVolumeType(mType);
  }
  mSound.reset();
}

void OSoundController::Stop() {
  if (mInstance) {
    mInstance->SetCompleteAction(nullptr);
    mInstance->Kill();
    mInstance.reset();
  }
}

void OSoundController::SetPlayMode(int mode) {
  mMode = mode;
  if (mode == kPlaying) {
    Stop();
    if (!mSound) return;
    mInstance = mSound->Play(mCycle);
    if (mInstance) mInstance->SetCompleteAction(this);
  } else if (mode == kWaiting) {
    mWait = 0;
    if (mDelay + mRange != 0) {
      // No range means no random part: the wait is the delay itself.
      if (mRange > 0)
        mWait = int(TPlatform::GetInstance()->Rand() % unsigned(mRange));
      else
        mWait = mDelay;
    }
    mCounter = 1;
    if (mWait <= 1) SetPlayMode(kPlaying);
  }
}

void OSoundController::Tick() {
  if (mMode != kWaiting) return;
  ++mCounter;
  if (mCounter >= mWait) SetPlayMode(kPlaying);
}

void OSoundController::OnSoundFinished(TSoundInstance* instance) {
  if (instance == mInstance.get()) mInstance.reset();
  if (!mCycle) SetPlayMode(kWaiting);
}
