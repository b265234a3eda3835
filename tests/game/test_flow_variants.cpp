#include <gtest/gtest.h>

#include "app/AMenuWnd.h"
#include "game/AGameWnd.h"
#include "sinkra/AMyGame.h"
#include "sinkra/ASinkraOptionsWnd.h"
#include "sinkra/CGameField.h"
#include "tests/game/FlowRig.h"
#include "ui/AClipString.h"
#include "ui/ARadioGroup.h"
#include "ui/OClipButton.h"

namespace {

using flowtest::FlowRig;

// Opens the menu through its text and chooses an item.
bool menuChoice(FlowRig& rig, const std::string& item) {
  const AClipString* menu = rig.main()->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  if (!rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); })) return false;
  return rig.clickText(item);
}

TEST(FlowVariants, CollectorRemoverAndTurnPlayEachPlay) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  struct Case {
    int radio;
    int kind;
    const char* caption;
  } cases[] = {{5, 0, "Collector"}, {4, 2, "Remover"}, {8, 3, "Turn Play"}};
  bool first = true;
  for (const Case& c : cases) {
    if (!first) {
      ASSERT_TRUE(menuChoice(rig, "Pick Game"));
    }
    first = false;
    ASSERT_TRUE(rig.pick(c.radio)) << c.caption;
    ASSERT_TRUE(rig.waitPlaying()) << c.caption;
    AGameWnd* game = rig.main()->game();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->kind, c.kind);
    ASSERT_NE(game->variantCaption(), nullptr);
    EXPECT_EQ(game->variantCaption()->text(), c.caption);
    EXPECT_EQ(game->score, 0);
    ASSERT_TRUE(rig.playMoves(3)) << c.caption;
    EXPECT_GT(game->score, 0) << c.caption;
    rig.run(900);
    rig.shot(std::string("flow3_") + std::to_string(c.kind) + "_" + c.caption);
  }
}

TEST(FlowVariants, ChangingTheLevelAsksForANewGame) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(5));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(rig.playMoves(1));
  AMainWnd* main = rig.main();
  OClipButton* options = main->button(AMainWnd::kOptions);
  rig.click(int(options->x) + options->width / 2, int(options->y) + options->height / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == main->game()->optionsScreen(); }));
  auto* screen = static_cast<SpaceSinkra::ASinkraOptionsWnd*>(rig.current());
  rig.run(1500);
  rig.shot("flow3_options");
  EXPECT_EQ(screen->level(), 0);
  // "Expert" is the second skill radio.
  rig.click(screen->x() + 60 + 15, screen->y() + 105 + 15);
  EXPECT_EQ(screen->level(), 1);
  ASSERT_TRUE(rig.clickText("OK"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Restart); }));
  rig.run(1200);
  rig.shot("flow3_restart");
  ASSERT_NE(rig.findText("Start new Game?"), nullptr);
  ASSERT_TRUE(rig.clickText("Yes"));
  ASSERT_TRUE(rig.waitPlaying());
  rig.run(300);
  EXPECT_EQ(main->game()->level, 1);
  EXPECT_EQ(main->game()->score, 0);
  EXPECT_FALSE(main->newGameNeeded);
  ASSERT_NE(main->game()->levelCaption(), nullptr);
  EXPECT_EQ(main->game()->levelCaption()->text(), "expert");
}

}  // namespace
