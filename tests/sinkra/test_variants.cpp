#include <gtest/gtest.h>

#include "platform/Random.h"
#include "sinkra/CCollectorGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "sinkra/CRemoverGame.h"
#include "sinkra/CTurnGame.h"
#include "storage/OConfig.h"
#include "tests/sinkra/SinkraTestSupport.h"

using namespace SpaceSinkra;
using sinkratest::colours;
using sinkratest::rows;

namespace {

int score() { return CGlobal::instance().score; }

template <class Game>
class Variant : public ::testing::Test {
protected:
  void SetUp() override { rig.attach(game); }
  void set(const std::vector<std::string>& r) {
    int w = static_cast<int>(r[0].size()), h = static_cast<int>(r.size());
    ASSERT_TRUE(game.setup(w, h));
    game.newField();
    ASSERT_TRUE(game.setBoard(w, h, colours(r)));
    rig.host.effects.clear();
  }
  sinkratest::Rig rig;
  Game game;
};

using Collector = Variant<CCollectorGame>;
using Remover = Variant<CRemoverGame>;
using TurnPlay = Variant<CTurnGame>;

}  // namespace

TEST_F(Collector, ScoresGrowWithTheCubeOfTheGroup) {
  EXPECT_EQ(CCollectorGame::scoreFor(2), 2);
  EXPECT_EQ(CCollectorGame::scoreFor(3), 9);
  EXPECT_EQ(CCollectorGame::scoreFor(10), 333);
  set({"0011",
       "2221",
       "3333",
       "3333",
       "5335"});
  EXPECT_EQ(game.hover(0), 2);
  EXPECT_EQ(game.preview()->value, 2);
  EXPECT_EQ(rig.host.count(12), 1);
  game.click(0);
  EXPECT_EQ(score(), 2);
  EXPECT_EQ(game.preview()->value, 0);
  rig.settle(game);
  EXPECT_EQ(rows(game)[1], "2221");
  game.click(4);  // the 2s
  EXPECT_EQ(score(), 2 + 9);
  rig.settle(game);
  game.click(game.grid().size() - 2);  // the ten 3s
  EXPECT_EQ(score(), 2 + 9 + 333);
  // A single block scores nothing and stays.
  rig.settle(game);
  int blocks = game.blockCount();
  game.click(game.grid().size() - 4);
  rig.settle(game);
  EXPECT_EQ(game.blockCount(), blocks);
  EXPECT_EQ(score(), 344);
}

TEST_F(Collector, ScoresStopAtTheLargestIntInsteadOfWrapping) {
  set({"00", "12"});
  CGlobal::instance().score = 2147483600;
  game.click(0);
  EXPECT_EQ(score(), 2147483602);
  CGlobal::addPoints(CGlobal::instance().score, 1000);
  EXPECT_EQ(score(), 2147483647);
  // The largest board's full group still fits.
  int side = CGameMap::kMaxSide;
  EXPECT_GT(CCollectorGame::scoreFor(side * side), 0);
}

TEST_F(Collector, EndsWhenNoGroupIsLeft) {
  set({"01",
       "20"});
  EXPECT_EQ(game.result(), 0);
  game.update(15);
  EXPECT_TRUE(game.finished);
  EXPECT_EQ(game.result(), 2);
  game.update(15);
  EXPECT_FALSE(game.finished);  // the flag stays one update
  EXPECT_EQ(CGlobal::instance().caption()->text, "for this\nblock");
}

TEST_F(Collector, ThePreviewHasRoomForTheLargestGroup) {
  std::vector<std::string> board(15, std::string(15, '1'));
  for (int r = 0; r < 15; r += 2) board[size_t(r)] = "012012012012012";
  set(board);
  ASSERT_GE(rig.host.lastDigits, 7);  // the whole board as one group: 1,265,625
  int cell = 15;  // the odd rows, joined through the 1s of the rows between
  int n = game.groupSize(cell);
  ASSERT_GT(n, 66);
  game.hover(cell);
  EXPECT_EQ(game.preview()->value, CCollectorGame::scoreFor(n));
  EXPECT_GE(CCollectorGame::scoreFor(n), 100000);
}

