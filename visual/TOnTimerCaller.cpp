#include "TOnTimerCaller.h"

#include <vector>

#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"

namespace {
struct Graveyard {
  std::vector<TCustomOnTimerCaller*> tasks;
  ~Graveyard() {
    for (auto* t : tasks) delete t;
  }
};
Graveyard& Released() {
  static Graveyard g;
  return g;
}
}  // namespace

void TCustomOnTimerCaller::FlushReleased() {
  std::vector<TCustomOnTimerCaller*> dead;
  dead.swap(Released().tasks);
  for (auto* t : dead) delete t;
}

bool TCustomOnTimerCaller::DoTask() {
  // Tasks released during an earlier step have been dropped by their list by now.
  if (!Released().tasks.empty()) FlushReleased();
  if (mReleased) return false;
  mInStep = true;
  bool keep = Step();
  mInStep = false;
  return keep && !mReleased;
}

void TCustomOnTimerCaller::Release() {
  Detach();
  if (mInStep) {
    mReleased = true;
    Released().tasks.push_back(this);
  } else {
    delete this;
  }
}

void AdoptTimerTask(TAnimTask* task, TModalWindow* host) {
  if (host)
    host->AdoptTask(task);
  else
    TPlatform::GetInstance()->AdoptTask(task);
}
