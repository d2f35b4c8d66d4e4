#pragma once
// A timer controller counts a time in milliseconds down to zero on the
// platform clock, queues its timed hints and runs its timed indications on
// the way, and does something of its own when the time runs out. The timers
// manager owns the controllers, ticks them from the scenes and saves them.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "sdk/str.h"

class OTimerControllerHintInfo;
class OTimerIndicator;
class TXmlNode;

// A timed indication of the guide: its element (owned by the configuration
// document, read by the controller when it fires) and its time.
struct OTimerIndication {
  TXmlNode* element = nullptr;
  int32_t time = 0;  // milliseconds of left time
};

class ITimerController {
 public:
  enum { kRunning = 0, kStopped = 1 };

  ITimerController() = default;
  ITimerController(const ITimerController&) = delete;
  ITimerController& operator=(const ITimerController&) = delete;
  virtual ~ITimerController();

  // Reads the guide element; afterwards the controller is stopped. The kinds
  // run this first, then read their own attributes.
  virtual void Init();
  virtual void Stop() { mState = kStopped; }
  // One tick; with `paused` no time counts and only the clock moves on.
  virtual void Update(bool paused);
  virtual void StartWithTime(int seconds) {}
  virtual void Restart() {}
  // Only controllers with an indicator are ever given an indication.
  virtual void OnIndication(const OTimerIndication& indication) {}
  virtual void OnTimeOut() = 0;
  // The kind's element of the guide, or null when the guide has none.
  virtual TXmlNode* GetGuideNode() const = 0;

  // Starting from outside: Restart, then the clock from now, running.
  void Start();
  // "state" and "left_time" of the controller's save element; the clock
  // starts from now, so the time before the load is never counted. False,
  // with the controller untouched, when either is not a number in range.
  bool LoadState(const TXmlNode* element);
  void SaveState(TXmlNode* element) const;

  int GetState() const { return mState; }
  void SetState(int state) { mState = state; }
  int32_t GetLeftTime() const { return mLeftTime; }
  void SetLeftTime(int32_t ms) { mLeftTime = ms; }
  uint32_t GetClock() const { return mClock; }
  void SetClock(uint32_t ms) { mClock = ms; }
  OTimerIndicator* GetIndicator() const { return mIndicator; }
  void SetIndicator(OTimerIndicator* indicator) { mIndicator = indicator; }
  const std::vector<OTimerControllerHintInfo*>& GetHints() const { return mHints; }
  const std::vector<OTimerIndication>& GetIndications() const { return mIndications; }

  // The child `key` of the timer guide (the document's `timer_controllers_guide`).
  static TXmlNode* FindGuideNode(const char* key);
  // Whole seconds of the content as milliseconds, held to the 32-bit range.
  static int32_t SecondsToMs(int64_t seconds);
  static int32_t SecondsAttributeToMs(const TXmlNode* element, const char* name);
  static uint32_t Now();

 protected:
  // The indicator shows the indication's text (blinking restarted) and
  // blinks with its "blinking_ticks".
  void ShowIndication(const OTimerIndication& indication);
  // Time out into the game-over scene. Where the world has none the change
  // is refused (and reported): then the current scene's picture effect and
  // `indicators` are cleared, so the play that goes on shows no trace of a
  // hazard that is over. False when refused.
  static bool GoToGameOver(const str& sceneId, std::initializer_list<OTimerIndicator*> indicators);

  int32_t mState = kStopped;
  uint32_t mClock = 0;
  int32_t mLeftTime = 0;
  OTimerIndicator* mIndicator = nullptr;          // not owned
  std::vector<OTimerControllerHintInfo*> mHints;  // owned
  std::vector<OTimerIndication> mIndications;
};
