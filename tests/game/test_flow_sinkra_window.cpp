#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "app/OEngine.h"
#include "gfx/OClip.h"
#include "platform/KeyCodes.h"
#include "sinkra/AMyGame.h"
#include "sinkra/ASinkraOptionsWnd.h"
#include "sinkra/CClassicSinkraGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "sinkra/CSinkraGame.h"
#include "sinkra/CTurnGame.h"
#include "storage/Container.h"
#include "storage/OConfig.h"
#include "tests/game/FlowRig.h"
#include "tests/support/TestSupport.h"
#include "ui/AClipNum.h"
#include "ui/AClipString.h"
#include "ui/OClipButton.h"

// The Sinkra family window driving its variants through the whole program.
namespace {

using flowtest::FlowRig;
using SpaceSinkra::AMyGame;
using SpaceSinkra::CGameField;
using SpaceSinkra::CGlobal;

// Radios of the pick-game screen.
constexpr int kRemoverRadio = 4, kCollectorRadio = 5, kAdvancedRadio = 7, kTurnRadio = 8;

AMyGame* play(FlowRig& rig, int radio) {
  if (!rig.pick(radio) || !rig.waitPlaying()) return nullptr;
  return dynamic_cast<AMyGame*>(rig.main()->game());
}

void clickCell(FlowRig& rig, const CGameField& field, int cell) {
  rig.click(int(field.cellX(cell) + field.cellSize() / 2), int(field.cellY(cell) + field.cellSize() / 2));
}

void clickExit(FlowRig& rig) {
  OClipButton* exit = rig.main()->button(AMainWnd::kExit);
  rig.click(int(exit->x) + exit->width / 2, int(exit->y) + exit->height / 2);
  rig.runUntil([&] { return rig.ended(); }, 3000);
  rig.stop();
}

// A board of w x h without any group of two: colours run in a diagonal
// pattern of three.
std::vector<int> noGroups(int w, int h) {
  std::vector<int> c(size_t(w * h));
  for (int i = 0; i < w * h; ++i) c[size_t(i)] = (i % w + 2 * (i / w)) % 3;
  return c;
}

bool gameOverShown(FlowRig& rig) {
  return rig.runUntil([&] { return rig.main()->state() == AMainWnd::kGameOverShown; }, 30000);
}

// Where a clip-font text's letters rest: their top and bottom edges.
int topOf(const AClipString& t) {
  int top = t.y();
  for (int i = 0; i < t.glyphCount(); ++i) top = std::min(top, t.homeY(i));
  return top;
}

int bottomOf(const AClipString& t) {
  int bottom = t.y();
  for (int i = 0; i < t.glyphCount(); ++i) bottom = std::max(bottom, t.homeY(i) + t.glyph(i)->height);
  return bottom;
}

// The side panel's texts stand clear of each other: the demo captions
// between the level caption and "for this block", Turn Play's score label
// between the computer's score and the player's.
TEST(FlowSinkraWindow, PanelTextsKeepClearOfEachOther) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  {
    FlowRig rig;
    ASSERT_TRUE(rig.start());
    AMyGame* game = play(rig, kRemoverRadio);
    ASSERT_NE(game, nullptr);
    game->beginDemo();
    rig.run(2000);
    ASSERT_TRUE(game->demo());
    ASSERT_NE(game->demoCaption(), nullptr);
    ASSERT_NE(game->playCaption(), nullptr);
    EXPECT_GE(topOf(*game->demoCaption()), bottomOf(*game->levelCaption()));
    const SpaceSinkra::CTextView* block = CGlobal::instance().caption();
    ASSERT_EQ(block->text, "for this\nblock");
    // Its letters may stand up to a fifth of their height above its top.
    int blockTop = block->y - rig.main()->font(3)->height / 5;
    EXPECT_LE(bottomOf(*game->playCaption()), blockTop);
    rig.shot("flow_sinkra_demo_panel");
  }
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  AMyGame* game = play(rig, kTurnRadio);
  ASSERT_NE(game, nullptr);
  rig.run(2000);
  auto* turn = dynamic_cast<SpaceSinkra::CTurnGame*>(game->current());
  ASSERT_NE(turn, nullptr);
  ASSERT_NE(turn->compScoreNumber(), nullptr);
  const AClipString& label = *game->scoreLabel();
  int compBottom = int(turn->compScoreNumber()->y) + rig.main()->font(3)->height;
  EXPECT_GT(topOf(label), compBottom);
  ASSERT_NE(game->scoreNumber(), nullptr);
  EXPECT_GE(int(game->scoreNumber()->cell(0).y), bottomOf(label));
  rig.shot("flow_sinkra_turn_panel");
}

