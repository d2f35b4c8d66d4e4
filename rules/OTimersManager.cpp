#include "OTimersManager.h"

#include "sdk/TXmlNode.h"

namespace {
const char* const kKeys[] = {"poison",        "vethra",        "mousetrap",     "under_water",
                             "sleeping_zone", "greece_scroll", "sleeping_hints"};
}

struct OTimersManager::Controller : ITimerController {
  Controller(OTimersManager* owner, const str& key) : mOwner(owner), mKey(key) {}
  void Restart() override { mOwner->Note("restart " + mKey); }
  void Stop() override {
    ITimerController::Stop();
    mOwner->Note("stop " + mKey);
  }
  void StartWithTime(int seconds) override { mOwner->Note("start " + mKey + " " + std::to_string(seconds)); }
  OTimersManager* mOwner;
  str mKey;
};

OTimersManager* OTimersManager::sInstance = nullptr;

OTimersManager* OTimersManager::GetInstance() {
  if (!sInstance) sInstance = new OTimersManager();
  return sInstance;
}

bool OTimersManager::HasInstance() {
  return sInstance != nullptr;
}

void OTimersManager::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

OTimersManager::OTimersManager() {
  for (const char* key : kKeys) mControllers.emplace_back(new Controller(this, key));
}

OTimersManager::~OTimersManager() = default;

ITimerController* OTimersManager::GetController(const str& key) const {
  for (const auto& c : mControllers)
    if (c->mKey == key) return c.get();
  return nullptr;
}

std::vector<ITimerController*>* OTimersManager::GetHealthTimers() const {
  return new std::vector<ITimerController*>{GetController("vethra"), GetController("under_water"),
                                            GetController("poison")};
}

void OTimersManager::Save(TXmlNode* save) const {
  if (save) save->CreateChild("timer_controllers");
}
