#pragma once
// Stand-in for the timers manager and its controllers, replaced when the
// timers are built: the seven controllers exist and record what they are
// asked, no time passes in them, and the manager writes an empty
// "timer_controllers" section.

#include <cstdint>
#include <memory>
#include <vector>

#include "game/OCallLog.h"
#include "sdk/str.h"

class TXmlNode;

class ITimerController {
 public:
  enum { kRunning = 0, kStopped = 1 };
  virtual ~ITimerController() = default;
  virtual void Stop() { mState = kStopped; }
  virtual void Restart() = 0;
  // Only the poison controller gives it a meaning.
  virtual void StartWithTime(int seconds) {}

  int GetState() const { return mState; }
  void SetState(int state) { mState = state; }
  // Milliseconds still to run.
  int32_t GetLeftTime() const { return mLeftTime; }
  void SetLeftTime(int32_t ms) { mLeftTime = ms; }
  // Platform time (ms) at which the last counted period ended.
  uint32_t GetClock() const { return mClock; }
  void SetClock(uint32_t ms) { mClock = ms; }

 private:
  int32_t mState = kStopped;
  uint32_t mClock = 0;
  int32_t mLeftTime = 0;
};

class OTimersManager {
 public:
  static OTimersManager* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  void Update(bool paused) {}
  void UpdateSleeping(bool paused) {}
  void OnWorldChange(const str& from, const str& to) { mAsked.push_back("world " + from + ">" + to); }
  void OnSceneChange(const str& from, const str& to) { mAsked.push_back("scene " + from + ">" + to); }
  // The controller of a guide key ("poison", "vethra", "mousetrap",
  // "under_water", "sleeping_zone", "greece_scroll", "sleeping_hints"), or
  // null.
  ITimerController* GetController(const str& key) const;
  // A new list, which the caller takes over: the Vethra, under-water and
  // poison controllers.
  std::vector<ITimerController*>* GetHealthTimers() const;

  void Save(TXmlNode* save) const;
  void Load(TXmlNode* save) { mAsked.push_back("load"); }

  const std::vector<str>& GetAsked() const { return mAsked.Lines(); }
  // Used by the controllers to record.
  void Note(const str& line) { mAsked.push_back(line); }

 private:
  OTimersManager();
  ~OTimersManager();
  struct Controller;
  std::vector<std::unique_ptr<Controller>> mControllers;
  OCallLog mAsked{"timers"};
  static OTimersManager* sInstance;
};
