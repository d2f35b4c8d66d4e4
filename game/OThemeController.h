#pragma once
// The background music: a theme is a named list of tracks in the "themes"
// document, each a sound file or a pause of some ticks, played in a circle.
// Changing the theme fades the music out over 30 ticks, loads the new theme,
// starts its first track and fades back in over 30 ticks; a track whose file
// cannot be read is passed over at once. Update runs once per 16 ms tick from
// whichever window drives the music.

#include <vector>

#include "sdk/TSound.h"
#include "sdk/str.h"

class OSoundManager;

class OThemeController : public TSoundCallBack {
 public:
  enum State { kPlaying = 0, kFadingOut = 1, kFadingIn = 2 };
  enum { kFadeTicks = 30 };

  explicit OThemeController(OSoundManager* owner);
  ~OThemeController() override;

  // A different name starts the fade-out (anew, from full volume, when a fade
  // is running); the same name changes nothing. The flag is kept only.
  void SetTheme(const str& name, bool flag);
  const str& GetTheme() const { return mTheme; }
  bool GetThemeFlag() const { return mFlag; }
  void Update();
  void OnSoundFinished(TSoundInstance* instance) override;

  int GetState() const { return mState; }
  int GetCounter() const { return mCounter; }
  size_t GetTrackCount() const { return mTracks.size(); }
  int GetCurrentTrack() const { return mCurrent; }
  size_t GetSoundCount() const { return mSounds.size(); }

 private:
  struct Track {
    int kind;   // 0 sound, 1 pause
    int value;  // index into mSounds, or the pause in ticks
    bool loop;
  };
  OSoundManager* mOwner;
  int mState = kPlaying;
  std::vector<TSoundRef> mSounds;
  std::vector<str> mFiles;
  std::vector<Track> mTracks;
  int mCurrent = 0;
  int mCounter = 0;
  int mFadeLength = kFadeTicks;
  str mTheme;
  bool mFlag = false;
  TSoundInstanceRef mInstance;

  void LoadTheme();
  void PlayCurrent();
  void Next();
  void SetMusicTypeVolume(float v);
};
