#include <gtest/gtest.h>

#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "sinkra/CSinkraGame.h"
#include "tests/sinkra/SinkraTestSupport.h"

using namespace SpaceSinkra;
using sinkratest::colours;

namespace {

class BoardRules : public ::testing::Test {
protected:
  void SetUp() override { rig.attach(game); }
  void set(const std::vector<std::string>& r) {
    int w = static_cast<int>(r[0].size()), h = static_cast<int>(r.size());
    ASSERT_TRUE(game.setup(w, h));
    game.newField();
    ASSERT_TRUE(game.setBoard(w, h, colours(r)));
    rig.host.effects.clear();
  }
  int score() const { return CGlobal::instance().score; }

  sinkratest::Rig rig;
  CSinkraGame game;
};

}  // namespace

// A special block between two single blocks of different colours joins the
// group found first; the second block is then alone and stays.
TEST_F(BoardRules, GroupSpecialLetsASharedSpecialJoinOneGroupOnly) {
  set({"0a1",
       "2g3",
       "445"});
  game.hover(4);
  EXPECT_FALSE(game.grid().at(2)->highlighted);
  EXPECT_TRUE(game.grid().at(0)->highlighted);
  game.click(4);
  EXPECT_EQ(score(), 8);  // {0, a} and {4, 4}
  EXPECT_TRUE(game.grid().at(1)->exploding);
  EXPECT_FALSE(game.grid().at(2)->exploding);
  EXPECT_EQ(game.grid().explodingCount(), 5);
}

TEST_F(BoardRules, NeighbourSpecialLetsASharedSpecialJoinOneGroupOnly) {
  // The right neighbour's group reaches the row special first; the upper
  // neighbour then finds it taken and, alone, stays.
  set({"31a2",
       "4f05",
       "2345"});
  game.click(5);
  EXPECT_EQ(score(), 4);
  EXPECT_TRUE(game.grid().at(2)->exploding);
  EXPECT_TRUE(game.grid().at(6)->exploding);
  EXPECT_FALSE(game.grid().at(1)->exploding);
  EXPECT_EQ(game.grid().explodingCount(), 2);
}

// Moving from a special block onto one of the blocks it would take must not
// leave the special's targets lit: the pointer now shows the block's group.
TEST_F(BoardRules, LeavingASpecialClearsItsPreview) {
  set({"0123",
       "a345",
       "0041"});
  game.hover(4);
  ASSERT_TRUE(game.grid().at(7)->highlighted);
  EXPECT_EQ(game.hover(6), 2);  // the 4 with the 4 below it
  EXPECT_FALSE(game.grid().at(4)->highlighted);
  EXPECT_FALSE(game.grid().at(5)->highlighted);
  EXPECT_FALSE(game.grid().at(7)->highlighted);
  EXPECT_TRUE(game.grid().at(6)->highlighted);
  EXPECT_TRUE(game.grid().at(10)->highlighted);
  EXPECT_EQ(game.preview()->value, 4);
}
