#include "TTask.h"

#include <algorithm>

TTask::~TTask() {
  if (mList) mList->Orphan(this);
}

bool TTask::Ready(uint32_t /*now*/) {
  return true;
}

// Times are unsigned 32-bit milliseconds; differences are taken modulo 2^32
// so the clock may wrap.
static bool Reached(uint32_t now, uint32_t due) {
  return int32_t(now - due) >= 0;
}

void TAnimTask::SetDelay(uint32_t ms, bool startNow) {
  SetDelay(ms, true, true, startNow);
}

void TAnimTask::SetDelay(uint32_t ms, bool repeat, bool restart, bool startNow) {
  mDelay = ms;
  mRepeat = repeat;
  mStartNow = startNow;
  if (!mStarted) return;  // OnScheduled places the first due time
  if (restart || startNow) {
    // A run may come up to a pass late; counting from the pass would add
    // that lateness to every period of a task that re-arms itself.
    const uint32_t from = IsInRun() ? mRunDue : mLastNow;
    mNextDue = startNow ? from : from + ms;
  }
}

void TAnimTask::Pause(bool paused) {
  mPaused = paused;
}

void TAnimTask::OnScheduled(uint32_t now) {
  // Adopting again (into another list, or after an orphaning) keeps the
  // task's own time running on from where it was.
  mOffset = now - mTime;
  mLastNow = now;
  mNextDue = mStartNow ? now : now + mDelay;
  mStarted = true;
}

bool TAnimTask::Ready(uint32_t now) {
  const uint32_t passed = now - mLastNow;
  mLastNow = now;
  if (mPaused) {
    // Paused time is not the task's time: its due time moves with it.
    mOffset += passed;
    mNextDue += passed;
    return false;
  }
  if (mDelay == 0) {
    mTime = now - mOffset;
    mRunDue = now;
    return true;
  }
  if (!Reached(now, mNextDue)) {
    mTime = now - mOffset;
    return false;
  }
  mRunDue = mNextDue;
  mTime = mNextDue - mOffset;
  mNextDue += mDelay;
  if (!mRepeat) mPaused = true;
  return true;
}

TTaskList::~TTaskList() {
  for (TTask* t : mTasks)
    if (t) t->mList = nullptr;
}

void TTaskList::Adopt(TTask* task, uint32_t now) {
  if (!task) return;
  if (task->mList == this) return;
  if (task->mList) task->mList->Orphan(task);
  task->mList = this;
  mTasks.push_back(task);
  task->OnScheduled(now);
}

void TTaskList::Orphan(TTask* task) {
  if (!task || task->mList != this) return;
  task->mList = nullptr;
  task->mInRun = false;
  auto it = std::find(mTasks.begin(), mTasks.end(), task);
  if (it == mTasks.end()) return;
  // While a run walks the vector, only clear the slot; Run compacts later.
  if (mRunning)
    *it = nullptr;
  else
    mTasks.erase(it);
}

bool TTaskList::Contains(const TTask* task) const {
  return task && task->mList == this;
}

void TTaskList::Run(uint32_t now) {
  ++mRunning;
  // Tasks adopted during this pass wait for the next one.
  const size_t count = mTasks.size();
  for (size_t i = 0; i < count; ++i) {
    TTask* task = mTasks[i];
    if (!task) continue;
    const unsigned limit = task->MaxRunsPerPass();
    unsigned runs = 0;
    // After every DoTask the slot is checked again: the task may have been
    // orphaned or deleted by its own run, and must not be touched then.
    while (mTasks[i] == task && runs < limit && task->Ready(now)) {
      ++runs;
      task->mInRun = true;
      const bool keep = task->DoTask();
      if (mTasks[i] != task) break;  // orphaned, perhaps deleted, by its run
      task->mInRun = false;
      if (!keep) {
        Orphan(task);
        break;
      }
    }
    if (mTasks[i] == task && runs == limit && limit > 1) {
      // Still behind after the allowed catch-up: drop the missed periods but
      // keep the phase, so a long stall does not replay for ever.
      if (TAnimTask* anim = dynamic_cast<TAnimTask*>(task)) {
        if (anim->mDelay && !anim->mPaused && Reached(now, anim->mNextDue)) {
          const uint32_t behind = now - anim->mNextDue;
          anim->mNextDue += (behind / anim->mDelay + 1) * anim->mDelay;
        }
      }
    }
  }
  if (--mRunning == 0) mTasks.erase(std::remove(mTasks.begin(), mTasks.end(), nullptr), mTasks.end());
}

size_t TTaskList::Size() const {
  return size_t(std::count_if(mTasks.begin(), mTasks.end(), [](TTask* t) { return t != nullptr; }));
}