TEST(FlowSinkraWindow, SpeedFactorFollowsTheSpeedOptionInEveryStart) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  AMyGame* game = play(rig, kAdvancedRadio);
  ASSERT_TRUE(game);
  CGlobal& g = CGlobal::instance();
  game->speed = 5;
  const double expected = g.kvmin * 1.4;
  rig.main()->newGameNeeded = true;
  rig.run(100);
  EXPECT_DOUBLE_EQ(g.speedFactor, expected) << "new game";
  game->startDemo(true);
  EXPECT_DOUBLE_EQ(g.speedFactor, expected) << "demo";
  game->stopDemo(true);
  game->saveGame();
  g.speedFactor = 3;
  game->loadGame(0);
  EXPECT_DOUBLE_EQ(g.speedFactor, expected) << "restore";
}

TEST(FlowSinkraWindow, TheSeparatorBarsFrameTheTray) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  AMyGame* game = play(rig, kAdvancedRadio);
  ASSERT_TRUE(game);
  EXPECT_EQ(game->current()->extraClipCount(), 2u);
  int bars = 0;
  for (OClip* clip : rig.main()->clips())
    if (clip->x == 10 && clip->width == 580 && clip->visible) ++bars;
  EXPECT_EQ(bars, 2);
  // A restored game keeps them.
  game->saveGame();
  game->loadGame(0);
  EXPECT_EQ(game->current()->extraClipCount(), 2u);
}

// A saved board the loader refuses must not be taken for a game in which
// everything was cleared; the running score is what the panel shows.
TEST(FlowSinkraWindow, RestoreTakesTheRunningScoreAndRefusedBoardsStartAfresh) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  zbtest::TempDir home;
  auto edit = [&](const std::function<void(OConfig&)>& change) {
    std::string text;
    ASSERT_TRUE(LoadEncryptedText(home.file("save/Sinkra_2.sav"), text, "TideMarsh"));
    OConfig tree;
    tree.parse(text);
    change(tree);
    ASSERT_TRUE(SaveEncryptedText(home.file("save/Sinkra_2.sav"), tree.write(), "TideMarsh"));
  };
  auto session = [&](const std::function<void(FlowRig&, AMyGame&)>& body) {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    AMyGame* game = play(rig, kRemoverRadio);
    ASSERT_TRUE(game);
    body(rig, *game);
    clickExit(rig);
  };
  session([](FlowRig& rig, AMyGame&) { ASSERT_TRUE(rig.playMoves(2)); });
  edit([](OConfig& t) { t.setInt("scores", 4321); });
  session([](FlowRig& rig, AMyGame& game) {
    EXPECT_EQ(game.score, 4321);
    EXPECT_EQ(CGlobal::instance().score, 4321);
    rig.run(100);
    EXPECT_EQ(game.shownScore(), 4321);
  });
  edit([](OConfig& t) { t.setInt("3.color", 77); });
  session([](FlowRig& rig, AMyGame& game) {
    rig.run(500);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.current()->blockCount(), game.current()->grid().size());
    EXPECT_EQ(game.gameResult(), 0);
    EXPECT_NE(rig.main()->state(), AMainWnd::kGameOverShown);
  });
}

