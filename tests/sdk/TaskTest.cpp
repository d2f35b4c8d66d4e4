#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "sdk/TTask.h"

namespace {
// A periodic task whose run is a function; it records the task time of each run.
class FnTask : public TAnimTask {
 public:
  explicit FnTask(uint32_t delay, std::function<bool(FnTask*)> fn = nullptr) : mFn(fn) { SetDelay(delay); }
  bool DoTask() override {
    ++calls;
    times.push_back(GetTime());
    return mFn ? mFn(this) : true;
  }
  int calls = 0;
  std::vector<uint32_t> times;

 private:
  std::function<bool(FnTask*)> mFn;
};

// A plain task that runs on every pass.
class EveryPass : public TTask {
 public:
  explicit EveryPass(std::function<bool()> fn = nullptr) : mFn(fn) {}
  bool DoTask() override {
    ++calls;
    return mFn ? mFn() : true;
  }
  int calls = 0;

 private:
  std::function<bool()> mFn;
};
}  // namespace

TEST(TaskPeriod, DriftFreeUnder16msTicks) {
  const struct {
    uint32_t period;
    int ticks;
    int total;  // floor(16 * ticks / period)
    int minPerTick, maxPerTick;
  } cases[] = {
      {16, 100, 100, 1, 1},                                         // exactly once per tick
      {10, 5, 8, 1, 2},                                             // 8 times in 80 ms
      {10, 100, 160, 1, 2}, {15, 15, 16, 1, 2},                     // one extra call every 240 ms
      {15, 150, 160, 1, 2}, {100, 25, 4, 0, 1}, {0, 10, 10, 1, 1},  // no delay: every pass
  };
  for (const auto& c : cases) {
    TTaskList list;
    FnTask task(c.period);
    uint32_t now = 1000;  // not starting at zero: due times are relative to adoption
    list.Adopt(&task, now);
    for (int i = 0; i < c.ticks; ++i) {
      const int before = task.calls;
      now += 16;
      list.Run(now);
      EXPECT_GE(task.calls - before, c.minPerTick) << "period " << c.period << " tick " << i;
      EXPECT_LE(task.calls - before, c.maxPerTick) << "period " << c.period << " tick " << i;
    }
    EXPECT_EQ(task.calls, c.total) << "period " << c.period;
    // Each run sees the time it was due, one period after the one before.
    for (size_t i = 0; c.period && i < task.times.size(); ++i) EXPECT_EQ(task.times[i], (i + 1) * c.period);
  }
}

TEST(TaskPeriod, StartNowRunsOnTheFirstPass) {
  TTaskList list;
  FnTask task(16);
  task.SetDelay(16, true);
  list.Adopt(&task, 0);
  list.Run(0);
  EXPECT_EQ(task.calls, 1);
  list.Run(16);
  EXPECT_EQ(task.calls, 2);
}

TEST(TaskPeriod, StallCatchesUpAtMostKMaxCatchUpAndKeepsPhase) {
  TTaskList list;
  FnTask task(16);
  list.Adopt(&task, 0);
  list.Run(16);
  ASSERT_EQ(task.calls, 1);
  list.Run(5020);  // a long stall, ending 4 ms past the due time 5016
  EXPECT_EQ(task.calls, 1 + TAnimTask::kMaxCatchUp);
  list.Run(5023);
  EXPECT_EQ(task.calls, 1 + TAnimTask::kMaxCatchUp);  // the missed periods are dropped
  list.Run(5024);
  EXPECT_EQ(task.calls, 2 + TAnimTask::kMaxCatchUp);  // on the old phase again
}

TEST(TaskPeriod, PausedTimeIsNotTheTasksTime) {
  TTaskList list;
  FnTask task(16);
  list.Adopt(&task, 0);
  list.Run(16);
  list.Run(32);
  task.Pause(true);
  for (uint32_t t = 48; t <= 160; t += 16) list.Run(t);
  EXPECT_EQ(task.calls, 2);
  task.Pause(false);
  list.Run(176);
  list.Run(192);
  EXPECT_EQ(task.calls, 4);
  EXPECT_EQ(task.times.back(), 64u);  // four periods of its own time
}

