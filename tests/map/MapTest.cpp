// The map of a content tree: every scene reached from the start of the game
// by what a player does, and every scene state left again. The small trees
// under tests/fixtures/map each hold one way of every kind or one fault; the
// content tree named by TOLVANE_MAP_TREE (CTest gives the bundled one) is
// checked on its own, so that its faults show apart from the checker's.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ContentMap.h"
#include "game/GWindowTypes.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OSoundManager.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TWindowManager.h"
#include "tools/magic/OMagicRegistry.h"

namespace {

namespace fs = std::filesystem;

// The shared objects the map makes, deleted before and after.
void ResetGame() {
  OMagicRegistry::DeleteInstance();
  OMissionsManager::DeleteInstance();
  OHintsManager::DeleteInstance();
  OTimersManager::DeleteInstance();
  OIndicatorsManager::DeleteInstance();
  OSoundManager::DeleteInstance();
  OGame::DeleteInstance();
  OFlagsRegistry::DeleteInstance();
  OGameConfig::DeleteInstance();
}

// The problems of the tree at `root`.
std::vector<str> CheckTree(const str& root) {
  static bool opened = TRenderer::GetInstance()->Open(true, false);
  (void)opened;
  str oldRoot = TPlatform::GetContentRoot();
  TPlatform::SetHeadless(true);
  TPlatform::SetContentRoot(root);
  ResetGame();
  TWindowManager* wm = TWindowManager::GetInstance();
  if (!wm->HasWindowType("GTravelSelection")) RegisterWindowTypes(wm);
  std::vector<str> problems = CheckContentMap();
  ResetGame();
  TWindowManager::DestroyInstance();
  TPlatform::SetContentRoot(oldRoot);
  return problems;
}

// One problem a line, so that a difference shows as text.
std::string Lines(const std::vector<str>& problems) {
  std::string text;
  for (const str& problem : problems) text += problem + "\n";
  return text;
}

// tests/fixtures/map/base with the files of tests/fixtures/map/<variant>
// written over it, in a folder of its own that goes with it.
class MapTree {
 public:
  explicit MapTree(const std::string& variant) {
    char tmpl[] = "/tmp/tolvane-map-XXXXXX";
    if (!mkdtemp(tmpl)) return;
    mPath = tmpl;
    fs::path fixtures = fs::path(TOLVANE_TEST_FIXTURES) / "map";
    const auto options = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
    fs::copy(fixtures / "base", mPath, options);
    if (!variant.empty()) fs::copy(fixtures / variant, mPath, options);
  }
  ~MapTree() {
    if (!mPath.empty()) fs::remove_all(mPath);
  }
  str Path() const { return mPath.string(); }

 private:
  fs::path mPath;
};

}  // namespace

// The base tree has a scene that only each kind of way reaches, and a state
// that only each kind of way leaves; each variant breaks one thing.
TEST(MapTest, FixtureTrees) {
  const str start = " (world \"home\", scene \"living_room\")";
  struct Case {
    const char* variant;
    std::vector<str> problems;
  } cases[] = {
      {"base", {}},
      // Nothing leads to the attic or to the closet of every world; the only
      // door to the pool lies under the panel, so neither the pool nor where
      // its air runs out is reached; the map has no part 3.
      {"unreachable",
       {"common scene \"closet\" cannot be reached from the start" + start + " in any world",
        "world \"home\", scene \"attic\": cannot be reached from the start" + start,
        "world \"home\", scene \"drowned\": cannot be reached from the start" + start,
        "world \"home\", scene \"pool\": cannot be reached from the start" + start,
        "world \"vethra\", scene \"3_0_0\": cannot be reached from the start" + start}},
      {"under_panel",
       {"world \"home\", scene \"beds\", state 2 of 2: its only ways cannot be clicked: mask \"door.png\" "
        "(to "
        "\"shed\") lies under the panel",
        "world \"home\", scene \"greenhouse\", state 1 of 1: its only ways cannot be clicked: mask "
        "\"door.png\" "
        "(to \"living_room\") lies under mask \"wide.png\""}},
      // A game without exits; a plain scene's exit border and a full-screen
      // scene's left border, for which the panel shows no button.
      {"dead_end",
       {"world \"home\", scene \"prize\": cannot be reached from the start" + start,
        "world \"home\", scene \"cards\", state 1 of 1: the game names no scene to go to when it ends",
        "world \"home\", scene \"prize\", state 1 of 1: has no way out",
        "world \"home\", scene \"tower\", state 1 of 1: has no way out"}},
      {"broken_link",
       {"world \"home\", scene \"crypt\", state 1 of 1: mask \"door.png\" leads to scene \"nowhere\", which "
        "world "
        "\"home\" does not list",
        "world \"home\", scene \"crypt\", state 1 of 1: has no way out"}},
  };
  for (const Case& c : cases) {
    MapTree tree(c.variant == str("base") ? "" : c.variant);
    ASSERT_FALSE(tree.Path().empty());
    EXPECT_EQ(Lines(CheckTree(tree.Path())), Lines(c.problems)) << c.variant;
  }
}

// The tree CTest names: each problem is a failure of its own, in words a
// content author can act on.
TEST(MapTest, ContentTree) {
  const char* tree = std::getenv("TOLVANE_MAP_TREE");
  if (!tree || !*tree) GTEST_SKIP() << "TOLVANE_MAP_TREE names no content tree";
  for (const str& problem : CheckTree(tree)) ADD_FAILURE() << problem;
}
