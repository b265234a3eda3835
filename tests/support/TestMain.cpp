#include <gtest/gtest.h>

#include <cstdlib>

// Every test runs headless: SDL's dummy drivers unless the caller chose
// others (a test may pick the disk audio driver), and the generated data
// pack of this build tree.
int main(int argc, char** argv) {
  ::setenv("SDL_VIDEODRIVER", "dummy", 0);
  ::setenv("SDL_AUDIODRIVER", "dummy", 0);
  ::setenv("ZB_DATA", ZB_DEFAULT_DATA, 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