// The update that ends a game may add points (the Remover's clear bonus):
// the panel shows them before the game-over text stops the ticks.
TEST(FlowSinkraWindow, ThePanelShowsTheFinalScore) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  AMyGame* game = play(rig, kRemoverRadio);
  ASSERT_TRUE(game);
  CGameField& field = *game->current();
  std::vector<int> board(100, -1);
  board[90] = board[91] = 2;
  ASSERT_TRUE(field.setBoard(10, 10, board));
  clickCell(rig, field, 90);
  ASSERT_TRUE(gameOverShown(rig));
  EXPECT_GT(game->score, 10000);
  EXPECT_EQ(game->shownScore(), game->score);
}

// Blocks that arrive in the tray during a fall the pause lets finish stay
// hidden with the rest.
TEST(FlowSinkraWindow, PausedRisingRowsShowNoBlocks) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  AMyGame* game = play(rig, kAdvancedRadio);
  ASSERT_TRUE(game);
  auto& rising = static_cast<SpaceSinkra::CSinkraGame&>(*game->current());
  rising.setRowTiming(300, 0);
  rising.newField();
  std::vector<int> board(80, -1);
  board[0] = 1;
  ASSERT_TRUE(rising.setBoard(10, 8, board));
  rising.startFall();
  rig.key(zb::vk::Pause);
  ASSERT_TRUE(game->paused());
  rig.run(300);
  ASSERT_TRUE(rising.anyMoving());
  ASSERT_GT(rising.trayFill(), 0);
  for (int s = 0; s < rising.trayFill(); ++s) {
    ASSERT_TRUE(rising.trayAt(s));
    EXPECT_FALSE(rising.trayAt(s)->clip->visible) << s;
  }
  EXPECT_FALSE(rising.grid().at(0) ? rising.grid().at(0)->clip->visible : false);
}

// What each variant reports to the game-over screen once it has ended.
TEST(FlowSinkraWindow, EachVariantReportsItsResult) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  struct Case {
    int radio;
    std::function<void(AMyGame&)> end;
    int result;
  } cases[] = {
      {kCollectorRadio, [](AMyGame& g) { g.current()->setBoard(10, 10, noGroups(10, 10)); }, 2},
      {kRemoverRadio, [](AMyGame& g) { g.current()->setBoard(10, 10, noGroups(10, 10)); }, 1},
      {kTurnRadio, [](AMyGame& g) { g.current()->setBoard(8, 8, noGroups(8, 8)); }, 2},
      {kAdvancedRadio,
       [](AMyGame& g) {
         auto& rising = static_cast<SpaceSinkra::CSinkraGame&>(*g.current());
         rising.setRowTiming(300, 0);
         rising.newField();
         rising.setBoard(10, 8, noGroups(10, 8));
       },
       2},
  };
  for (const Case& c : cases) {
    FlowRig rig;
    ASSERT_TRUE(rig.start());
    AMyGame* game = play(rig, c.radio);
    ASSERT_TRUE(game);
    EXPECT_EQ(game->gameResult(), 0);
    c.end(*game);
    ASSERT_TRUE(gameOverShown(rig)) << c.radio;
    EXPECT_EQ(game->gameResult(), c.result) << c.radio;
  }
}

// A press that ends a demo, or comes on the computer's turn, is no move.
TEST(FlowSinkraWindow, PressesOnTheComputersTurnOrInADemoAreNoMoves) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  AMyGame* game = play(rig, kTurnRadio);
  ASSERT_TRUE(game);
  auto& turn = static_cast<SpaceSinkra::CTurnGame&>(*game->current());
  std::vector<int> board = noGroups(8, 8);
  board[0] = board[1] = 4;
  ASSERT_TRUE(turn.setBoard(8, 8, board));
  OConfig state;
  turn.saveState(state);
  state.setInt("m_whoseTurn", 1);
  turn.loadState(state);
  ASSERT_EQ(turn.whoseTurn(), 1);
  CGlobal::instance().turnTimer = -100000;  // the computer holds back
  clickCell(rig, turn, 0);
  EXPECT_FALSE(turn.grid().exploding);
  EXPECT_EQ(turn.blockCount(), 64);

  game->startDemo(false);
  ASSERT_TRUE(game->demo());
  CGameField& demoField = *game->current();
  ASSERT_TRUE(demoField.setBoard(8, 8, board));
  CGlobal::instance().turnDemoTimer = -100000;
  clickCell(rig, demoField, 0);
  EXPECT_FALSE(game->demo());
  EXPECT_FALSE(demoField.grid().exploding);
  EXPECT_EQ(demoField.blockCount(), 64);
}

}  // namespace

