#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("TOLVANE_HEADLESS", "1", 0);
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("TOLVANE_CONTENT", TOLVANE_TEST_FIXTURES, 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
