#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>

#include "sinkra/CBetweenLevelsGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "tests/game/GameTestSupport.h"

namespace {

using SpaceSinkra::CBetweenLevelsGame;
using SpaceSinkra::CGlobal;

struct BonusFixture : ::testing::Test {
  BonusFixture() {
    CGlobal::instance().reset();
    CGlobal::instance().beginGame(0);
    game.attach(board.screen.get(), {}, {}, 10, 10, 580, 580);
  }
  ~BonusFixture() override { game.clear(); }

  // Runs the 3 s intro so the board is dealt.
  void deal() {
    game.update(3001);
    ASSERT_FALSE(game.intro());
  }
  void clearBoard() {
    for (int i = 0; i < game.grid().size(); ++i) {
      std::unique_ptr<SpaceSinkra::CPiece> piece = game.grid().take(i);
      if (piece && piece->clip) board.screen->removeClip(piece->clip.get(), false);
    }
  }

  gametest::Board board;
  CBetweenLevelsGame game;
};

TEST(BetweenLevelsPatterns, TileShapes) {
  // Pattern 2: one cell at the top of the third column, two in the fourth.
  EXPECT_TRUE(CBetweenLevelsGame::patternCell(2, 2, 0));
  EXPECT_FALSE(CBetweenLevelsGame::patternCell(2, 2, 1));
  EXPECT_TRUE(CBetweenLevelsGame::patternCell(2, 3, 1));
  EXPECT_FALSE(CBetweenLevelsGame::patternCell(2, 0, 0));
  // Pattern 3: the 2 x 2 square at the bottom of the first two columns.
  EXPECT_TRUE(CBetweenLevelsGame::patternCell(3, 1, 2));
  EXPECT_FALSE(CBetweenLevelsGame::patternCell(3, 1, 0));
  EXPECT_FALSE(CBetweenLevelsGame::patternCell(3, 2, 2));
  // Patterns 6 and 7: column k holds its top k + 1 cells.
  for (int p : {6, 7}) {
    EXPECT_TRUE(CBetweenLevelsGame::patternCell(p, 0, 0));
    EXPECT_FALSE(CBetweenLevelsGame::patternCell(p, 0, 1));
    EXPECT_TRUE(CBetweenLevelsGame::patternCell(p, 3, 2));
  }
  EXPECT_TRUE(CBetweenLevelsGame::patternCell(4, 3, 0));
  EXPECT_TRUE(CBetweenLevelsGame::patternCell(5, 0, 2));
}

TEST_F(BonusFixture, DealsAFullTwoColourTiledBoardAfterTheIntro) {
  CGlobal::instance().score = 700;
  ASSERT_TRUE(game.start(10, 10, 4, 10, 1.0, 5, 20000));
  EXPECT_TRUE(game.intro());
  EXPECT_EQ(game.blockCount(), 0);
  game.update(2999);
  EXPECT_TRUE(game.intro());
  deal();
  EXPECT_EQ(game.blockCount(), 100);
  EXPECT_EQ(game.scoreBefore(), 700);
  EXPECT_EQ(CGlobal::instance().score, 0);
  for (int i = 0; i < 100; ++i) {
    ASSERT_NE(game.grid().at(i), nullptr);
    EXPECT_LT(game.grid().at(i)->colour, 4);
  }
  EXPECT_TRUE(game.centreClosing());
}

TEST_F(BonusFixture, RefusesABoardTheGridCannotTake) {
  EXPECT_FALSE(game.start(0, 10, 4, 10, 1.0, 5, 20000));
}

TEST_F(BonusFixture, ClearingWithTimeLeftDoublesTheBonusPoints) {
  ASSERT_TRUE(game.start(8, 6, 3, 10, 1.0, 5, 5000));
  deal();
  CGlobal::instance().score = 120;
  clearBoard();
  game.update(30);
  EXPECT_TRUE(game.outro());
  EXPECT_FALSE(game.failureShown());
  EXPECT_EQ(CGlobal::instance().score, 240);
  EXPECT_EQ(game.floatingCount(), 1u);
}

TEST_F(BonusFixture, ClearingAtZeroTimeLeftFails) {
  ASSERT_TRUE(game.start(8, 6, 3, 10, 1.0, 5, 3030));
  deal();
  CGlobal::instance().score = 120;
  clearBoard();
  game.update(3030);  // time left reaches exactly 0
  EXPECT_TRUE(game.outro());
  EXPECT_TRUE(game.failureShown());
  EXPECT_EQ(CGlobal::instance().score, 120);
}

TEST_F(BonusFixture, OutroEndsTheGameAndGivesBackTheEarlierScore) {
  CGlobal::instance().score = 1000;
  ASSERT_TRUE(game.start(8, 6, 3, 10, 1.0, 5, 100));
  deal();
  EXPECT_FALSE(game.hasNoMoves());
  game.update(200);  // time runs out with blocks left
  EXPECT_TRUE(game.outro());
  EXPECT_TRUE(game.failureShown());
  game.update(3001);
  EXPECT_TRUE(game.finished);
  EXPECT_FALSE(game.failureShown());
  EXPECT_EQ(CGlobal::instance().score, 1000);
  // The end signal waits for the board to come to rest.
  for (int i = 0; i < 200 && !game.hasNoMoves(); ++i) game.update(30);
  EXPECT_TRUE(game.hasNoMoves());
}

TEST_F(BonusFixture, GroupsBelowThreeNeitherScoreNorExplode) {
  ASSERT_TRUE(game.start(4, 3, 2, 10, 1.0, 100, 20000));
  deal();
  // Lay out a known board: a pair of colour 0 and the rest colour 1.
  clearBoard();
  for (int i = 0; i < 12; ++i) {
    auto piece = std::make_unique<SpaceSinkra::CPiece>(i == 0 || i == 1 ? 0 : 1);
    game.grid().put(i, std::move(piece));
  }
  CGlobal::instance().score = 0;
  game.click(0);
  EXPECT_FALSE(game.grid().exploding);
  EXPECT_EQ(CGlobal::instance().score, 0);
  game.click(5);  // ten blocks of colour 1: 2 x 10 below the bonus size
  EXPECT_TRUE(game.grid().exploding);
  EXPECT_EQ(CGlobal::instance().score, 20);
}

}  // namespace