namespace {

// The Classic variant through the window: its radio, the start level the
// options give, pause, the demo and the result.
TEST(FlowSinkraWindow, ClassicStartsAtTheChosenLevelAndEndsWon) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  AMyGame* game = play(rig, 6);
  ASSERT_TRUE(game);
  EXPECT_EQ(game->kind, 4);
  auto* classic = dynamic_cast<SpaceSinkra::CClassicSinkraGame*>(game->current());
  ASSERT_TRUE(classic);
  EXPECT_EQ(classic->levelIndex(), 0);
  int numbers[6];
  for (int o = 0; o < 6; ++o) numbers[o] = SpaceSinkra::ASinkraOptionsWnd::startLevelNumber(o);
  EXPECT_EQ(std::vector<int>(numbers, numbers + 6), (std::vector<int>{1, 5, 10, 15, 20, 25}));
  game->setStartLevelOption(2);
  rig.main()->newGameNeeded = true;
  rig.run(100);
  EXPECT_EQ(classic->levelIndex(), 9);
  EXPECT_EQ(classic->levelCaption()->text, "Level 10");
  ASSERT_TRUE(rig.playMoves(1));

  rig.key(zb::vk::Pause);
  rig.run(200);
  for (int i = 0; i < classic->grid().size(); ++i) {
    if (classic->grid().at(i)) {
      EXPECT_FALSE(classic->grid().at(i)->clip->visible) << i;
    }
  }
  rig.key(zb::vk::Pause);
  rig.run(100);

  game->startDemo(false);
  EXPECT_EQ(classic->levelIndex(), 0);  // the demo plays from the first level
  rig.run(20000);
  EXPECT_TRUE(game->demo());
  EXPECT_EQ(game->current(), classic);
  game->stopDemo(false);
  rig.main()->newGameNeeded = true;
  rig.run(100);

  const int w = classic->grid().width(), h = classic->grid().height();
  classic->setBoard(w, h, noGroups(w, h));
  ASSERT_TRUE(gameOverShown(rig));
  EXPECT_EQ(game->gameResult(), 2);
}

}  // namespace

namespace {

// "Yes" to the restart question of the family options takes the player
// straight back to the new game: the options do not rebuild their contents
// only to wait for them to fly off again, and the "Menu" text answers.
TEST(FlowSinkraWindow, YesToTheRestartQuestionLeavesTheOptionsAtOnce) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  AMyGame* game = play(rig, kRemoverRadio);
  ASSERT_TRUE(game);
  OEngine* options = game->optionsScreen();
  OClipButton* button = rig.main()->button(AMainWnd::kOptions);
  rig.click(int(button->x) + button->width / 2, int(button->y) + button->height / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == options; }));
  rig.settle();
  rig.click(options->x() + 60 + 15, options->y() + 105 + 15);  // the "Expert" box
  ASSERT_TRUE(rig.clickText("OK"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Restart); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("Yes"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == options; }));
  int frames = 0;
  for (; rig.current() == options && frames < 200; ++frames) rig.run(30);
  EXPECT_LE(frames, 3);
  ASSERT_TRUE(rig.waitPlaying(3000));
  rig.run(600);
  EXPECT_EQ(game->level, 1);
  EXPECT_EQ(game->current()->grid().explodingCount(), 0);
  EXPECT_EQ(CGlobal::instance().score, 0);
  const AClipString* menu = rig.main()->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  EXPECT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }, 1500));
}

}  // namespace
