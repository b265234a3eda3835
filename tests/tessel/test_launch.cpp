#include <gtest/gtest.h>

#include "tests/tessel/TesselTestSupport.h"

using namespace SpaceTessel;
using tesseltest::boardRows;
using tesseltest::setBoard;

namespace {

class Launch : public ::testing::Test {
protected:
  void shoot(int side, int row, int column, int color) {
    board.currentColorUp = board.currentColorDown = board.currentColorLeft = board.currentColorRight = color;
    ASSERT_TRUE(board.Shoot(side, row, column));
    rig.settle(board);
    ASSERT_EQ(rig.check(board), "");
  }

  tesseltest::Rig rig;
  AGameField board{rig.engine.get(), 1, 0};
};

}  // namespace

TEST_F(Launch, FliesToTheFirstCubePushesItWhenFreeBehindAndLandsBehindIt) {
  setBoard(board, {"...........",
                   "...........",
                   "..1........",
                   "..2........",
                   ".3.........",
                   "...........",
                   "...........",
                   "....4...2..",
                   ".5.........",
                   ".........6.",
                   "....1......"});
  shoot(kSideUp, 0, 3, 5);     // hits (3,3), (4,3) taken: no push
  shoot(kSideUp, 0, 3, 4);     // lands on the first inner cell
  shoot(kSideDown, 13, 2, 4);  // pushes (9,2) up to (6,2), lands at (7,2)
  shoot(kSideRight, 10, 13, 2);  // pushes (10,10) to (10,1), lands at (10,2)
  shoot(kSideLeft, 8, 0, 3);   // hits (8,5), (8,6) free: pushed on to (8,8)
  shoot(kSideUp, 0, 11, 6);    // empty column: lands on the far cell
  EXPECT_EQ(boardRows(board), (std::vector<std::string>{"..4........",
                                                         "..5........",
                                                         "..1........",
                                                         "..2........",
                                                         ".3.........",
                                                         ".5.........",
                                                         ".4.........",
                                                         "......342..",
                                                         "...........",
                                                         "62.........",
                                                         "....1.....6"}));
  EXPECT_EQ(board.Count, 12 - 6);  // six misses
  // The line is blocked at the ring: no launch, nothing changes.
  EXPECT_FALSE(board.CanShoot(kSideUp, 0, 3));
  EXPECT_FALSE(board.Shoot(kSideUp, 0, 3));
  EXPECT_FALSE(board.moveBusy);
  // Lines outside 1..11 and mismatched ring coordinates are refused.
  EXPECT_FALSE(board.Shoot(kSideUp, 0, 12));
  EXPECT_FALSE(board.Shoot(kSideLeft, 5, 13));
  // A side offering no colour (a damaged record) launches nothing.
  board.currentColorDown = 0;
  EXPECT_FALSE(board.Shoot(kSideDown, 13, 9));
}

TEST_F(Launch, GroupsOfFourAndFiveScoreAndVanish) {
  setBoard(board, {"2..........",
                   "...........",
                   "...........",
                   "...........",
                   "........2..",
                   "........2..",
                   "........2..",
                   ".........23",
                   "3..........",
                   "1..........",
                   "....111...."});
  shoot(kSideUp, 0, 6, 1);  // lands on (10,6) over three 1s: a group of 4
  EXPECT_EQ(board.Score, 100);
  EXPECT_EQ(board.ColorAt(11, 5), 0);
  EXPECT_EQ(board.ColorAt(10, 1), 1);
  EXPECT_EQ(board.Count, 12);  // not a miss
  // A shot from the left stops at (8,9) under the column of three and
  // beside (8,10): five.
  shoot(kSideLeft, 8, 0, 2);
  EXPECT_EQ(board.Score, 250);
  EXPECT_EQ(board.CubeCount(), 4);
  EXPECT_TRUE(board.scoreChanged);
  rig.settle(board);
  EXPECT_TRUE(board.DyingCubes().empty());
  EXPECT_TRUE(shared().noDyingCubes);
}

TEST_F(Launch, PushedCubeCompletesItsOwnGroupAndScoresSeparately) {
  setBoard(board, {"...........",
                   "...........",
                   "..1........",
                   "...........",
                   "...........",
                   "...........",
                   "...........",
                   ".2.........",
                   ".2.........",
                   ".2.1......2",
                   ".1.1......1"});
  // Colour 2 hits (3,3), pushes it down to (11,3) where it joins three
  // 1s; the shot lands at (10,3) beside three 2s. Both groups score.
  shoot(kSideUp, 0, 3, 2);
  EXPECT_EQ(board.Score, 200);
  EXPECT_EQ(board.CubeCount(), 2);
  // A cube on the far inner cell has the empty ring behind it: it counts as
  // pushed, so a group of 4 it already sat in (dropped by a batch) goes too.
  setBoard(board, {"1..........", "...........", "...........", "...........", "...........",
                   "...........", "...........", "...........", "........1..", "........1..",
                   "........113"});
  shoot(kSideUp, 0, 10, 2);
  EXPECT_EQ(board.Score, 300);
  EXPECT_EQ(board.Count, 12);
  EXPECT_EQ(boardRows(board)[10], "..........3");
}

TEST_F(Launch, LastCubesOfAColourDoubleTheScoreBeforeTheirPoints) {
  for (int level = 0; level < 3; ++level) {
    AGameField b(rig.engine.get(), 1, level);
    setBoard(b, {"...........", "...........", "...........", "...........", "...........",
                 "2..........", "...........", "...........", "...........", "...........",
                 "....111...."});
    b.Score = 1000;
    int forLevel = b.maxcountforlevel;
    shared().newCubesNeeded = false;
    rig.sounds.clear();
    b.currentColorUp = 1;
    ASSERT_TRUE(b.Shoot(kSideUp, 0, 6));
    rig.settle(b);
    EXPECT_EQ(b.Score, 2100);  // 1000 doubled, then the group's 100
    EXPECT_FALSE(b.colorAvailable[1]);
    EXPECT_EQ(b.NewCubes, 4 + 2 * (level + 1));
    EXPECT_EQ(b.maxcountforlevel, forLevel - 1);
    EXPECT_TRUE(shared().newCubesNeeded);
    EXPECT_EQ(rig.sounds, (std::vector<int>{kSoundLaunch, kSoundGroup, kSoundColorGone, kSoundInterval}));
    // The colour out of play is offered no more.
    EXPECT_NE(b.nextColorUp, 1);
    EXPECT_EQ(b.RandomColor(), 2);
    // One colour left: the attempts start counting.
    EXPECT_EQ(b.FinalCount, b.Count);
  }
}