// The computer's pick on a board at rest: the first cell of the largest
// group; a group of 2 or 3 is taken from the bottom instead.
TEST_F(Collector, TheDemoPlayerTakesTheLargestGroupAndSmallOnesFromTheBottom) {
  set({"0003",
       "1113"});
  game.startDemo();
  game.update(15);
  EXPECT_TRUE(game.grid().at(4)->exploding);  // the lower of the two groups of 3
  EXPECT_FALSE(game.grid().at(0)->exploding);

  set({"0001",
       "0221",
       "3341"});
  game.startDemo();
  game.update(15);
  EXPECT_TRUE(game.grid().at(0)->exploding);  // four of colour 0
  EXPECT_FALSE(game.grid().at(3)->exploding);
}

TEST_F(Remover, ClearingTheBoardInFewMovesEarnsABonus) {
  EXPECT_EQ(CRemoverGame::clearBonus(100, 30), 5500);
  EXPECT_EQ(CRemoverGame::clearBonus(100, 40), 0);
  EXPECT_EQ(CRemoverGame::clearBonus(100, 45), 0);
  EXPECT_EQ(CRemoverGame::clearBonus(100, 39), 100);

  // A 10 x 10 board of one colour, 29 moves already made: the 30th clears it.
  std::vector<std::string> full(10, "0000000000");
  for (int moves : {29, 39}) {
    set(full);
    OConfig saved;
    game.saveState(saved);
    saved.setInt("stepsCount", moves);
    game.loadState(saved);
    rig.settle(game);  // loading recomputes the fall
    ASSERT_EQ(game.moves(), moves);
    CGlobal::instance().score = 0;
    game.hover(0);
    EXPECT_EQ(game.preview()->value, 10000);
    game.click(0);
    EXPECT_EQ(game.moves(), moves + 1);
    EXPECT_EQ(score(), 10000);
    rig.settle(game);
    game.update(15);
    ASSERT_TRUE(game.finished);
    EXPECT_EQ(game.result(), 2);
    EXPECT_EQ(score(), moves == 29 ? 15500 : 10000);
    EXPECT_EQ(game.floatingNumbers().size(), moves == 29 ? 1u : 0u);
  }
}

TEST_F(Remover, BlocksLeftGiveNoBonus) {
  set({"001",
       "234"});
  game.click(3);  // a single block: nothing
  EXPECT_EQ(game.moves(), 0);
  EXPECT_EQ(score(), 0);
  game.click(0);
  EXPECT_EQ(score(), 200);
  EXPECT_EQ(game.moves(), 1);
  rig.settle(game);
  game.update(15);
  EXPECT_TRUE(game.finished);
  EXPECT_EQ(game.result(), 1);
  EXPECT_EQ(score(), 200);
  OConfig saved;
  game.saveState(saved);
  EXPECT_EQ(saved.getInt("stepsCount", -1), 1);
}

TEST_F(TurnPlay, OnlyGroupsInTheSeriesMayBeTaken) {
  set({"0001",
       "2231",
       "4567"});
  EXPECT_EQ(game.series(), 2);
  EXPECT_EQ(game.currentSeries(), 2);
  game.hover(0);  // a group of three: outside the series
  EXPECT_FALSE(game.grid().highlightActive);
  game.click(0);
  EXPECT_FALSE(game.grid().exploding);
  EXPECT_EQ(game.hover(4), 2);
  EXPECT_TRUE(game.grid().highlightActive);
  game.click(4);
  EXPECT_TRUE(game.grid().exploding);
  EXPECT_EQ(score(), 2);
  EXPECT_EQ(game.currentSeries(), 3);
  // While blocks fall a legal click does nothing.
  for (int i = 0; i < 500 && !game.grid().normalizing; ++i) rig.run(game, 1);
  ASSERT_TRUE(game.grid().normalizing);
  game.setTurnState(3, 2, 0);
  game.click(2);
  EXPECT_FALSE(game.grid().exploding);
  EXPECT_EQ(score(), 2);
}

