#pragma once
// One ambient sound of a scene object, on its own volume type: it loops, or
// plays and then waits a random number of its owner's ticks before playing
// again. The owner (a music item, the alchemical device) ticks it.

#include "sdk/TSound.h"
#include "sdk/str.h"

class TXmlNode;

class OSoundController : public TSoundCallBack {
 public:
  enum Mode { kPlaying = 0, kWaiting = 1 };

  // "file", "cycle", "volume", "max_delay_rand", "delay".
  static OSoundController* CreateFromXml(TXmlNode* node);
  OSoundController(const str& file, int delay, int randomRange, float volume, bool cycle);
  ~OSoundController() override;

  void SetPlayMode(int mode);
  // One owner tick: while waiting, counts towards the wait and plays once it
  // is reached.
  void Tick();
  void OnSoundFinished(TSoundInstance* instance) override;

  int GetMode() const { return mMode; }
  int GetVolumeType() const { return mType; }
  float GetVolume() const { return mVolume; }
  int GetWait() const { return mWait; }
  int GetCounter() const { return mCounter; }
  const TSoundRef& GetSound() const { return mSound; }

 private:
  TSoundRef mSound;
  int mType;
  int mMode = kPlaying;
  int mCounter = 0;
  int mWait = 0;
  int mDelay;
  int mRange;
  float mVolume;
  bool mCycle;
  TSoundInstanceRef mInstance;
  void Stop();
};
