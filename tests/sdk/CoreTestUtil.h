#pragma once
// Helpers shared by the platform-service tests: the fixtures folder and a
// scratch folder that is removed afterwards.

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "sdk/str.h"

// tests/fixtures, by the absolute path the build gives, so the binary runs
// outside CTest too.
inline str CoreFixturesDir() {
  const char* env = std::getenv("TOLVANE_CONTENT");
  if (env && *env) return env;
  return TOLVANE_TEST_FIXTURES;
}

inline str ReadAll(const str& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline bool Exists(const str& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

class CoreTempDir {
 public:
  CoreTempDir() {
    char tmpl[] = "/tmp/tolvane-test-XXXXXX";
    const char* made = mkdtemp(tmpl);
    mPath = made ? made : "/tmp";
  }
  ~CoreTempDir() {
    const std::string cmd = "rm -rf '" + mPath + "'";
    if (mPath.rfind("/tmp/tolvane-test-", 0) == 0) (void)std::system(cmd.c_str());
  }
  const str& Path() const { return mPath; }
  str File(const char* name) const { return mPath + "/" + name; }

 private:
  str mPath;
};
