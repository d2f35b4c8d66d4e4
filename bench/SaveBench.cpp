// What a save costs over writing its bytes: a save into slot 2 of a game
// playing in the bundled content's attic (every section gathered, the save
// document stored in the player's preferences, the preferences file replaced
// atomically), against serialising the same preferences document with
// pugixml and writing it the same way (temp file, fsync, rename, fsync of the
// folder) (the floor). Prints the ratio at the end.

#include <fcntl.h>
#include <unistd.h>

#include <pugixml.hpp>
#include <sstream>

#include "bench/GameBenchSetup.h"

namespace {

bench::Game gGame;

void BM_SaveGame(benchmark::State& state) {
  if (!gGame.GoTo("attic")) {
    state.SkipWithError("the scene does not play");
    return;
  }
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
