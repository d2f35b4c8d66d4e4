#include "OUsersManager.h"

#include "ONotices.h"
#include "OSoundManager.h"
#include "sdk/TGameServices.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TPrefs.h"
#include "sdk/TReport.h"
#include "sdk/TSound.h"
#include "sdk/TWindowManager.h"

namespace {
const int kGlobal = -1;
using namespace PrefKey;
// High-score property that holds the current player's name.
const char* const kHiscoreUserProperty = "1";
// Longer than any name field lets a player type. A name of megabytes, made
// by a script or found in the preferences, is cut to this wherever it is
// made, read or compared, so it stays one name everywhere.
const size_t kMaxNameBytes = 128;

str BoundedName(const str& name) {
  return name.cut_utf8(kMaxNameBytes);
}
}  // namespace

OUsersManager* OUsersManager::sInstance = nullptr;

OUsersManager* OUsersManager::Create() {
  Delete();
  sInstance = new OUsersManager();
  return sInstance;
}

void OUsersManager::Delete() {
  delete sInstance;
  sInstance = nullptr;
}

OUsersManager::OUsersManager() : mLuaNames(this) {
  mLuaNames.Bind("ToggleFullScreen", this, &OUsersManager::ToggleFullScreen);
  mLuaNames.Bind("ToggleSoundMute", this, &OUsersManager::ToggleSoundMute);
  mLuaNames.Bind("ToggleMusicMute", this, &OUsersManager::ToggleMusicMute);
  mLuaNames.Bind("ToggleAutoSave", this, &OUsersManager::ToggleAutoSave);
  mLuaNames.Bind("SetCurrentGameMode", this, &OUsersManager::SetCurrentGameMode);
  mLuaNames.Bind("GetNumUsers", this, &OUsersManager::GetNumUsers);
  mLuaNames.Bind("CreateNewUser", this, &OUsersManager::CreateNewUser);
  mLuaNames.Bind("SetCurrentUser", this, &OUsersManager::SetCurrentUser);
  mLuaNames.Bind("ChangeCurrentUserName", this, &OUsersManager::ChangeCurrentUserName);
  mLuaNames.Bind("DeleteUser", this, &OUsersManager::DeleteUser);
  mLuaNames.Bind("IsNameInUse", this, &OUsersManager::IsNameInUse);
  mLuaNames.Bind("QuitToMainMenu", this, &OUsersManager::QuitToMainMenu);
  mPrefs = new TPrefs();
  // Said on screen too, once one is up: the player would otherwise find
  // every player gone with no word why.
  if (mPrefs->GetDamage() == TPrefs::kMovedAside)
    ONotices::Push("notice_prefs_moved",
                   "The players and their saved games could not be read. The file was kept as %s, and the "
                   "game starts afresh.",
                   mPrefs->GetDamagedCopy());
  else if (mPrefs->GetDamage() == TPrefs::kKeptInPlace)
    ONotices::Push("notice_prefs_kept",
                   "The players and their saved games could not be read, and %s could not be moved aside. It "
                   "is left as it is, and nothing is saved until it is moved away.",
                   mPrefs->GetPath());
  mHiscores = THiscores::GetInstance();
  mGameMode = 0;
  int stored = mPrefs->GetInt(kCurUser, -1, kGlobal);
  if (stored < -1 || stored >= mPrefs->GetNumUsers()) {
    // Damaged preferences: a current player that does not exist would have
    // its options and saves read from and written to nowhere.
    Report("preferences: the current player %d does not exist; no player is current", stored);
    stored = -1;
  }
  SetCurrentUser(stored);
}

OUsersManager::~OUsersManager() {
  // The names go first, so no script can reach the manager while it dies.
  mLuaNames.UnbindAll();
  delete mPrefs;
  mPrefs = nullptr;
}

void OUsersManager::ApplyDisplayMode() {
  TPlatform::GetInstance()->SetDisplay(800, 600, mPrefs->GetInt(kFullscreen, 1, kGlobal) == 1);
  ApplyVolumes();
}

void OUsersManager::ApplyVolumes() {
  int p = GetCurrentUserIndex();
  float sound = mPrefs->GetInt(kSoundLevel, 1000, p) / 1000.f;
  float music = mPrefs->GetInt(kMusicLevel, 1000, p) / 1000.f;
  TSoundManager* sdk = TSoundManager::GetInstance();
  OSoundManager* sounds = OSoundManager::GetInstance();
  sdk->SetTypeVolume(TSound::kTypeDefault, sound);
  sounds->SetMusicVolume(music);
  sounds->SetSoundVolume(sound);
  if (mPrefs->GetInt(kSoundOff, 0, p) == 1) {
    sounds->SetSoundVolume(0);
    sdk->SetTypeVolume(TSound::kTypeDefault, 0);
  }
  if (mPrefs->GetInt(kMusicOff, 0, p) == 1) sounds->SetMusicVolume(0);
}

str OUsersManager::GetUserName(int index) const {
  return BoundedName(mPrefs->GetStr(kName, "", index));
}

str OUsersManager::GetCurrentUserName() const {
  return GetUserName(GetCurrentUserIndex());
}