TEST(TaskPeriod, ADelaySetInItsOwnRunCountsFromWhenTheRunWasDue) {
  // Chains of states set their next delay from inside the run; under 16 ms
  // passes that must not drift by the time the pass came late.
  TTaskList list;
  std::vector<uint32_t> delays = {100, 100, 50, 100};
  size_t next = 0;
  FnTask task(100, [&](FnTask* self) {
    if (next < delays.size()) self->SetDelay(delays[next++], true, true, false);
    return true;
  });
  list.Adopt(&task, 0);
  for (uint32_t t = 16; t <= 480; t += 16) list.Run(t);
  EXPECT_EQ((std::vector<uint32_t>{100, 200, 300, 350, 450}), task.times);

  // Set from outside a run, the period counts from the last pass.
  TTaskList other;
  FnTask outside(100);
  other.Adopt(&outside, 0);
  for (uint32_t t = 16; t <= 112; t += 16) other.Run(t);
  outside.SetDelay(100, true, true, false);
  for (uint32_t t = 128; t <= 240; t += 16) other.Run(t);
  EXPECT_EQ((std::vector<uint32_t>{100, 212}), outside.times);
}

TEST(TaskPeriod, OneShotFormPausesAfterItsRun) {
  TTaskList list;
  FnTask task(10);
  task.SetDelay(10, false, true, false);
  list.Adopt(&task, 0);
  for (uint32_t t = 16; t <= 160; t += 16) list.Run(t);
  EXPECT_EQ(task.calls, 1);
  EXPECT_TRUE(task.IsPaused());
}

TEST(TaskList, FalseRemovesTheTask) {
  TTaskList list;
  int left = 3;
  FnTask task(16, [&](FnTask*) { return --left > 0; });
  list.Adopt(&task, 0);
  for (uint32_t t = 16; t <= 160; t += 16) list.Run(t);
  EXPECT_EQ(task.calls, 3);
  EXPECT_FALSE(list.Contains(&task));
  EXPECT_EQ(list.Size(), 0u);
}

TEST(TaskList, OrphaningDuringRunIsSafe) {
  TTaskList list;
  EveryPass* later = new EveryPass();
  EveryPass* deleted = new EveryPass();
  EveryPass self;
  EveryPass orphaner([&] {
    list.Orphan(later);  // not run in this pass any more
    delete deleted;      // its destructor orphans it
    deleted = nullptr;
    list.Orphan(&self);
    return true;
  });
  EveryPass adoptee;
  EveryPass adopter([&] {
    list.Adopt(&adoptee, 0);  // waits for the next pass
    return false;
  });
  list.Adopt(&orphaner, 0);
  list.Adopt(&self, 0);
  list.Adopt(later, 0);
  list.Adopt(deleted, 0);
  list.Adopt(&adopter, 0);
  list.Run(16);
  EXPECT_EQ(orphaner.calls, 1);
  EXPECT_EQ(self.calls, 0);
  EXPECT_EQ(later->calls, 0);
  EXPECT_EQ(adopter.calls, 1);
  EXPECT_EQ(adoptee.calls, 0);
  EXPECT_EQ(list.Size(), 2u);  // orphaner, adoptee
  list.Run(32);
  EXPECT_EQ(adoptee.calls, 1);
  EXPECT_EQ(orphaner.calls, 2);
  delete later;
}

TEST(TaskList, TaskDeletingItselfInItsRun) {
  TTaskList list;
  struct Suicide : TTask {
    bool DoTask() override {
      delete this;
      return false;
    }
  };
  EveryPass after;
  list.Adopt(new Suicide(), 0);
  list.Adopt(&after, 0);
  list.Run(16);
  EXPECT_EQ(after.calls, 1);
  EXPECT_EQ(list.Size(), 1u);
}

TEST(TaskList, LifetimesEitherWay) {
  EveryPass outlives;
  {
    TTaskList list;
    list.Adopt(&outlives, 0);
    {
      EveryPass shortLived;
      list.Adopt(&shortLived, 0);
      EXPECT_EQ(list.Size(), 2u);
    }
    EXPECT_EQ(list.Size(), 1u);
    list.Run(16);
  }
  EXPECT_EQ(outlives.GetList(), nullptr);  // the list went first

  TTaskList a, b;
  a.Adopt(&outlives, 0);
  b.Adopt(&outlives, 0);  // moving lists leaves the first
  EXPECT_FALSE(a.Contains(&outlives));
  EXPECT_TRUE(b.Contains(&outlives));
}
