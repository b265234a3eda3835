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
#include "ui/AClipString.h"
#include "ui/OClipButton.h"

namespace {

using flowtest::FlowRig;

// Game minutes per run: ZB_SOAK_MINUTES, else 30.
int soakMinutes() {
  const char* env = std::getenv("ZB_SOAK_MINUTES");
  int minutes = env ? std::atoi(env) : 30;
  return minutes > 0 ? minutes : 30;
}

// Opens the menu through its text and chooses an item.
bool menuChoice(FlowRig& rig, const std::string& item) {
  const AClipString* menu = rig.main()->menuText();
  if (!menu) return false;
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  if (!rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); })) return false;
  return rig.clickText(item);
}

// The skill level through the options screen and its restart question, as
// a player changes it.
bool chooseLevel(FlowRig& rig, int level) {
  AMainWnd* main = rig.main();
  OClipButton* options = main->button(AMainWnd::kOptions);
  if (!options) return false;
  rig.click(int(options->x) + options->width / 2, int(options->y) + options->height / 2);
  if (!rig.runUntil([&] { return rig.current() == main->game()->optionsScreen(); })) return false;
  OEngine* screen = rig.current();
  rig.run(1500);
  // The level boxes stand 40 apart, Novice first.
  rig.click(screen->x() + 60 + 15, screen->y() + 65 + 40 * level + 15);
  if (!rig.clickText("OK")) return false;
  if (!rig.runUntil([&] { return rig.isCurrent(ScreenId::Restart); })) return false;
  if (!rig.clickText("Yes")) return false;
  return rig.waitPlaying();
}

// One built Sinkra variant's demo at one skill level, through the whole
// program: pick-game, the level on the options screen, the menu's "Demo",
// then frames of 30 ms for the soak time. The demo deals a new board
// whenever one ends, so this also covers many game ends and restarts. Meant
// for a sanitizer build (make soak); outside the default run for its length.
class Soak : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(Soak, DISABLED_DemoAtLevel) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  auto [radio, level] = GetParam();
  zb::seedRandom(static_cast<uint32_t>(radio * 31 + level));
  auto wall0 = std::chrono::steady_clock::now();

  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(radio));
  ASSERT_TRUE(rig.waitPlaying());
  auto* game = dynamic_cast<SpaceSinkra::AMyGame*>(rig.main()->game());
  ASSERT_TRUE(game);
  if (level != game->level) {
    ASSERT_TRUE(chooseLevel(rig, level));
  }
  ASSERT_EQ(game->level, level);
  rig.run(1000);  // the "Menu" text settles first
  ASSERT_TRUE(menuChoice(rig, "Demo"));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(game->demo());
  SpaceSinkra::CGameField* field = game->current();
  ASSERT_TRUE(field);
  const int deals0 = field->deals();
  const int width = field->grid().width(), height = field->grid().height();

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
    size_t cells = size_t(field->grid().size());
    ASSERT_EQ(field->grid().width(), width) << "the demo left its level";
    ASSERT_LT(clips, cells * 3 + 400) << "clips pile up after " << m << " min";
    ASSERT_LE(size_t(field->blockCount()), cells);
  }
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  std::printf("[soak] %-10s level %d (%dx%d): %d game min, %d games begun, score now %d, most clips %zu, wall %.1f s\n",
              zb::pickRadio(radio).label, level, width, height, minutes, field->deals() - deals0 + 1,
              game->score, mostClips, wall);
}

// Radios of the five variants: Remover, Collector, Classic, rising rows, Turn Play.
INSTANTIATE_TEST_SUITE_P(EveryVariantAndLevel, Soak,
                         ::testing::Combine(::testing::Values(4, 5, 6, 7, 8), ::testing::Values(0, 1, 2)));

}  // namespace