int OUsersManager::GetCurrentUserIndex() const {
  return mPrefs->GetInt(kCurUser, -1, kGlobal);
}

int OUsersManager::AddUserChangedListener(std::function<void()> listener) {
  mListeners.emplace_back(mNextListenerId, std::move(listener));
  return mNextListenerId++;
}

void OUsersManager::RemoveUserChangedListener(int id) {
  for (auto it = mListeners.begin(); it != mListeners.end(); ++it)
    if (it->first == id) {
      mListeners.erase(it);
      return;
    }
}

void OUsersManager::NotifyUserChanged() {
  std::vector<std::pair<int, std::function<void()>>> listeners = mListeners;
  for (auto& l : listeners) l.second();
}

bool OUsersManager::ToggleFullScreen() {
  TPlatform* platform = TPlatform::GetInstance();
  bool wanted = !platform->IsFullscreen();
  platform->SetFullscreen(wanted);
  return platform->IsFullscreen() == wanted;
}

void OUsersManager::ToggleSoundMute() {
  int p = GetCurrentUserIndex();
  if (mPrefs->GetInt(kSoundOff, 0, p) == 1)
    OSoundManager::GetInstance()->SetSoundVolume(mPrefs->GetInt(kSoundLevel, 1000, p) / 1000.f);
  else
    OSoundManager::GetInstance()->SetSoundVolume(0);
}

void OUsersManager::ToggleMusicMute() {
  int p = GetCurrentUserIndex();
  float music = mPrefs->GetInt(kMusicOff, 0, p) == 1 ? mPrefs->GetInt(kMusicLevel, 1000, p) / 1000.f : 0.f;
  OSoundManager::GetInstance()->SetMusicVolume(music);
}

void OUsersManager::ToggleAutoSave() {
  int p = GetCurrentUserIndex();
  mPrefs->SetInt(kAutoSaveOff, (mPrefs->GetInt(kAutoSaveOff, 0, p) + 1) % 2, p, true);
}

bool OUsersManager::IsAutosaveOff() const {
  return mPrefs->GetInt(kAutoSaveOff, 0, GetCurrentUserIndex()) == 1;
}

void OUsersManager::SetCurrentGameMode(int mode) {
  if (mode == 0 || mode == 1) mGameMode = mode;
}

int OUsersManager::GetNumUsers() {
  return mPrefs->GetNumUsers();
}

void OUsersManager::CreateNewUser(const str& name) {
  int cur = GetCurrentUserIndex();
  int n = mPrefs->GetNumUsers();
  // Read the current player's options before the new player exists.
  int sound = mPrefs->GetInt(kSoundLevel, 1000, cur);
  int music = mPrefs->GetInt(kMusicLevel, 1000, cur);
  int soundOff = mPrefs->GetInt(kSoundOff, 0, cur);
  int musicOff = mPrefs->GetInt(kMusicOff, 0, cur);
  int fullscreen = mPrefs->GetInt(kFullscreen, 1, cur);
  mPrefs->SetStr(kName, BoundedName(name), n, true);
  mPrefs->SetInt(kSoundLevel, sound, n, true);
  mPrefs->SetInt(kMusicLevel, music, n, true);
  mPrefs->SetInt(kSoundOff, soundOff, n, true);
  mPrefs->SetInt(kMusicOff, musicOff, n, true);
  mPrefs->SetInt(kFullscreen, fullscreen, n, true);
  SetCurrentUser(n);
}

void OUsersManager::SetCurrentUser(int index) {
  if (index >= mPrefs->GetNumUsers()) return;
  // Every negative index means no player; storing it as given would leave a
  // current player whose options and saves are read from and written to
  // nowhere.
  if (index < 0) index = -1;
  mPrefs->SetInt(kCurUser, index, kGlobal, true);
  if (index >= 0) {
    mHiscores->SetProperty(kHiscoreUserProperty, GetUserName(index));
    ApplyVolumes();
  }
  NotifyUserChanged();
}

void OUsersManager::ChangeCurrentUserName(const str& name) {
  int cur = GetCurrentUserIndex();
  // Without a current player there is nobody to rename; writing at -1 would
  // set a global value instead.
  if (cur < 0) return;
  mPrefs->SetStr(kName, BoundedName(name), cur, true);
}

void OUsersManager::DeleteUser(int index) {
  if (index < 0 || index >= mPrefs->GetNumUsers()) return;
  mPrefs->DeleteUser(index);
  int next = index - 1;
  if (next < 0) next = mPrefs->GetNumUsers() - 1;
  SetCurrentUser(next);
}

bool OUsersManager::IsNameInUse(const str& name) {
  for (int i = 0; i < mPrefs->GetNumUsers(); ++i)
    if (GetUserName(i) == BoundedName(name)) return true;
  return false;
}

void OUsersManager::QuitToMainMenu() {
  TWindowManager* wm = TWindowManager::GetInstance();
  for (TModalWindow* top = wm->GetTopModalWindow(); top && top->GetParent(); top = wm->GetTopModalWindow()) {
    wm->PopModal(top->GetID());
    // A modal the manager would not pop would otherwise loop for ever.
    if (wm->GetTopModalWindow() == top) break;
  }
}
