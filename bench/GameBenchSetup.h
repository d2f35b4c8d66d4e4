#pragma once
// A running game for the benchmarks: headless, on the bundled content/, with
// a player in a scratch preferences folder and the game's screens made by its
// own scripts, the game window playing a new game. A heartbeat is the
// platform's tick and a frame draws every screen, as in play.

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/GWindowTypes.h"
#include "game/OGame.h"
#include "game/OUsersManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TSound.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "tools/panel/GGamePanel.h"

namespace bench {

// A relative source path (as a compiler cache may write it) is relative to
// the folder the benchmark was built in, which is the one it lies in.
inline std::string RepoRoot() {
  std::string here = __FILE__;
  if (here[0] != '/') {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
      const std::string path(exe, size_t(n));
      here = path.substr(0, path.rfind('/') + 1) + here;
    }
  }
  return here.substr(0, here.rfind("/bench/"));
}

class Game {
 public:
  // False when the content could not start a game; the reason is on stderr.
  bool Start() {
    char tmpl[] = "/tmp/tolvane-bench-XXXXXX";
    const char* made = mkdtemp(tmpl);
    if (!made) return false;
    mPrefsDir = made;
    setenv("TOLVANE_PREFS_DIR", mPrefsDir.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(RepoRoot() + "/content");
    if (!TRenderer::GetInstance()->Open(true, false)) return false;
    TSoundManager::GetInstance()->Open();
    // The game's window types, so its scripts (the popup's among them) make
    // their windows as in play.
    RegisterWindowTypes(TWindowManager::GetInstance());
    OUsersManager* users = OUsersManager::Create();
    users->CreateNewUser("Bench");
    users->SetCurrentUser(0);
    // The game's screens as its scripts make them: the main menu at the
    // root, the game's screen (its window, the panel with all its controls)
    // over it, so a frame draws what the player sees.
    TWindowManager* wm = TWindowManager::GetInstance();
    if (!wm->RunScript(nullptr, "scripts/mainloop.lua") || !wm->RunScript(nullptr, "scripts/game.lua"))
      return false;
    mWnd = dynamic_cast<GGameWnd*>(wm->FindWindow("gamewnd"));
    if (!mWnd) return false;
    if (!mWnd->StartGame(-1)) return false;
    Beat(GScene::kFadeTicks + 1);
    return mWnd->GetCurrentScene() != nullptr;
  }

  // Walks to `sceneId` and waits until it plays.
  bool GoTo(const str& sceneId) {
    if (!mWnd->GetCurrentScene()) return false;
    mWnd->GetCurrentScene()->GoToScene(sceneId);
    for (int i = 0; i < 200; ++i) {
      GScene* scene = mWnd->GetCurrentScene();
      if (scene && scene->GetState() == GScene::kActive &&
          OGame::GetInstance()->GetCurrentSceneId() == sceneId)
        return true;
      Beat(1);
    }
    return false;
  }

  // Heartbeats: the clock moves 16 ms and the game's screen runs its tasks,
  // the window's tick among them, as in play.
  void Beat(int n) {
    for (int i = 0; i < n; ++i) TPlatform::GetInstance()->Tick(16);
  }

  void Draw() {
    TRenderer* r = TRenderer::GetInstance();
    r->BeginFrame();
    TWindowManager::GetInstance()->DrawAll();
    r->EndFrame();
  }

  void Stop() {
    TWindowManager* wm = TWindowManager::GetInstance();
    while (TModalWindow* top = wm->GetTopModalWindow()) wm->PopModal(top);
    wm->DeletePending();
    mWnd = nullptr;
    OUsersManager::Delete();
    TRenderer::Shutdown();
    if (mPrefsDir.rfind("/tmp/tolvane-bench-", 0) == 0)
      (void)std::system(("rm -rf '" + mPrefsDir + "'").c_str());
  }

  GGameWnd* Window() const { return mWnd; }
  const std::string& PrefsDir() const { return mPrefsDir; }

 private:
  GGameWnd* mWnd = nullptr;
  std::string mPrefsDir;
};

// The console output, plus the real and CPU time of each benchmark kept for
// the ratios: the median when repetitions were asked for, else the one run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // A benchmark of several arguments keeps one entry per argument.
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      const bool median = run.aggregate_name == "median";
      if (!median && !run.aggregate_name.empty()) continue;
      if (!median && mFromMedian[name]) continue;
      mFromMedian[name] = median;
      real[name] = run.GetAdjustedRealTime();
      cpu[name] = run.GetAdjustedCPUTime();
    }
  }
  void PrintRatio(const char* name, const char* floor) {
    if (real.count(name) && real[floor] > 0 && cpu[floor] > 0)
      std::printf("%s / %s: %.2f real, %.2f CPU\n", name, floor, real[name] / real[floor],
                  cpu[name] / cpu[floor]);
  }
  std::map<std::string, double> real, cpu;

 private:
  std::map<std::string, bool> mFromMedian;
};

}  // namespace bench
