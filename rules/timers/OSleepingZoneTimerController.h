#pragma once
// Sleep on the Vethra: the sleeping zone's time runs while the player is in
// one of its scenes (and its working variable is "true"); when it runs out
// the player falls asleep in the sleep zone scene, where only the sleeping
// hints' schedule runs until the health magic wakes the player.

#include "OVethraTimerController.h"

class OSleepingZoneTimerController : public OUnderwaterTimerController {
 public:
  void Init() override;
  // Time counts only while the working variable is "true".
  void Update(bool paused) override;
  void OnIndication(const OTimerIndication& indication) override {}
  void OnTimeOut() override;
  TXmlNode* GetGuideNode() const override;
  IHint* OnHealthMagic() override { return nullptr; }
  // Entering a zone scene starts the time: the after-exit time coming back
  // from sleep, the time left coming from the quest book, else the full
  // time. Leaving the zone stops it.
  void OnSceneChange(const str& from, const str& to);
  // Whether the id is one of the guide's `sleeping_scenes`.
  bool IsSleepingScene(const str& id) const;

  int32_t GetAfterExitTime() const { return mAfterExitTime; }
  const str& GetSleepZone() const { return mSleepZone; }

 private:
  str mSleepZone;
  str mWorkingFlag;
  int32_t mAfterExitTime = 0;  // milliseconds
};

// The hints given while the player sleeps; nothing happens at its end.
class OSleepingHintsTimerController : public ITimerController {
 public:
  void Init() override;
  void Restart() override { mLeftTime = mInitialTime; }
  void OnTimeOut() override {}
  TXmlNode* GetGuideNode() const override;

 private:
  int32_t mInitialTime = 0;  // milliseconds
};
