#include <gtest/gtest.h>

#include <sstream>

#include "platform/Random.h"
#include "tests/tessel/TesselTestSupport.h"

using namespace SpaceTessel;
using tesseltest::boardRows;
using tesseltest::setBoard;

namespace {

// A board without a screen; misses land cubes in a pattern where no two
// neighbours share a colour, so no launch ever removes anything.
class Misses : public ::testing::Test {
protected:
  void SetUp() override {
    shared().reset();
    zb::seedRandom(99);
  }
  void TearDown() override { shared().reset(); }
  // One missed launch; true when it made a batch due.
  bool miss(AGameField& b) {
    int k = shots++;
    int color = k % 3 + 1;
    b.currentColorUp = color;
    EXPECT_TRUE(b.Shoot(kSideUp, 0, k % 11 + 1));
    for (int i = 0; i < 100 && b.moveBusy; ++i) b.Update(30);
    bool due = shared().newCubesNeeded;
    shared().newCubesNeeded = false;
    return due;
  }
  int shots = 0;
};

}  // namespace

TEST_F(Misses, BatchOnTheMissAfterMaxcountAndIntervalsShrinkThenFallBack) {
  AGameField b(nullptr, 0, 0);
  EXPECT_EQ(b.Count, 12);
  for (int k = 1; k <= 12; ++k) {
    ASSERT_FALSE(miss(b)) << k;
    EXPECT_EQ(b.Count, 12 - k);
  }
  EXPECT_TRUE(miss(b));  // the 13th
  EXPECT_EQ(b.maxcount, 11);
  EXPECT_EQ(b.Count, 11);
  EXPECT_TRUE(b.maxcountChanged);
  // Interval 1 with a fallback of 5: miss, batch; then maxcount 0 drops a
  // batch on every miss until it falls back below 0.
  b.maxcount = b.Count = 1;
  b.maxcountforlevel = 5;
  EXPECT_FALSE(miss(b));
  EXPECT_TRUE(miss(b));
  EXPECT_EQ(b.maxcount, 0);
  EXPECT_EQ(b.Count, 0);
  EXPECT_TRUE(miss(b));
  EXPECT_EQ(b.maxcount, 5);
  EXPECT_EQ(b.Count, 5);
  // A fallback of 0 keeps maxcount at 0: every miss is a batch.
  b.maxcount = b.Count = 0;
  b.maxcountforlevel = 0;
  for (int k = 0; k < 3; ++k) {
    EXPECT_TRUE(miss(b));
    EXPECT_EQ(b.maxcount, 0);
  }
}

TEST_F(Misses, SuccessfulLaunchesDoNotRefillTheCount) {
  AGameField b(nullptr, 1, 2);  // a batch on the 5th miss
  setBoard(b, {"...........", "...........", "...........", "...........", "...........",
               "1.2.3.....4", "...........", "...........", "........4..", "........4..",
               "........4.."});
  EXPECT_FALSE(miss(b));
  EXPECT_FALSE(miss(b));
  b.currentColorUp = 4;
  ASSERT_TRUE(b.Shoot(kSideUp, 0, 9));
  for (int i = 0; i < 100 && b.moveBusy; ++i) b.Update(30);
  EXPECT_EQ(b.Score, 100);
  EXPECT_EQ(b.Count, 2);
  EXPECT_FALSE(miss(b));
  EXPECT_FALSE(miss(b));
  EXPECT_TRUE(miss(b));
}

TEST_F(Misses, WithOneColourLeftTheAttemptsRunOutAndEndTheGame) {
  AGameField b(nullptr, 1, 0);
  setBoard(b, {"...........", "...........", "...........", "...........", "...........",
               "...........", "...........", "...........", "...........", "1.........2",
               "1.........2"});
  b.Count = 2;
  b.currentColorUp = 2;
  b.SetCell(9, 11, 2);
  ASSERT_TRUE(b.Shoot(kSideUp, 0, 11));  // the last 2s go
  for (int i = 0; i < 100 && b.moveBusy; ++i) b.Update(30);
  ASSERT_EQ(b.AvailableColors(), 1);
  EXPECT_EQ(b.FinalCount, 2);
  EXPECT_FALSE(b.IsFinished());
  miss(b);
  miss(b);
  EXPECT_EQ(b.FinalCount, 0);
  EXPECT_FALSE(b.IsFinished());
  miss(b);
  EXPECT_EQ(b.FinalCount, -1);
  EXPECT_TRUE(b.IsFinished());
}

TEST_F(Misses, ABatchFillsAtMostTheFreeCellsAndItsRecordReplaysExactly) {
  AGameField b(nullptr, 1, 0);
  std::vector<std::string> rows(11, "11111111111");
  rows[0] = "1.1.1.11111";  // three free cells
  setBoard(b, rows);
  b.colorAvailable[2] = b.colorAvailable[3] = true;
  b.NewCubes = 10;
  shared().newCubesNeeded = true;
  std::vector<int> record;
  b.AddNewCubes(&record);
  EXPECT_EQ(b.CubeCount(), 121);
  EXPECT_FALSE(shared().newCubesNeeded);
  ASSERT_EQ(record.size(), 1u + 3 * 3);
  EXPECT_EQ(record[0], 3);  // the count says how many follow
  EXPECT_EQ(b.NewCubes, 10);

  // Replaying the record on the board as it was gives the same board.
  AGameField again(nullptr, 1, 0);
  setBoard(again, rows);
  std::ostringstream text;
  for (int v : record) text << v << ' ';
  std::istringstream in(text.str() + "7 ");
  ASSERT_TRUE(again.ReplayNewCubes(in));
  EXPECT_EQ(boardRows(again), boardRows(b));
  int next = 0;
  in >> next;
  EXPECT_EQ(next, 7);  // the stream stands right after the batch

  // A text cut inside the batch places nothing.
  AGameField cut(nullptr, 1, 0);
  setBoard(cut, rows);
  std::istringstream shortText("3 1 2 1 1 4 ");
  EXPECT_FALSE(cut.ReplayNewCubes(shortText));
  EXPECT_EQ(boardRows(cut), rows);
}

TEST_F(Misses, AHugeBatchRenewsTheWholeInteriorAndReplays) {
  AGameField b(nullptr, 3, 1);
  b.FillCheckerboard();
  b.NewCubes = 128;
  std::vector<int> record;
  b.AddNewCubes(&record);
  EXPECT_EQ(b.CubeCount(), 121);
  ASSERT_EQ(record.size(), 1u + 121 * 3);
  EXPECT_EQ(record[0], 121);
  AGameField again(nullptr, 3, 1);
  again.FillCheckerboard();
  std::ostringstream text;
  for (int v : record) text << v << ' ';
  std::istringstream in(text.str());
  ASSERT_TRUE(again.ReplayNewCubes(in));
  EXPECT_EQ(boardRows(again), boardRows(b));
}
