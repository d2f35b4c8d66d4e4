#include "OThemeController.h"

#include "OGameConfig.h"
#include "OSoundManager.h"
#include "sdk/TXmlNode.h"

OThemeController::OThemeController(OSoundManager* owner) : mOwner(owner) {}

OThemeController::~OThemeController() {
  if (mInstance) mInstance->SetCompleteAction(nullptr);
}

void OThemeController::SetTheme(const str& name, bool flag) {
  if (name == mTheme) return;
  mTheme = name;
  mFlag = flag;
  mState = kFadingOut;
  mCounter = 0;
  mFadeLength = kFadeTicks;
}

void OThemeController::SetMusicTypeVolume(float v) {
  TSoundManager::GetInstance()->SetTypeVolume(TSound::kTypeMusic, v);
}

void OThemeController::Update() {
  switch (mState) {
    case kFadingOut:
      ++mCounter;
      SetMusicTypeVolume((1.f - float(mCounter) / mFadeLength) * mOwner->GetMusicVolume());
      if (mCounter >= mFadeLength) {
        LoadTheme();
        mState = kFadingIn;
        mCounter = 0;
      }
      break;
    case kFadingIn:
      ++mCounter;
      SetMusicTypeVolume(float(mCounter) / mFadeLength * mOwner->GetMusicVolume());
      if (mCounter >= mFadeLength) {
        mState = kPlaying;
        mCounter = 0;
      }
      break;
    default:
      if (!mTracks.empty() && mTracks[mCurrent].kind == 1) {
        ++mCounter;
        if (mCounter > mTracks[mCurrent].value) Next();
      }
      break;
  }
}

void OThemeController::LoadTheme() {
  mCurrent = 0;
  if (mInstance) mInstance->SetCompleteAction(nullptr);
  mInstance.reset();
  mTracks.clear();
  mFiles.clear();
  mSounds.clear();  // the old theme's sounds stop as they are released

  TXmlNode* theme = OGameConfig::GetInstance()->GetThemes()->GetChild(mTheme);
  if (!theme) return;
  for (size_t i = 0; i < theme->GetChildCount(); ++i) {
    TXmlNode* child = theme->GetChildAt(i);
    Track track{1, 0, false};
    if (child->GetName() == "sound") {
      str file = child->GetAttribute("file");
      int index = -1;
      for (size_t f = 0; f < mFiles.size(); ++f)
        if (mFiles[f] == file) index = int(f);
      if (index < 0) {
        index = int(mFiles.size());
        mFiles.push_back(file);
        mSounds.push_back(TSound::Get(file, 0, TSound::kTypeMusic));
      }
      track = Track{0, index, child->GetAttribute("cycle") == "true"};
    } else {
      track.value = child->GetAttribute("ticks").to_int();
    }
    mTracks.push_back(track);
  }
  PlayCurrent();
}

void OThemeController::PlayCurrent() {
  if (mInstance) mInstance->SetCompleteAction(nullptr);
  mInstance.reset();
  // A track whose file could not be read (the sound layer said so once)
  // ends as it starts. Each track is tried once, so a theme with nothing
  // that plays falls silent instead of going round for ever.
  for (size_t tried = 0; tried < mTracks.size(); ++tried) {
    const Track& track = mTracks[mCurrent];
    if (track.kind == 1) {
      mCounter = 0;
      return;
    }
    if (TSoundRef sound = mSounds[track.value]) {
      mInstance = sound->Play(track.loop);
      if (!track.loop && mInstance) mInstance->SetCompleteAction(this);
      return;
    }
    mCurrent = (mCurrent + 1) % int(mTracks.size());
  }
}

void OThemeController::Next() {
  if (mTracks.empty()) return;
  mCurrent = (mCurrent + 1) % int(mTracks.size());
  PlayCurrent();
}

void OThemeController::OnSoundFinished(TSoundInstance* instance) {
  if (instance == mInstance.get()) mInstance.reset();
  // The end of a track while fading out before a change is ignored.
  if (mState == kFadingOut) return;
  Next();
}
