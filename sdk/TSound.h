#pragma once
// Sounds on SDL_mixer. All callbacks arrive on the main thread: the mixer's
// channel-finished notice is queued and delivered from TPlatform::GetEvent.
// Headless, sounds play on a virtual clock: an instance ends when its decoded
// length has passed on TPlatform::Timer().

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <cstdint>
#include <map>
#include <vector>

#include "str.h"

class TSound;
class TSoundInstance;
typedef boost::shared_ptr<TSound> TSoundRef;
typedef boost::shared_ptr<TSoundInstance> TSoundInstanceRef;

class TSoundCallBack {
public:
  virtual ~TSoundCallBack();
  virtual void OnSoundFinished(TSoundInstance* instance) = 0;
};

class TSound : public boost::enable_shared_from_this<TSound> {
public:
  // Volume types: 0 the player's sound level, 1..999 one per ambient
  // controller, 1000 effects, 1001 music.
  enum { kTypeDefault = 0, kTypeEffects = 1000, kTypeMusic = 1001 };
  // Shared and cached by (path, flag, type); null when the file cannot be read.
  static TSoundRef Get(const str& path, int flag = 0, int type = kTypeEffects);
  ~TSound();
  TSoundInstanceRef Play(bool loop = false);
  // Stops every instance of this sound.
  void Kill();
  int GetType() const { return mType; }
  const str& GetPath() const { return mPath; }
  uint32_t GetLengthMs() const { return mLengthMs; }

private:
  TSound() = default;
  str mPath;
  int mFlag = 0;
  int mType = kTypeEffects;
  uint32_t mLengthMs = 0;
  void* mChunk = nullptr;  // Mix_Chunk
  friend class TSoundManager;
  friend class TSoundInstance;
};

class TSoundInstance : public boost::enable_shared_from_this<TSoundInstance> {
public:
  ~TSoundInstance();  // dropping the last reference stops it
  TSoundRef GetSound() const { return mSound; }
  void Kill();
  bool IsPlaying() const;
  bool IsLooping() const { return mLoop; }
  // Called once when the instance ends (not when killed or destroyed).
  void SetCompleteAction(TSoundCallBack* callback);
  void SetVolume(float v);  // 0..1, on top of its type's volume
  float GetVolume() const { return mVolume; }

private:
  TSoundInstance() = default;
  TSoundRef mSound;
  int mChannel = -1;
  bool mLoop = false;
  bool mPlaying = false;
  float mVolume = 1;
  uint32_t mStart = 0;
  TSoundCallBack* mCallback = nullptr;
  friend class TSound;
  friend class TSoundManager;
};

class TSoundManager {
public:
  static TSoundManager* GetInstance();
  void SetTypeVolume(int type, float volume);  // 0..1, applies to playing sounds
  float GetTypeVolume(int type) const;
  // Delivers finished notices; the platform calls it from GetEvent.
  void Update();
  // For tests: every instance started so far, in order (path, type, loop).
  struct PlayRecord {
    str path;
    int type;
    bool loop;
    uint32_t time;
  };
  const std::vector<PlayRecord>& GetPlayLog() const { return mLog; }
  int CountPlaying() const;
  // Called by TSoundCallBack's destructor so no notice reaches a dead callback.
  void ForgetCallback(TSoundCallBack* callback);

  // Internal.
  void Register(TSoundInstance* inst);
  void Unregister(TSoundInstance* inst);
  void Log(const PlayRecord& r) { mLog.push_back(r); }
  void Shutdown();

private:
  std::map<int, float> mVolumes;
  std::vector<TSoundInstance*> mActive;
  std::vector<PlayRecord> mLog;
  float EffectiveVolume(const TSoundInstance* inst) const;
  friend class TSoundInstance;
  friend class TSound;
};
