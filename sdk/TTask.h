#pragma once
// Tasks and clocks. Everything runs on the main thread: a task list is run by
// its owner (a modal window while it is on top, or the platform) from inside
// TPlatform::GetEvent, which is where time passes.

#include <cstddef>
#include <cstdint>
#include <vector>

class TClock {
 public:
  virtual ~TClock() = default;
  // Milliseconds on this clock. A modal window's clock stands still while
  // another modal is above it.
  virtual uint32_t GetTime() const = 0;
};

// A unit of work run by a task list; DoTask returning false removes it.
class TTask {
 public:
  TTask() = default;
  virtual ~TTask();
  virtual bool DoTask() = 0;
  // Whether it is due now; the base answers true (runs on every pass).
  virtual bool Ready(uint32_t now);
  virtual void OnScheduled(uint32_t /*now*/) {}
  // How many times one pass of the list may run it while Ready keeps
  // answering true; the base runs once per pass.
  virtual unsigned MaxRunsPerPass() const { return 1; }
  // The list that holds it, or null.
  class TTaskList* GetList() const {
    return mList;
  }
  // True while its list is inside this task's DoTask.
  bool IsInRun() const { return mInRun; }

 private:
  friend class TTaskList;
  class TTaskList* mList = nullptr;
  bool mInRun = false;
};

// A task run on a fixed period. Due times are kept drift-free: each run moves
// the due time on by exactly one period, and one pass of the list catches up
// at most kMaxCatchUp periods so a long stall does not replay for ever.
class TAnimTask : public TTask {
 public:
  enum { kMaxCatchUp = 4 };
  TAnimTask() = default;
  // Period in milliseconds; 0 runs on every pass. `startNow` makes the first
  // run due at once instead of one period from now.
  void SetDelay(uint32_t ms, bool startNow = false);
  // The long form the game's objects use, e.g. (16, true, true, false):
  // `repeat` false makes the task pause itself after its next run; `restart`
  // counts the period anew instead of keeping the current phase: from the
  // time the run was due when called inside the task's own run, else from
  // the last pass; `startNow` as above.
  void SetDelay(uint32_t ms, bool repeat, bool restart, bool startNow);
  uint32_t GetDelay() const { return mDelay; }
  void Pause(bool paused);
  bool IsPaused() const { return mPaused; }
  // Milliseconds of this task's own running time (paused time excluded).
  // Inside DoTask of a periodic task it is the time the run was due, so runs
  // caught up in one pass still see their times one period apart.
  uint32_t GetTime() const { return mTime; }

  bool Ready(uint32_t now) override;
  void OnScheduled(uint32_t now) override;
  unsigned MaxRunsPerPass() const override { return mDelay ? kMaxCatchUp : 1; }

 protected:
  uint32_t mDelay = 0;
  uint32_t mNextDue = 0;
  uint32_t mLastNow = 0;
  uint32_t mTime = 0;
  uint32_t mRunDue = 0;  // list time the latest run was due
  bool mPaused = false;
  bool mStarted = false;
  bool mStartNow = false;
  bool mRepeat = true;
  uint32_t mOffset = 0;  // list time at which the task's own time was 0
  friend class TTaskList;
};

// Owns nothing: tasks are adopted and orphaned by their owners. Orphaning
// during a run is safe (the slot is cleared and compacted afterwards).
class TTaskList {
 public:
  ~TTaskList();
  void Adopt(TTask* task, uint32_t now);
  void Orphan(TTask* task);
  bool Contains(const TTask* task) const;
  // Runs every due task; periodic tasks may run up to kMaxCatchUp times.
  void Run(uint32_t now);
  size_t Size() const;

 private:
  std::vector<TTask*> mTasks;
  int mRunning = 0;
};
