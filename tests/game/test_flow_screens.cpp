// Screen requests that meet each other, the game-over path and what the
// controller leaves behind at exit.
#include <gtest/gtest.h>

#include "game/AGameHost.h"
#include "game/AGameOverWnd.h"
#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "platform/KeyCodes.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "storage/Settings.h"
#include "tests/game/FlowRig.h"
#include "ui/AFramedWnd.h"
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
  rig.run(int(AGameHost::kStrayClickMs));
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

// Rapid clicks on the board as a game ends must not dismiss the game-over
// text at once, nor go on through the name entry and accept a name.
TEST(FlowScreens, StrayClicksPassNeitherTheGameOverTextNorTheNameEntry) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(rig.playMoves(2));
  AMainWnd* main = rig.main();
  main->applyAnimation(false);  // texts stand still at once: only the clock guards
  main->settings().playerName = "Board Clicker";
  AGameWnd* game = main->game();
  ASSERT_GT(game->score, 0);
  game->showGameOver();
  rig.run(30);
  rig.click(300, 300);
  // A click takes three frames: its release comes 90 ms after its move.
  rig.run(int(AGameHost::kStrayClickMs) - 250);
  rig.click(300, 300);
  EXPECT_EQ(main->state(), AMainWnd::kGameOverShown);
  rig.run(150);
  rig.click(300, 300);
  EXPECT_NE(main->state(), AMainWnd::kGameOverShown);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::GameOver); }));
  auto* over = static_cast<AGameOverWnd*>(rig.current());
  ASSERT_TRUE(over->qualified());
  ASSERT_EQ(over->state(), AFramedWnd::kOpen);
  AClipString* accept = rig.findText("Continue");
  ASSERT_NE(accept, nullptr);
  int ax = over->x() + accept->x() + accept->width() / 2, ay = over->y() + accept->y() + accept->height() / 2;
  rig.click(ax, ay);
  rig.run(int(AGameHost::kStrayClickMs) - 250);
  rig.click(ax, ay);
  rig.run(1000);
  EXPECT_TRUE(rig.isCurrent(ScreenId::GameOver));
  EXPECT_FALSE(game->scores().hasScoresAboveZero(game->category()));
  // Half a second on, the same click is the player's.
  rig.click(ax, ay);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Top10); }));
  EXPECT_TRUE(game->scores().hasScoresAboveZero(game->category()));
  main->applyAnimation(true);
}

// Captions still flying when a dialog covers the main screen would freeze
// in the margins the tiles leave open.
TEST(FlowScreens, CaptionsInFlightSettleWhenADialogCoversTheScreen) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  AMainWnd* main = rig.main();
  AGameWnd* game = main->game();
  size_t clipsPlaying = main->clips().size();
  rig.key(zb::vk::Pause);
  rig.run(600);
  rig.key(zb::vk::Space);  // resumes; the three captions fly out
  ASSERT_FALSE(game->paused());
  EXPECT_EQ(game->leavingCaptionCount(), 3u);
  // A curtain laid in one tick covers the screen while they are still on it.
  main->applyAnimation(false);
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  EXPECT_EQ(game->leavingCaptionCount(), 0u);
  // Nothing but the tiles came and stayed.
  EXPECT_EQ(main->clips().size(), clipsPlaying + size_t(main->tilesShown()));
  main->applyAnimation(true);
  rig.settle();
  ASSERT_TRUE(rig.clickText("Continue"));
  ASSERT_TRUE(rig.waitPlaying());
  // The "Menu" text pauses the game: its captions fly in while the curtain
  // falls, and stand at their places once it is down.
  rig.run(1000);
  const AClipString* menu = main->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  ASSERT_TRUE(game->paused());
  for (const AClipString* caption : {game->pausedCaption(), game->playCaption()}) {
    ASSERT_NE(caption, nullptr);
    for (int i = 0; i < caption->glyphCount(); ++i) {
      EXPECT_EQ(caption->glyph(i)->x, caption->homeX(i)) << caption->text();
      EXPECT_EQ(caption->glyph(i)->y, caption->homeY(i)) << caption->text();
    }
  }
  rig.settle();
  ASSERT_TRUE(rig.clickText("Continue"));
  ASSERT_TRUE(rig.waitPlaying());
  rig.key(zb::vk::Space);
  rig.run(2000);
  ASSERT_EQ(game->leavingCaptionCount(), 0u);
  // Left alone, flown-out captions are dropped once off the screen.
  rig.key(zb::vk::Pause);
  rig.run(600);
  rig.key(zb::vk::Space);
  EXPECT_EQ(game->leavingCaptionCount(), 3u);
  ASSERT_TRUE(rig.runUntil([&] { return game->leavingCaptionCount() == 0; }, 5000));
  // The keys brought the board cursor's outline: the one clip that may stay.
  EXPECT_EQ(main->clips().size() - (main->focusOutline() ? 1 : 0), clipsPlaying);
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
