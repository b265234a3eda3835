// The field's rules on small hand-made layouts.
#include <gtest/gtest.h>

#include "gyrex/RField.h"
#include "platform/Random.h"
#include "tests/gyrex/model/GyrexModelSupport.h"

namespace {

using namespace SpaceGyrex;
using gyrextest::at;
using gyrextest::put;

TEST(GyrexField, SegmentsTouchInsideAndAcrossEdges) {
  RField f;
  // Right and bottom of one element with left and bottom of its right
  // neighbour: four segments of one colour in a group.
  put(f, 3, 11, "0110");
  put(f, 4, 11, "0011");
  EXPECT_EQ(f.DestroyPassElement(3, 11), 4);
  EXPECT_TRUE(f.Marked(4, 11, kBottom));
  EXPECT_EQ(f.ClearMarked(), 4);
  EXPECT_TRUE(f.IsEmpty(3, 11) && f.IsEmpty(4, 11));

  // Bottom meets the top of the element below; three are not enough.
  put(f, 6, 10, "0110");
  put(f, 6, 11, "1100");
  put(f, 8, 11, "0110");
  put(f, 9, 11, "0001");
  EXPECT_EQ(f.GroupSize(6, 11, kRight), 4);
  EXPECT_EQ(f.DestroyPassElement(8, 11), 0);
  EXPECT_FALSE(f.AnyMarked());
  EXPECT_EQ(f.DestroyPassAll(), 4);
  // Opposite segments of one element do not touch.
  RField g;
  put(g, 0, 0, "1010");
  EXPECT_EQ(g.GroupSize(0, 0, kTop), 1);
}

TEST(GyrexField, RotationTurnsBothWays) {
  RField f;
  put(f, 5, 5, "1234");
  f.Rotate(5, 5, true);
  EXPECT_EQ(at(f, 5, 5), "4123");  // top went right, left went top
  f.Rotate(5, 5, false);
  f.Rotate(5, 5, false);
  EXPECT_EQ(at(f, 5, 5), "2341");
}

TEST(GyrexField, ElementsFallWhenTheyFitAndLooseSidesSlip) {
  RField f;
  put(f, 0, 11, "0100");  // right only
  put(f, 0, 10, "1001");  // fits beside it
  put(f, 0, 9, "0010");   // rides down on the falling element
  put(f, 1, 11, "0010");
  put(f, 1, 10, "0010");  // both hold a bottom: stays
  put(f, 2, 11, "0011");
  put(f, 2, 10, "0101");  // its right slips past, its left is held
  put(f, 3, 11, "0001");
  put(f, 3, 10, "0110");  // a bottom cannot settle into an element holding a side
  ASSERT_TRUE(f.MarkFall());
  f.ApplyFall();
  EXPECT_EQ(at(f, 0, 11), "1101");
  EXPECT_EQ(at(f, 0, 10), "0010");
  EXPECT_EQ(at(f, 1, 10), "0010");
  EXPECT_EQ(at(f, 2, 11), "0111");
  EXPECT_EQ(at(f, 2, 10), "0001");
  EXPECT_EQ(at(f, 3, 10), "0110");
  EXPECT_FALSE(f.AnyMarked());
  // The bottom segment of the rider now rests on a top: nothing more falls.
  EXPECT_FALSE(f.MarkFall());
}

TEST(GyrexField, ColumnsSlideLeftAndTheFieldNarrows) {
  RField f;
  put(f, 0, 11, "0001");
  put(f, 1, 11, "0100");
  put(f, 1, 10, "0010");  // over an empty element of column 0
  ASSERT_TRUE(f.FindSlide());
  EXPECT_EQ(f.rightColumn, 1);  // nothing stands in columns 2 to 11
  EXPECT_EQ(f.shiftColumn, 1);
  f.ApplySlide();
  EXPECT_EQ(at(f, 0, 11), "0101");
  EXPECT_EQ(at(f, 0, 10), "0010");
  EXPECT_EQ(f.rightColumn, 0);
  EXPECT_FALSE(f.FindSlide());

  RField blocked;
  put(blocked, 0, 11, "1111");
  put(blocked, 1, 11, "0100");
  EXPECT_FALSE(blocked.FindSlide());
  EXPECT_EQ(blocked.rightColumn, 1);
}

TEST(GyrexField, FreshLayoutsHoldNoGroupAboveMaxNear) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    zb::seedRandom(seed);
    RField f;
    f.rules.colorCount = 3;
    f.rules.maxNear = 2;
    f.rules.startLineCount = 12;
    f.New();
    int largest = 0;
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < kRows; ++r)
        for (int s = 0; s < kSegments; ++s) {
          ASSERT_GE(f.Colour(c, r, s), 1);
          ASSERT_LE(f.Colour(c, r, s), 3);
          largest = std::max(largest, f.GroupSize(c, r, s));
        }
    EXPECT_EQ(largest, 2) << seed;
    EXPECT_FALSE(f.AnyMarked());
  }
}

TEST(GyrexField, HintFindsAUsefulTurnAndFailsOnAStuckField) {
  RField f;
  put(f, 0, 11, "1100");  // a run of two beside a run of two
  put(f, 1, 11, "0011");
  f.rightColumn = 1;
  ASSERT_TRUE(f.FindHint());
  EXPECT_EQ(f.hintColumn, 0);
  EXPECT_EQ(f.hintRow, 11);

  // Every element full of four different colours: no run to join, nothing
  // to drop, no column to close.
  RField stuck;
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r) put(stuck, c, r, (c + r) % 2 ? "1234" : "3412");
  EXPECT_FALSE(stuck.FindHint());
  EXPECT_EQ(stuck.hintColumn, -1);

  // A narrow column beside an empty one can close up: the hint is a column.
  RField columns;
  put(columns, 0, 11, "1000");
  put(columns, 1, 11, "0200");
  columns.rightColumn = 1;
  ASSERT_TRUE(columns.FindHint());
  EXPECT_EQ(columns.hintRow, -1);
  EXPECT_EQ(columns.hintColumn, 0);
}

}  // namespace
