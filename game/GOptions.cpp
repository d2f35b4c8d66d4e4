#include "GOptions.h"

#include "game/GSlidingPanel.h"
#include "game/OSoundManager.h"
#include "game/OUsersManager.h"
#include "sdk/TButton.h"
#include "sdk/TPlatform.h"
#include "sdk/TPrefs.h"
#include "sdk/TSlider.h"
#include "sdk/TSound.h"
#include "sdk/TWindowManager.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kSfxSlider = "sfxlevelslider";
const char* const kMusicSlider = "musiclevelslider";
const char* const kSfxToggle = "mutesfx";
const char* const kMusicToggle = "mutemusic";
const char* const kFullscreenToggle = "fullscreen";
// The toggle that shows whether autosaves are on; its script flips the
// preference itself ("ToggleAutoSave()").
const char* const kAutosaveToggle = "autosave";

void SetOn(TWindow* window, bool on) {
  if (TButton* button = WindowCast<TButton>(window)) button->SetOn(on);
}

// Preferences hold volumes from 0 to 1000, sliders from 0 to 1.
int ToLevel(float value) {
  return int(value * 1000.f);
}
}  // namespace

void GOptions::PostChildrenInit(TWindowStyle& style) {
  mPanel = WindowCast<GSlidingPanel>(GetChildWindow("panel"));
  TPlatform* platform = TPlatform::GetInstance();
  mFullscreenAtOpening = platform->IsFullscreen();
  OUsersManager* users = OUsersManager::GetInstance();
  TPrefs* prefs = users ? users->GetPrefs() : nullptr;
  const int p = users ? users->GetCurrentUserIndex() : -1;
  auto pref = [&](const char* key, int def) { return prefs ? prefs->GetInt(key, def, p) : def; };
  const int musicOff = pref(PrefKey::kMusicOff, 0);
  const int soundOff = pref(PrefKey::kSoundOff, 0);
  const int musicLevel = pref(PrefKey::kMusicLevel, 1000);
  const int soundLevel = pref(PrefKey::kSoundLevel, 1000);
  const int fullscreen = pref(PrefKey::kFullscreen, mFullscreenAtOpening ? 1 : 0);
  SetOn(GetChildWindow(kFullscreenToggle), fullscreen == 1);
  SetOn(GetChildWindow(kSfxToggle), soundOff != 1);
  SetOn(GetChildWindow(kMusicToggle), musicOff != 1);
  SetOn(GetChildWindow(kAutosaveToggle), pref(PrefKey::kAutoSaveOff, 0) != 1);
  if (TSlider* slider = WindowCast<TSlider>(GetChildWindow(kSfxSlider))) {
    slider->SetValue(soundLevel / 1000.f, false);
    if (soundOff == 1) slider->Show(false);
  }
  if (TSlider* slider = WindowCast<TSlider>(GetChildWindow(kMusicSlider))) {
    slider->SetValue(musicLevel / 1000.f, false);
    if (musicOff == 1) slider->Show(false);
  }
  if (users) users->ApplyVolumes();
  StartWindowAnimation(16, true, true, false);
  if (mPanel) mPanel->StartSlide(GSlidingPanel::kSlidingIn);
}

bool GOptions::PreviewToggle(const char* toggleName, const char* sliderName, float* volume) {
  TButton* toggle = WindowCast<TButton>(GetChildWindow(toggleName));
  TSlider* slider = WindowCast<TSlider>(GetChildWindow(sliderName));
  if (!toggle || !slider) return false;
  *volume = toggle->IsOn() ? slider->GetValue() : 0.f;
  slider->Show(toggle->IsOn());
  return true;
}

bool GOptions::OnMessage(const TMessage& message) {
  OSoundManager* sounds = OSoundManager::GetInstance();
  TSoundManager* mixer = TSoundManager::GetInstance();
  const str& from = message.senderName;
  if (message.kind == TMessage::kSliderMoved) {
    TSlider* slider = WindowCast<TSlider>(message.sender);
    if (!slider) return false;
    if (from == kSfxSlider) {
      sounds->SetSoundVolume(slider->GetValue());
      mixer->SetTypeVolume(TSound::kTypeDefault, slider->GetValue());
      return true;
    }
    if (from == kMusicSlider) {
      sounds->SetMusicVolume(slider->GetValue());
      return true;
    }
    return false;
  }
  if (message.kind != TMessage::kButtonPressed) return false;
  float volume = 0;
  if (from == kMusicToggle) {
    if (PreviewToggle(kMusicToggle, kMusicSlider, &volume)) sounds->SetMusicVolume(volume);
  } else if (from == kSfxToggle) {
    if (PreviewToggle(kSfxToggle, kSfxSlider, &volume)) {
      mixer->SetTypeVolume(TSound::kTypeDefault, volume);
      sounds->SetSoundVolume(volume);
    }
  } else if (from == "btn_Ok") {
    Store();
    Close();
  } else if (from == "btn_Cancel") {
    if (OUsersManager* users = OUsersManager::GetInstance()) users->ApplyVolumes();
    TPlatform::GetInstance()->SetFullscreen(mFullscreenAtOpening);
    Close();
  }
  return false;
}

void GOptions::Store() {
  OUsersManager* users = OUsersManager::GetInstance();
  if (!users) return;
  TPrefs* prefs = users->GetPrefs();
  const int p = users->GetCurrentUserIndex();
  if (TSlider* slider = WindowCast<TSlider>(GetChildWindow(kSfxSlider)))
    prefs->SetInt(PrefKey::kSoundLevel, ToLevel(slider->GetValue()), p, true);
  if (TSlider* slider = WindowCast<TSlider>(GetChildWindow(kMusicSlider)))
    prefs->SetInt(PrefKey::kMusicLevel, ToLevel(slider->GetValue()), p, true);
  if (TButton* toggle = WindowCast<TButton>(GetChildWindow(kMusicToggle)))
    prefs->SetInt(PrefKey::kMusicOff, toggle->IsOn() ? 0 : 1, p, true);
  if (TButton* toggle = WindowCast<TButton>(GetChildWindow(kSfxToggle)))
    prefs->SetInt(PrefKey::kSoundOff, toggle->IsOn() ? 0 : 1, p, true);
  users->ApplyVolumes();
  prefs->SetInt(PrefKey::kFullscreen, TPlatform::GetInstance()->IsFullscreen() ? 1 : 0, p, true);
}

void GOptions::Close() {
  GSlidingPanel::CloseMenu(mPanel, "options");
}

bool GOptions::OnTaskAnimate() {
  GSlidingPanel::StepMenuPanel(mPanel, "optionsmenu");
  return true;
}
