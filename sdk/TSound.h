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
#include <set>
#include <tuple>
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
  // Stops every instance of this sound. Playing instances are held by their
  // sound, so a fire-and-forget Play() goes on to its end while the sound is
  // alive; dropping the last reference to the sound stops them all.
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
  std::vector<TSoundInstanceRef> mPlaying;
  void Forget(TSoundInstance* inst);
  friend class TSoundManager;
  friend class TSoundInstance;
};

class TSoundInstance : public boost::enable_shared_from_this<TSoundInstance> {
 public:
  ~TSoundInstance();  // dropping the last reference stops it
  TSoundRef GetSound() const { return mSound.lock(); }
  void Kill();
  bool IsPlaying() const;
  bool IsLooping() const { return mLoop; }
  // Called once when the instance ends (not when killed or destroyed).
  void SetCompleteAction(TSoundCallBack* callback);
  void SetVolume(float v);  // 0..1, on top of its type's volume
  float GetVolume() const { return mVolume; }

 private:
  TSoundInstance() = default;
  // Weak: the sound owns its playing instances, not the other way round.
  boost::weak_ptr<TSound> mSound;
  int mType = 0;
  void Stop();  // halts without a notice and without touching the sound
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
  // Opens SDL audio and the mixer (the dummy driver when headless, or when no
  // device opens). Sounds whose end cannot be heard from the mixer end on
  // TPlatform::Timer() after their decoded length instead, so the game goes
  // on without a sound device and headless completions are reproducible.
  bool Open();
  bool IsOpen() const { return mOpen; }
  // Whether instances end on the clock rather than on the mixer.
  bool IsVirtual() const { return mVirtual || !mOpen; }
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
  std::vector<TSoundInstanceRef> mPending;  // ended, notice not yet delivered
  std::map<std::tuple<str, int, int>, boost::weak_ptr<TSound>> mCache;
  std::set<str> mFailed;
  bool mOpen = false;
  bool mVirtual = false;
  int mChannels = 0;
  int FreeChannel();
  void ApplyVolume(TSoundInstance* inst) const;
  float EffectiveVolume(const TSoundInstance* inst) const;
  friend class TSoundInstance;
  friend class TSound;
};
