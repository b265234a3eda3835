// Screen requests that meet each other, the game-over path and what the
// controller leaves behind at exit.
#include <gtest/gtest.h>

#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "platform/KeyCodes.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "storage/Settings.h"
#include "tests/game/FlowRig.h"
#include "ui/AClipString.h"
#include "ui/APickGameWnd.h"
#include "ui/OClipButton.h"

namespace {

using flowtest::FlowRig;

void clickButton(FlowRig& rig, int b) {
  OClipButton* button = rig.main()->button(b);
  rig.click(int(button->x) + button->width / 2, int(button->y) + button->height / 2);
}

bool pending(FlowRig& rig, ScreenId id) { return rig.window.app().pendingScreen == rig.screen(id); }

TEST(FlowScreens, APanelClickWhileTheMenuIsOnItsWayKeepsTheMenu) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(7));
  ASSERT_TRUE(rig.waitPlaying());
  rig.run(1000);  // the "Menu" text settles first
  const AClipString* menu = rig.main()->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  ASSERT_TRUE(rig.runUntil([&] { return pending(rig, ScreenId::Menu); }));
  clickButton(rig, AMainWnd::kHelp);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("Continue"));
  ASSERT_TRUE(rig.waitPlaying());
  // The way back to the menu is still there, by key and by the text.
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
}

TEST(FlowScreens, AFinishedGameAlwaysReachesItsGameOverScreen) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(5));
  ASSERT_TRUE(rig.waitPlaying());
  auto* game = static_cast<SpaceSinkra::AMyGame*>(rig.main()->game());
  game->showGameOver();
  ASSERT_EQ(rig.main()->state(), AMainWnd::kGameOverShown);
  // The release that dismisses the text is not a move on the board.
  int blocks = game->current()->blockCount();
  rig.click(60, 500);
  EXPECT_EQ(game->current()->blockCount(), blocks);
  ASSERT_TRUE(pending(rig, ScreenId::GameOver));
  clickButton(rig, AMainWnd::kHelp);
  clickButton(rig, AMainWnd::kNewGame);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::GameOver); }));
  // Escape leaves without a name and starts a new game.
  rig.settle();
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.waitPlaying());
  rig.run(300);
  EXPECT_FALSE(rig.main()->newGameNeeded);
  EXPECT_EQ(rig.main()->game()->score, 0);
  EXPECT_EQ(rig.main()->game()->gameResult(), 0);
}

TEST(FlowScreens, NoToStartNewGameKeepsTheRunningGame) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(5));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(rig.playMoves(1));
  AGameWnd* game = rig.main()->game();
  int score = game->score;
  rig.main()->settings().globalAutosave = false;
  clickButton(rig, AMainWnd::kNewGame);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Restart); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("No"));
  ASSERT_TRUE(rig.waitPlaying());
  // Through the pick-game screen: another variant asks first, "No" reverts.
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("Pick Game"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }));
  auto* pick = static_cast<APickGameWnd*>(rig.current());
  rig.settle();
  const zb::PickRadio& other = zb::pickRadio(4);
  rig.click(pick->x() + other.boxX + 15, pick->y() + other.boxY + 15);
  ASSERT_EQ(pick->selected(), 4);
  ASSERT_TRUE(rig.clickText("Play!"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Restart); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("No"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }));
  rig.settle();
  EXPECT_EQ(pick->selected(), 5);
  ASSERT_TRUE(rig.clickText("Play!"));
  ASSERT_TRUE(rig.waitPlaying());
  rig.run(300);
  EXPECT_EQ(rig.main()->game(), game);
  EXPECT_EQ(game->score, score);
}

TEST(FlowScreens, TheSettingsWrittenAtExitNameTheLastGame) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(8));  // Turn Play: family 1, kind 3
  ASSERT_TRUE(rig.waitPlaying());
  rig.stop();
  OConfig tree;
  zb::Settings s = zb::loadSettings(tree, 0, 0, rig.home() + "/zenbox.cfg");
  EXPECT_EQ(s.gameIndex, 1);
  EXPECT_EQ(s.gameKind, 3);
  EXPECT_EQ(tree.getInt("GameKind", -1), 3);
}

}  // namespace
