// What a save costs over writing its bytes: a save into slot 2 of a late
// game in the bundled content (every scene of the house visited, its
// mini-games begun, every magic earned, a poison counting down, the main
// inventory full and an item in hand; every section gathered, the save
// document stored in the player's preferences, the preferences file replaced
// atomically), against serialising the same preferences document with
// pugixml and writing it the same way (temp file, fsync, rename, fsync of the
// folder) (the floor). Prints the ratio at the end.

#include <fcntl.h>
#include <unistd.h>

#include <pugixml.hpp>
#include <sstream>

#include "bench/GameBenchSetup.h"
#include "game/GMiniGameScene.h"
#include "game/OFlagsRegistry.h"
#include "rules/timers/OPoisonTimerController.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TEvent.h"
#include "sdk/TModalWindow.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"

namespace {

bench::Game gGame;

TWindowManager* Wm() {
  return TWindowManager::GetInstance();
}

// Closes what a scene opens over the game (a tutorial, a hint) as its own
// button does.
void CloseModals() {
  for (TModalWindow* top = Wm()->GetTopModalWindow(); top && top->GetName() != "thegame";
       top = Wm()->GetTopModalWindow()) {
    Wm()->DoLuaString(top, "CloseWindow() unlockCurrentScene()");
    gGame.Beat(1);
    if (Wm()->GetTopModalWindow() == top) Wm()->PopModal(top);
  }
}

void Click(const TPoint& at) {
  TEvent event;
  event.point = at;
  for (uint32_t type : {TEvent::kMouseMove, TEvent::kMouseDown, TEvent::kMouseUp}) {
    event.type = type;
    Wm()->HandleEvent(event);
  }
  gGame.Beat(1);
}

// A game far along: what each section of the save holds grows with it.
bool PlayLateGame() {
  const char* const kScenes[] = {"hall",      "living_room", "study",   "gallery", "parlour", "crypt",
                                 "workshop",  "lab",         "nursery", "kitchen", "garden",  "pond",
                                 "herb_garden", "pier",      "harbour", "harbour_catapult", "tavern",
                                 "tower",     "yard",        "attic"};
  for (const char* scene : kScenes) {
    if (!gGame.GoTo(scene)) std::fprintf(stderr, "bench_SaveBench: %s does not play\n", scene);
    gGame.Beat(60);
    CloseModals();
  }
  if (!gGame.GoTo("gallery")) return false;
  OFlagsRegistry::GetInstance()->SetValue("gift_of_travel", "true");
  OTimersManager::GetInstance()->GetPoison()->StartWithTime(3600);
  gGame.Beat(2);
  CloseModals();
  const char* const kItems[] = {"coin", "ring", "lamp", "key", "rope", "apple", "rock", "letter",
                                "flask", "stick", "spoon", "shears", "herb_bunch", "tower_plan"};
  GInventory* inventory = gGame.Window()->GetPanel()->GetMainInventory();
  size_t next = 0;
  for (GInventoryCell* cell : inventory->GetCells()) {
    if (next == sizeof kItems / sizeof *kItems) break;
    if (cell->GetItem()) continue;
    // Only the cells in sight take a click: the rest come into sight as
    // the first ones fill.
    inventory->SetFirstCell(std::min(cell->GetIndex(), inventory->GetLastFirstCell()));
    inventory->LayOut();
    GMiniGameScene::GiveExitItem(kItems[next++]);
    const TRect at = cell->GetWindowRect();
    Click(TPoint(float(at.left + at.Width() / 2), float(at.top + at.Height() / 2)));
  }
  GMiniGameScene::GiveExitItem("coin");
  return true;
}

void BM_SaveGame(benchmark::State& state) {
  if (!PlayLateGame()) {
    state.SkipWithError("the late game does not play");
    return;
  }
  int filled = 0;
  for (GInventoryCell* cell : gGame.Window()->GetPanel()->GetMainInventory()->GetCells())
    filled += cell->GetItem() ? 1 : 0;
  state.counters["inventory"] = filled;
  for (auto _ : state) gGame.Window()->SaveGame(2, "bench", true);
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMicrosecond);

bool WriteAtomically(const std::string& path, const std::string& text) {
  const std::string temp = path + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) return false;
  const std::string dir = path.substr(0, path.rfind('/'));
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

void BM_SerialiseAndWriteFloor(benchmark::State& state) {
  // The preferences file as the last save left it, written elsewhere in the
  // same folder so the game's own file is not touched.
  const std::string prefs = gGame.PrefsDir() + "/prefs.xml";
  pugi::xml_document doc;
  if (!doc.load_file(prefs.c_str())) {
    state.SkipWithError("no preferences file to copy");
    return;
  }
  const std::string path = gGame.PrefsDir() + "/floor.xml";
  size_t bytes = 0;
  for (auto _ : state) {
    std::ostringstream out;
    doc.save(out, "  ");
    const std::string text = out.str();
    bytes = text.size();
    if (!WriteAtomically(path, text)) {
      state.SkipWithError("cannot write");
      return;
    }
  }
  state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_SerialiseAndWriteFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!gGame.Start()) {
    std::fprintf(stderr, "bench_SaveBench: the game did not start\n");
    return 1;
  }
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("BM_SaveGame", "BM_SerialiseAndWriteFloor");
  gGame.Stop();
  benchmark::Shutdown();
  return 0;
}