namespace {

TEST_F(BonusFixture, UndoRebuildsChangedCellsFromTheNewestSnapshot) {
  ASSERT_TRUE(game.start(4, 3, 3, 10, 1.0, 5, 20000));
  deal();
  std::vector<int> before;
  for (int i = 0; i < 12; ++i) before.push_back(game.grid().at(i)->colour);
  game.pushUndo();
  // Empty two cells and recolour a third.
  for (int cell : {0, 5}) {
    auto piece = game.grid().take(cell);
    board.screen->removeClip(piece->clip.get(), false);
  }
  game.grid().at(7)->colour = (before[7] + 1) % 3;
  size_t clipsBefore = board.screen->clips().size();
  game.undo();
  for (int i = 0; i < 12; ++i) {
    ASSERT_NE(game.grid().at(i), nullptr) << i;
    EXPECT_EQ(game.grid().at(i)->colour, before[i]) << i;
  }
  // Rebuilt blocks are on the screen again; the recoloured one was replaced.
  EXPECT_EQ(board.screen->clips().size(), clipsBefore + 2);
  // The snapshot was used up: a second undo changes nothing.
  game.grid().at(3)->colour = 2;
  game.undo();
  EXPECT_EQ(game.grid().at(3)->colour, 2);
}

}  // namespace

namespace {

TEST_F(BonusFixture, TenByTenIsCutIntoTilesOfTwoNeighbouringColours) {
  ASSERT_TRUE(game.start(10, 10, 6, 10, 1.0, 5, 20000));
  deal();
  ASSERT_EQ(game.blockCount(), 100);
  // Three tile columns (the last two columns wide), four tile rows (the
  // last one row high): each tile holds its colour and the next one.
  for (int tc = 0; tc < 3; ++tc) {
    for (int tr = 0; tr < 4; ++tr) {
      std::set<int> seen;
      for (int row = tr * 3; row < std::min(10, tr * 3 + 3); ++row)
        for (int col = tc * 4; col < std::min(10, tc * 4 + 4); ++col) seen.insert(game.grid().at(col + row * 10)->colour);
      ASSERT_LE(seen.size(), 2u) << tc << "," << tr;
      if (seen.size() == 2) {
        int a = *seen.begin(), b = *seen.rbegin();
        EXPECT_TRUE(b == a + 1 || (a == 0 && b == 5)) << tc << "," << tr;
      }
    }
  }
}

TEST_F(BonusFixture, ABoardWithoutMovesExplodesAndFails) {
  ASSERT_TRUE(game.start(4, 3, 3, 10, 1.0, 5, 20000));
  deal();
  clearBoard();
  for (int i = 0; i < 12; ++i) {
    auto piece = std::make_unique<SpaceSinkra::CPiece>((i % 4 + i / 4) % 3);
    game.grid().put(i, std::move(piece));
  }
  game.update(30);
  EXPECT_TRUE(game.grid().exploding);
  EXPECT_EQ(game.grid().explodingCount(), 12);
  EXPECT_TRUE(game.outro());
  EXPECT_TRUE(game.failureShown());
}

}  // namespace

namespace {

// Bonus boards take groups of three or more: a board of pairs is over, for
// the player and for the demo player, without waiting out its time.
TEST_F(BonusFixture, ABoardOfPairsIsOverForThePlayerAndTheDemo) {
  for (bool demo : {false, true}) {
    ASSERT_TRUE(game.start(4, 3, 3, 10, 1.0, 5, 20000));
    deal();
    if (demo) game.startDemo();
    clearBoard();
    const int colours[12] = {0, 0, 1, 1, 2, 2, 0, 0, 1, 1, 2, 2};
    for (int i = 0; i < 12; ++i) game.grid().put(i, std::make_unique<SpaceSinkra::CPiece>(colours[i]));
    CGlobal::instance().demoTimer = 100000;  // the demo player is due at once
    game.update(30);
    EXPECT_EQ(game.grid().explodingCount(), 12) << demo;
    EXPECT_TRUE(game.outro()) << demo;
    EXPECT_TRUE(game.failureShown()) << demo;
    game.clear();
  }
}

TEST_F(BonusFixture, PointsStopAtTheLargestIntInsteadOfWrapping) {
  constexpr int kTop = std::numeric_limits<int>::max();
  CGlobal& g = CGlobal::instance();
  g.score = kTop - 5;  // the Classic score the bonus board adds to at its end
  ASSERT_TRUE(game.start(4, 3, 2, 10, 1.0, 100, 20000));
  deal();
  clearBoard();
  for (int i = 0; i < 12; ++i) game.grid().put(i, std::make_unique<SpaceSinkra::CPiece>(1));
  g.score = kTop - 1;
  game.click(0);
  EXPECT_EQ(g.score, kTop);
  clearBoard();
  game.update(30);  // cleared with time left: the points double
  ASSERT_TRUE(game.outro());
  EXPECT_EQ(g.score, kTop);
  game.update(3001);  // the outro gives back the score from before
  ASSERT_TRUE(game.finished);
  EXPECT_EQ(g.score, kTop);
}

}  // namespace
