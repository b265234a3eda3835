#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tessel/AReplayBuffer.h"
#include "tessel/AReplayMove.h"

using SpaceTessel::AReplayBuffer;
using SpaceTessel::AReplayMove;

TEST(ReplayRecord, TextFromDiskIsAPlainBoundedListOrNothing) {
  AReplayBuffer b;
  ASSERT_TRUE(b.parse("13 12 -10  4 0 "));
  EXPECT_EQ(b.values(), (std::vector<int>{13, 12, -10, 4, 0}));
  EXPECT_EQ(b.text(), "13 12 -10 4 0 ");
  EXPECT_TRUE(b.parse(""));
  EXPECT_EQ(b.size(), 0u);
  for (const char* bad : {"1 2 x", "1 2x 3", "99999999999 1", "-2147483649", "1.5", "1,2"}) {
    EXPECT_FALSE(b.parse(bad)) << bad;
    EXPECT_EQ(b.size(), 0u) << bad;
  }
  // More values than any game records.
  std::string many;
  for (size_t i = 0; i <= AReplayBuffer::kMaxValues; ++i) many += "1 ";
  EXPECT_FALSE(b.parse(many));
  EXPECT_EQ(b.size(), 0u);
  EXPECT_FALSE(b.parse(std::string(AReplayBuffer::kMaxTextBytes + 1, ' ')));
}

TEST(ReplayRecord, ARecordOutgrowingItsBoundIsDropped) {
  AReplayBuffer b;
  for (size_t i = 0; i < AReplayBuffer::kMaxValues; ++i) b.append(7);
  EXPECT_FALSE(b.overflowed());
  b.append(7);
  EXPECT_TRUE(b.overflowed());
  EXPECT_EQ(b.size(), 0u);
  b.append(7);
  EXPECT_EQ(b.size(), 0u);
  b.clear();
  b.append(7);
  EXPECT_EQ(b.size(), 1u);
}

TEST(ReplayRecord, ALaunchIsReadWholeAndInRangeOrNotAtAll) {
  AReplayMove m;
  std::istringstream good("2 0 5 1 2 3 4 5 6 1 2 1");
  ASSERT_TRUE(m.read(good));
  EXPECT_EQ(m.side, 2);
  EXPECT_EQ(m.line(), 5);
  EXPECT_EQ(m.newCubes, 1);
  for (const char* bad : {"2 0 5 1 2 3 4 5 6 1 2",      // ends before the flag
                          "2 0 5 1 2 3",                 // ends mid-move
                          "5 0 5 1 2 3 4 5 6 1 2 0",     // no such side
                          "2 1 5 1 2 3 4 5 6 1 2 0",     // the top side starts on row 0
                          "3 4 12 1 2 3 4 5 6 1 2 0",    // the right side starts on column 13
                          "4 12 0 1 2 3 4 5 6 1 2 0",    // line outside 1..11
                          "1 13 3 1 2 3 4 5 7 1 2 0",    // colour 7
                          "1 13 3 1 2 3 4 5 6 1 2 2",    // flag 2
                          "1 13 3 1 2 -3 4 5 6 1 2 0"}) {
    std::istringstream in(bad);
    EXPECT_FALSE(m.read(in)) << bad;
  }
}
