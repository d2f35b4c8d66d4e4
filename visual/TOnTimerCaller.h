#pragma once
// A periodic task that calls a member of its owner each time its delay
// elapses. The owner keeps a pointer to it and releases it when it dies;
// releasing from inside the task's own step is safe.

#include "sdk/TTask.h"

class TCustomOnTimerCaller : public TAnimTask {
 public:
  ~TCustomOnTimerCaller() override = default;
  bool DoTask() final;
  // Calls the owner; false ends the task.
  virtual bool Step() = 0;
  // Forgets the owner and clears the owner's pointer to this task.
  virtual void Detach() = 0;
  // Detaches and deletes the task, deferring the delete when the task is
  // running its step (its list still holds it then).
  void Release();

  // Deletes tasks released during their own step.
  static void FlushReleased();

 private:
  bool mInStep = false;
  bool mReleased = false;
};

template <class Owner>
class TOnTimerCaller : public TCustomOnTimerCaller {
 public:
  typedef bool (Owner::*StepFn)(TCustomOnTimerCaller* task);
  // `slot` is the owner's pointer to this task, cleared on Detach.
  TOnTimerCaller(Owner* owner, StepFn fn, TCustomOnTimerCaller** slot)
      : mOwner(owner), mFn(fn), mSlot(slot) {}
  ~TOnTimerCaller() override { Detach(); }
  bool Step() override { return mOwner ? (mOwner->*mFn)(this) : false; }
  void Detach() override {
    if (mSlot && *mSlot == this) *mSlot = nullptr;
    mSlot = nullptr;
    mOwner = nullptr;
  }

 private:
  Owner* mOwner;
  StepFn mFn;
  TCustomOnTimerCaller** mSlot;
};

class TModalWindow;
// Adopts a task by the host window, or by the platform when there is none.
void AdoptTimerTask(TAnimTask* task, TModalWindow* host);