TEST_F(TurnPlay, TurnPassesStraightBackAfterADoubleRest) {
  // Taking the 0s leaves no group at all: the computer has nothing either,
  // so the turn comes straight back with the series raised.
  set({"1212",
       "0034"});
  game.click(4);
  rig.settle(game);
  EXPECT_EQ(rows(game), (std::vector<std::string>{"..12", "1234"}));
  EXPECT_EQ(game.whoseTurn(), 0);
  EXPECT_EQ(game.series(), 3);
  EXPECT_EQ(game.currentSeries(), 2);
}

TEST_F(TurnPlay, TurnStaysWhileALargerGroupIsLegal) {
  set({"1113",
       "0023",
       "4523"});
  game.setTurnState(3, 2, 0);
  game.click(4);  // the pair of 0s
  rig.settle(game);
  EXPECT_EQ(game.whoseTurn(), 0);  // the 1s (three) may follow
  EXPECT_EQ(game.currentSeries(), 3);
}

TEST_F(TurnPlay, GroupsAboveTheSeriesEndTheGame) {
  set({"000011"});
  // Only a group of four and a pair of 1s; after the pair the computer
  // hands the turn back (series 3), and the four 0s are still too many.
  EXPECT_FALSE(game.hasNoMoves());
  game.setTurnState(2, 2, 1);
  game.opponentMove();
  EXPECT_TRUE(game.grid().exploding);
  rig.settle(game);
  EXPECT_EQ(game.series(), 3);
  EXPECT_EQ(game.whoseTurn(), 0);
  EXPECT_TRUE(game.hasNoMoves());
  EXPECT_EQ(game.compScores(), 2);
  game.update(15);
  EXPECT_TRUE(game.finished);
  game.setTurnState(2, 2, 1);
  game.opponentMove();  // nothing of size 2: the series minimum rises instead
  EXPECT_EQ(game.currentSeries(), 3);
  EXPECT_FALSE(game.grid().exploding);
}

TEST_F(TurnPlay, EqualScoresGoToThePlayer) {
  set({"01",
       "23"});
  OConfig saved;
  game.saveState(saved);
  saved.setInt("m_compScores", 9);
  saved.setInt("scores", 9);
  game.loadState(saved);
  rig.settle(game);
  EXPECT_EQ(game.compScores(), 9);
  game.update(15);
  ASSERT_TRUE(game.finished);
  EXPECT_EQ(score(), 18);
  EXPECT_EQ(game.compScores(), 0);
  EXPECT_EQ(game.compScoreNumber()->value, 0);
  EXPECT_EQ(game.result(), 2);
  EXPECT_EQ(game.turnCaption()->text, "  ");
}

TEST_F(TurnPlay, TheComputerWaitsASecondBetweenMoves) {
  set({"0012",
       "3456"});
  game.setTurnState(2, 2, 1);
  game.update(500);
  game.update(500);
  EXPECT_FALSE(game.grid().exploding);  // exactly 1000: not yet
  game.update(1);
  EXPECT_TRUE(game.grid().exploding);
  EXPECT_EQ(game.compScores(), 2);
  EXPECT_EQ(game.compScoreNumber()->value, 2);
  EXPECT_EQ(game.turnCaption()->text, "Computer\n2-2 blocks");
}

TEST_F(TurnPlay, RandomlyDamagedStatesNeverBreakTheGame) {
  set({"0012",
       "3455",
       "1230"});
  game.setTurnState(3, 2, 1);
  OConfig good;
  game.saveState(good);
  zb::seedRandom(78);
  sinkratest::reloadDamaged(rig, game, good, 300);
}

TEST_F(TurnPlay, StateRoundTripAndRefusal) {
  set({"0012",
       "3455"});
  game.setTurnState(4, 3, 1);
  OConfig saved;
  game.saveState(saved);
  CTurnGame other;
  rig.attach(other);
  other.loadState(saved);
  EXPECT_EQ(other.series(), 4);
  EXPECT_EQ(other.currentSeries(), 3);
  EXPECT_EQ(other.whoseTurn(), 1);
  EXPECT_EQ(rows(other), rows(game));
  OConfig missing = saved;
  missing.clearAll();
  missing.setInt("m_series", 2);
  other.loadState(missing);  // untouched
  EXPECT_EQ(other.blockCount(), 8);
  OConfig bad = saved;
  bad.setInt("m_whoseTurn", 7);
  other.loadState(bad);
  EXPECT_EQ(other.blockCount(), 0);
}
