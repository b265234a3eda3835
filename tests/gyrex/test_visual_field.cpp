#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Random.h"
#include "tests/gyrex/VisualFieldRig.h"

namespace {

using gyrextest::VisualRig;
using SpaceGyrex::RRules;
using SpaceGyrex::RVisualField;

// Sets the four segments (top, right, bottom, left) of one element.
void put(RVisualField& f, int c, int r, std::vector<int> s) {
  for (int k = 0; k < 4; ++k) f.SetColour(c, r, k, s[size_t(k)]);
}

// After manual edits: the score's reference values follow the field.
void settleInto(RVisualField& f, int rightColumn) {
  f.rightColumn = rightColumn;
  f.scoring.Start(f, false);
  f.refreshSprites();
}

TEST(GyrexVisualField, TurnDestroysAcrossElementsAndScoresAtTheSettle) {
  VisualRig rig;
  RVisualField& f = rig.field;
  std::vector<int> sounds;
  f.playSound = [&](int slot, bool) { sounds.push_back(slot); };
  rig.newGame();
  f.Clear();
  // After a counter-clockwise turn of (0, 11), its right and bottom meet the
  // left and bottom of (1, 11): a group of 4 over two elements.
  put(f, 0, 11, {2, 3, 1, 1});
  put(f, 1, 11, {2, 3, 1, 1});
  put(f, 2, 11, {1, 4, 4, 4});  // colour 1 stays in play: no doubling
  settleInto(f, 2);

  EXPECT_FALSE(f.Click(f.elementX(5) + 3, f.elementY(5) + 3, true)) << "an empty element is not turned";
  EXPECT_TRUE(rig.recorder.events.empty());
  ASSERT_TRUE(f.Click(f.elementX(0) + 10, f.elementY(11) + 10, false));
  EXPECT_EQ(f.state, RVisualField::kDestroying);
  EXPECT_FALSE(f.Click(f.elementX(2) + 10, f.elementY(11) + 10, true)) << "clicks wait for the move";
  ASSERT_EQ(rig.recorder.events.size(), 1u);
  EXPECT_EQ(rig.recorder.events[0].c, 0);
  EXPECT_EQ(rig.recorder.events[0].r, 11);
  EXPECT_EQ(rig.recorder.events[0].clock, 0);

  int updates = 0;
  while (f.state != RVisualField::kIdle && updates < 1000) {
    f.Update(30);
    ++updates;
    ASSERT_EQ(gyrextest::brokenInvariant(f), "") << "after update " << updates;
    if (f.state != RVisualField::kIdle) {
      ASSERT_EQ(f.score(), 0) << "scored before the settle";
    }
  }
  EXPECT_EQ(f.score(), 20);
  EXPECT_EQ(f.Colour(0, 11, 1), 0);
  EXPECT_EQ(f.Colour(1, 11, 3), 0);
  EXPECT_EQ(f.Colour(0, 11, 0), 3);
  EXPECT_EQ(sounds, (std::vector<int>{RVisualField::kSoundRotate, RVisualField::kSoundDestroy}));
}

TEST(GyrexVisualField, TimeManiaRevealsFasterAsTheFieldNarrows) {
  RRules rules;
  rules.colorCount = 3;
  rules.addTimeMin = 100;
  rules.addTimeMax = 1000;
  zb::seedRandom(5);
  VisualRig rig(2, rules);
  RVisualField& f = rig.field;
  rig.newGame();
  for (int i = 0; i < 99; ++i) f.Update(10);
  EXPECT_EQ(rig.preview.visibleElems, 0) << "full width: nothing before AddTimeMax";
  f.Update(10);
  EXPECT_EQ(rig.preview.visibleElems, 1);
  EXPECT_EQ(rig.recorder.events.size(), 1u) << "the reveal step is recorded";

  // One column left, with a move still possible.
  f.Clear();
  put(f, 0, 11, {1, 0, 0, 0});
  put(f, 0, 10, {0, 0, 2, 0});
  f.rightColumn = 0;
  f.addTimer = 0;
  f.state = RVisualField::kSettling;
  f.Update(0);
  ASSERT_FALSE(f.gameOver);
  EXPECT_EQ(f.addInterval, 100);
  for (int i = 0; i < 9; ++i) f.Update(10);
  EXPECT_EQ(rig.preview.visibleElems, 1);
  f.Update(10);
  EXPECT_EQ(rig.preview.visibleElems, 2) << "one column: a reveal every AddTimeMin";

  // "Strip mania" never reveals, whatever the time.
  zb::seedRandom(5);
  VisualRig strip(0, rules);
  strip.newGame();
  for (int i = 0; i < 500; ++i) strip.field.Update(30);
  EXPECT_EQ(strip.preview.visibleElems, 0);
}

TEST(GyrexVisualField, ShiftManiaRevealsOnlyAfterAMoveThatChangedSomething) {
  RRules rules;
  rules.elemsToAdd = 2;
  VisualRig rig(1, rules);
  RVisualField& f = rig.field;
  rig.newGame();
  f.Clear();
  put(f, 0, 11, {2, 3, 1, 1});
  put(f, 1, 11, {2, 3, 1, 1});
  put(f, 2, 11, {1, 4, 4, 4});
  put(f, 3, 11, {2, 3, 2, 3});
  settleInto(f, 3);
  ASSERT_TRUE(f.applyMove(3, 11, true));  // turns, but changes nothing else
  EXPECT_EQ(f.state, RVisualField::kSettling) << "a plain turn settles too";
  ASSERT_TRUE(rig.runToRest());
  EXPECT_EQ(rig.preview.visibleElems, 0);
  ASSERT_TRUE(f.applyMove(0, 11, false));  // destroys
  ASSERT_TRUE(rig.runToRest());
  EXPECT_EQ(rig.preview.visibleElems, 2) << "ElemsToAdd once the move settled";
}

TEST(GyrexVisualField, RisingRowCompletesAGroupWithoutScoreAndAFullPreviewOnATallFieldEnds) {
  VisualRig rig(1);
  RVisualField& f = rig.field;
  RVisualField& p = rig.preview;
  rig.newGame();
  f.Clear();
  p.Clear();
  // (0, 11) holds a pair of colour 1 at right and bottom; the preview's
  // element 0 brings two more at top and right: 4 once it has risen.
  put(f, 0, 11, {2, 1, 1, 3});
  put(p, 0, 0, {1, 1, 2, 3});
  settleInto(f, 0);
  f.scoring.score = 100;
  p.visibleElems = 4;
  p.refreshSprites();
  f.rowPending = true;
  std::vector<int> states;
  for (int i = 0; i < 3000 && (i == 0 || f.state != RVisualField::kIdle); ++i) {
    f.Update(30);
    if (states.empty() || states.back() != f.state) states.push_back(f.state);
    ASSERT_EQ(gyrextest::brokenInvariant(f), "");
  }
  EXPECT_EQ(states.front(), RVisualField::kRising);
  EXPECT_NE(std::find(states.begin(), states.end(), RVisualField::kDestroying), states.end());
  EXPECT_EQ(f.Colour(0, 10, 2), 0) << "the group the row completed is gone";
  EXPECT_EQ(f.Colour(0, 11, 0), 0);
  EXPECT_EQ(f.score(), 100) << "no score and no doubling for what a rising row completes";
  EXPECT_FALSE(f.scoring.noScoreOnSettle);
  EXPECT_EQ(p.visibleElems, 0) << "the preview starts a new row";
  ASSERT_FALSE(f.gameOver);

  // A full preview over an occupied top row ends the game instead.
  put(f, 0, 0, {1, 2, 3, 4});
  p.visibleElems = 4;
  f.rowPending = true;
  f.Update(30);
  EXPECT_TRUE(f.gameOver);
  EXPECT_EQ(f.state, RVisualField::kIdle);
}

}  // namespace
