#pragma once
// Shared by the pointer and mask tests: the pointer fixture tree as content
// root, a bare item that counts its deletion, and a controller that records
// what the manager asks of it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/GMousePointer.h"
#include "game/IMousePointerController.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TWindowStyle.h"

inline str PointerFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/pointer";
}

class TestItem : public IItem {
 public:
  explicit TestItem(const str& name, int* deleted = nullptr, const str& visual = str())
      : IItem(name, "anim/", visual), mDeleted(deleted) {}
  ~TestItem() override {
    if (mDeleted) ++*mDeleted;
  }
  void OnStateChange(GVObject*, TState, TState&) override {}
  void OnStateEnd(GVObject*, TState) override {}
  bool IsInScene() const override { return false; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return true; }
  bool OnMaskClick(IMask* mask) override {
    ++clicks;
    return takesClick;
  }
  void OnMaskEnter(IMask*) override { log += "enter;"; }
  void OnMaskLeave(IMask*) override { log += "leave;"; }
  bool OwnsMask(IMask* mask) const override { return owns; }
  void ReleaseMask() override {}
  void Detach() override {}
  void SaveState() override {}
  void Update() override { ++updates; }

  int clicks = 0, updates = 0;
  bool takesClick = true, owns = true;
  str log;

 private:
  int* mDeleted;
};

class RecordingController : public IMousePointerController {
 public:
  RecordingController(const char* id, bool wants, std::string* log)
      : IMousePointerController(nullptr), mWants(wants), mId(id), mLog(log) {}
  void SetActive(bool active) override {
    IMousePointerController::SetActive(active);
    *mLog += std::string(mId) + (active ? "+" : "-");
  }
  bool WantsPointer() override {
    *mLog += std::string(mId) + "?";
    return mWants;
  }
  void Apply() override { *mLog += std::string(mId) + "!"; }
  void SetSceneMode(int mode) override { sceneModes.push_back(mode); }
  void OnPointerMove(int x, int y) override { ++moves; }
  void ReleaseItem() override { ++releases; }

  std::vector<int> sceneModes;
  int moves = 0, releases = 0;
  bool mWants;

 private:
  const char* mId;
  std::string* mLog;
};

// The pointer fixture tree as the content root, with a fresh configuration.
class PointerTest : public testing::Test {
 protected:
  void SetUp() override {
    static bool opened = TRenderer::GetInstance()->Open(true, false);
    (void)opened;
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetContentRoot(PointerFixturesDir());
    OGameConfig::DeleteInstance();
    GMousePointer::DestroyInstance();
  }
  void TearDown() override {
    GMousePointer::DestroyInstance();
    OGameConfig::DeleteInstance();
    TPlatform::SetContentRoot(mOldRoot);
  }
  // The pointer, initialised, with a recording controller as its only one.
  GMousePointer* InitPointer(RecordingController** recorder = nullptr) {
    GMousePointer* pointer = GMousePointer::GetInstance();
    TWindowStyle style;
    pointer->Init(style);
    if (recorder) {
      *recorder = new RecordingController("r", true, &mLog);
      pointer->GetManager()->AddController(*recorder);
    }
    return pointer;
  }
  std::string mLog;
  str mOldRoot;
};
