#pragma once
// Player profiles and preferences: owns the preference store and the
// high-score object, knows the current player (global "curuser"), applies the
// display mode and the current player's volumes, and offers the player and
// option functions to the Lua menus.

#include <functional>
#include <vector>

#include "game/LuaBinding.h"
#include "sdk/str.h"

class TPrefs;
class THiscores;

// The preference keys: "curuser" and "fullscreen" global (user -1), every
// key but "curuser" also per player.
namespace PrefKey {
constexpr const char* kCurUser = "curuser";
constexpr const char* kFullscreen = "fullscreen";
constexpr const char* kName = "name";
constexpr const char* kSoundLevel = "soundlevel";
constexpr const char* kMusicLevel = "musiclevel";
constexpr const char* kSoundOff = "soundoff";
constexpr const char* kMusicOff = "musicoff";
constexpr const char* kAutoSaveOff = "autosaveoff";
}  // namespace PrefKey

class OUsersManager {
 public:
  // Deletes an earlier instance, then makes the new one.
  static OUsersManager* Create();
  static OUsersManager* GetInstance() { return sInstance; }
  static void Delete();

  TPrefs* GetPrefs() const { return mPrefs; }

  // Display 800x600, full screen exactly when global "fullscreen" (default 1)
  // is 1; then the volumes.
  void ApplyDisplayMode();
  void ApplyVolumes();

  str GetUserName(int index) const;
  str GetCurrentUserName() const;
  int GetCurrentUserIndex() const;
  int GetGameMode() const { return mGameMode; }
  // Whether the current player turned autosaves off ("autosaveoff" 1).
  bool IsAutosaveOff() const;

  // Told after every change of the current player, so whatever caches a
  // player's data (the save data) follows it. Returns an id for removal.
  int AddUserChangedListener(std::function<void()> listener);
  void RemoveUserChangedListener(int id);

  // The Lua functions.
  bool ToggleFullScreen();
  void ToggleSoundMute();
  void ToggleMusicMute();
  void ToggleAutoSave();
  void SetCurrentGameMode(int mode);
  int GetNumUsers();
  void CreateNewUser(const str& name);
  void SetCurrentUser(int index);
  void ChangeCurrentUserName(const str& name);
  void DeleteUser(int index);
  bool IsNameInUse(const str& name);
  void QuitToMainMenu();

 private:
  OUsersManager();
  ~OUsersManager();
  void NotifyUserChanged();

  LuaNameSet mLuaNames;
  TPrefs* mPrefs = nullptr;
  THiscores* mHiscores = nullptr;
  int mGameMode = 0;
  std::vector<std::pair<int, std::function<void()>>> mListeners;
  int mNextListenerId = 1;
  static OUsersManager* sInstance;
};
