#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "app/OEngine.h"
#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "platform/Random.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "tests/game/FlowRig.h"

namespace {

using flowtest::FlowRig;

// Game minutes per run: ZB_SOAK_MINUTES, else 30.
int soakMinutes() {
  const char* env = std::getenv("ZB_SOAK_MINUTES");
  int minutes = env ? std::atoi(env) : 30;
  return minutes > 0 ? minutes : 30;
}

// One built Sinkra variant's demo at one skill level, through the whole
// program: pick-game, "Demo!", then frames of 30 ms for the soak time. The
// demo deals a new board whenever one ends, so this also covers many game
// ends and restarts. Meant for a sanitizer build (make soak); outside the
// default run because of its length.
class Soak : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(Soak, DISABLED_DemoAtLevel) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  auto [radio, level] = GetParam();
  zb::seedRandom(static_cast<uint32_t>(radio * 31 + level));
  auto wall0 = std::chrono::steady_clock::now();

  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000));
  rig.settle();
  const zb::PickRadio& r = zb::pickRadio(radio);
  rig.click(rig.current()->x() + r.boxX + 15, rig.current()->y() + r.boxY + 15);
  ASSERT_TRUE(rig.clickText("Demo!"));
  ASSERT_TRUE(rig.waitPlaying());
  auto* game = dynamic_cast<SpaceSinkra::AMyGame*>(rig.main()->game());
  ASSERT_TRUE(game && game->demo());

  // The demo starts at the game's level; a finished board makes it deal a
  // fresh one at the level now set, the same path as every later game.
  game->level = level;
  game->current()->finished = true;
  rig.run(300);
  SpaceSinkra::CGameField* field = game->current();
  ASSERT_TRUE(field);
  const int deals0 = field->deals();
  const size_t cells = size_t(field->grid().size());

  int minutes = soakMinutes();
  size_t mostClips = 0;
  for (int m = 0; m < minutes; ++m) {
    rig.run(60 * 1000);
    ASSERT_FALSE(rig.ended());
    ASSERT_TRUE(game->demo()) << "left its demo after " << m << " min";
    ASSERT_EQ(game->current(), field) << "variant changed";
    ASSERT_EQ(game->level, level);
    // Clips that pile up on the screen would be a slow leak no sanitizer sees.
    size_t clips = rig.main()->clips().size();
    mostClips = std::max(mostClips, clips);
    ASSERT_LT(clips, cells * 3 + 400) << "clips pile up after " << m << " min";
    ASSERT_LE(size_t(field->blockCount()), cells);
  }
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  std::printf("[soak] %-12s level %d: %d game min, %d games begun, most clips %zu, wall %.1f s\n",
              r.label, level, minutes, field->deals() - deals0 + 1, mostClips, wall);
}

// Radios of the four built variants: rising rows, Collector, Remover, Turn Play.
INSTANTIATE_TEST_SUITE_P(EveryVariantAndLevel, Soak,
                         ::testing::Combine(::testing::Values(4, 5, 7, 8), ::testing::Values(0, 1, 2)));

}  // namespace
