#include "FuzzGame.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/GStartup.h"
#include "game/ODropZonesRegistry.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMinigameRegistry.h"
#include "game/ONotices.h"
#include "game/OPopupQueue.h"
#include "game/OSaveData.h"
#include "game/OSoundManager.h"
#include "game/OUsersManager.h"
#include "items/OComboGuide.h"
#include "items/OItemsRegistry.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TPrefs.h"
#include "sdk/TWindowManager.h"
#include "tools/magic/OMagicRegistry.h"
#include "visual/LuaUtils.h"

namespace fs = std::filesystem;

namespace fuzz {
namespace {

str gScratch;  // the process's own folder: content copy and preferences
str gContent;
str gPrefs;

void RemoveScratch() {
  std::error_code ec;
  if (!gScratch.empty()) fs::remove_all(gScratch.c_str(), ec);
}

// Runs its body at the first step the main loop asks for, then ends the run.
class OneStep : public IHeadlessDriver {
 public:
  explicit OneStep(const std::function<void()>& body) : mBody(body) {}
  bool Step(TPlatform*) override {
    if (mDone) return false;
    mDone = true;
    mBody();
    return false;
  }

 private:
  const std::function<void()>& mBody;
  bool mDone = false;
};

}  // namespace

// Everything a run of the game leaves behind once its own shut-down is over.
void ResetShared() {
  OGame::DeleteInstance();
  OSaveData::DeleteInstance();
  OMinigameRegistry::DeleteInstance();
  OFlagsRegistry::DeleteInstance();
  OItemsRegistry::DeleteInstance();
  ODropZonesRegistry::DeleteInstance();
  OHintsManager::DeleteInstance();
  OTimersManager::DeleteInstance();
  OIndicatorsManager::DeleteInstance();
  OPopupQueue::DeleteInstance();
  OMagicRegistry::DeleteInstance();
  OComboGuide::DeleteInstance();
  OMissionsManager::DeleteInstance();
  GMousePointer::DestroyInstance();
  OGameConfig::DeleteInstance();
  OSoundManager::DeleteInstance();
  OUsersManager::Delete();
  ONotices::Clear();
}

void Boot() {
  if (!gScratch.empty()) return;
  // In memory when the system offers it: every preference written is synced
  // to disk, and a run writes several.
  std::error_code ec;
  str base = fs::is_directory("/dev/shm", ec) ? "/dev/shm" : "/tmp";
  str pattern = base + "/tolvane-fuzz-XXXXXX";
  std::vector<char> tmpl(pattern.begin(), pattern.end());
  tmpl.push_back('\0');
  if (!mkdtemp(tmpl.data())) {
    perror("tolvane fuzz: mkdtemp");
    abort();
  }
  gScratch = tmpl.data();
  atexit(&RemoveScratch);
  gContent = gScratch + "/content";
  gPrefs = gScratch + "/prefs";
  fs::copy(TOLVANE_FUZZ_CONTENT, gContent.c_str(), fs::copy_options::recursive, ec);
  if (ec) {
    fprintf(stderr, "tolvane fuzz: cannot copy %s: %s\n", TOLVANE_FUZZ_CONTENT, ec.message().c_str());
    abort();
  }
  fs::create_directories(gPrefs.c_str(), ec);
  setenv("TOLVANE_PREFS_DIR", gPrefs.c_str(), 1);
  setenv("TOLVANE_HEADLESS", "1", 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  TPlatform::SetHeadless(true);
  TPlatform::SetContentRoot(gContent);
  ConfigurePlatform();
}

const str& ContentRoot() {
  return gContent;
}

const str& PrefsFolder() {
  return gPrefs;
}

void ClearPrefs() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(gPrefs.c_str(), ec)) fs::remove_all(entry.path(), ec);
}

void MakePlayer(const str& save) {
  ClearPrefs();
  TPrefs prefs(gPrefs);
  prefs.SetStr(PrefKey::kName, "Fuzz", 0, false);
  prefs.SetInt(PrefKey::kCurUser, 0, -1, false);
  prefs.SetStr(OSaveData::kPrefKey, save, 0, false);
  prefs.Flush();
}

SwappedFile::SwappedFile(const str& relative, const uint8_t* data, size_t size)
    : mPath(gContent + "/" + relative) {
  std::ifstream in(mPath.c_str(), std::ios::binary);
  if (in) {
    std::ostringstream text;
    text << in.rdbuf();
    mOriginal = text.str();
    mExisted = true;
  }
  std::ofstream(mPath.c_str(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

SwappedFile::~SwappedFile() {
  if (mExisted)
    std::ofstream(mPath.c_str(), std::ios::binary | std::ios::trunc) << mOriginal;
  else
    unlink(mPath.c_str());
}

void PlayOnce(const std::function<void()>& body) {
  OneStep driver(body);
  TPlatform::GetInstance()->SetHeadlessDriver(&driver);
  PlatformExec(&TolvaneMainCallback);
  TPlatform::GetInstance()->SetHeadlessDriver(nullptr);
  ResetShared();
}

GGameWnd* OpenGameScreen() {
  TWindowManager* wm = TWindowManager::GetInstance();
  TModalWindow* menu = wm->GetTopModalWindow();
  wm->DoLuaString(nullptr, "gotoGame()");
  TModalWindow* top = wm->GetTopModalWindow();
  if (!top || top == menu) return nullptr;
  return WindowCast<GGameWnd>(top->GetChildWindow("gamewnd"));
}

void Beat(GGameWnd* game, int n) {
  for (int i = 0; i < n && game; ++i) game->OnTaskAnimate();
}

}  // namespace fuzz
