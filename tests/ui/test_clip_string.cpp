#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "UiTestSupport.h"
#include "game/AStar.h"
#include "platform/Random.h"
#include "ui/AClipNum.h"
#include "ui/AClipString.h"

using uitest::EffectsGuard;
using uitest::makeClip;

namespace {

// 39 glyphs of 20 x 30: jitter below 6, spacing 14 + 0..2.
class ClipStringTest : public ::testing::Test {
protected:
  uitest::Screen world;
  std::unique_ptr<OClip> font = makeClip(39, 1, 20, 30);
  std::unique_ptr<OClip> star = makeClip(5, 3, 4, 4);
  OEngine& screen() { return *world.screen; }

  // The font sequence each glyph shows, found by the pixels it shares.
  std::vector<int> sequences(const AClipString& text) {
    std::vector<int> seqs;
    for (int i = 0; i < text.glyphCount(); ++i) {
      const OBitmap* shown = text.glyph(i)->currentImage();
      int found = -1;
      for (int s = 0; s < font->sequenceCount && shown; ++s)
        if (font->sequences[size_t(s)]->images[0]->rowAddress(0) == shown->rowAddress(0)) found = s;
      seqs.push_back(found);
    }
    return seqs;
  }
  size_t starsOnScreen() {
    return size_t(std::count_if(screen().clips().begin(), screen().clips().end(),
                                [](OClip* c) { return dynamic_cast<AStar*>(c) != nullptr; }));
  }
};

TEST_F(ClipStringTest, GlyphTableCoversDigitsLettersAndMarks) {
  EXPECT_EQ(AClipString::glyphSequence('0'), 0);
  EXPECT_EQ(AClipString::glyphSequence('9'), 9);
  EXPECT_EQ(AClipString::glyphSequence('A'), 10);
  EXPECT_EQ(AClipString::glyphSequence('z'), 35);
  EXPECT_EQ(AClipString::glyphSequence('-'), 36);
  EXPECT_EQ(AClipString::glyphSequence('!'), 37);
  EXPECT_EQ(AClipString::glyphSequence('?'), 38);
  EXPECT_EQ(AClipString::glyphSequence(' '), -1);
  EXPECT_EQ(AClipString::glyphSequence('\n'), -1);
  EXPECT_EQ(AClipString::glyphSequence('%'), AClipString::kOtherGlyph);
  EXPECT_EQ(AClipString::glyphSequence('.'), AClipString::kOtherGlyph);
}

TEST_F(ClipStringTest, LaysOutOneGlyphPerCharacterWithCaseFolded) {
  EffectsGuard fx(false, false);
  AClipString play(font.get(), &screen(), 100, 50, "Play!", -10, false);
  EXPECT_EQ(sequences(play), (std::vector<int>{25, 21, 10, 34, 37}));
  AClipString lower(font.get(), &screen(), 0, 0, "a A", -10, false);
  EXPECT_EQ(sequences(lower), (std::vector<int>{10, 10}));
  AClipString other(font.get(), &screen(), 0, 0, "#", -10, false);
  EXPECT_EQ(sequences(other), (std::vector<int>{0}));
  EXPECT_EQ(screen().clips().size(), 8u);
  // A letter holds its own glyph, not a copy of the whole set.
  EXPECT_EQ(play.glyph(0)->sequenceCount, 1);
  // Refreshed glyphs show the same letters.
  play.refresh();
  EXPECT_EQ(sequences(play), (std::vector<int>{25, 21, 10, 34, 37}));
}

TEST_F(ClipStringTest, PlacesGlyphsWithJitterSpacingAndDepth) {
  EffectsGuard fx(false, false);
  for (uint32_t seed = 1; seed < 40; ++seed) {
    zb::seedRandom(seed);
    AClipString text(font.get(), &screen(), 100, 50, "AB C", -10, false);
    ASSERT_EQ(text.glyphCount(), 3);
    int column = 0;
    for (int i = 0; i < 3; ++i) {
      const OClip* g = text.glyph(i);
      EXPECT_LE(g->y, 50);
      EXPECT_GT(g->y, 50 - 6);
      EXPECT_EQ(g->x, text.homeX(i));
      EXPECT_EQ(g->y, text.homeY(i));
      if (i > 0) {
        const int step = int(g->x) - column;
        // One space between B and C adds a whole step.
        const int steps = i == 2 ? 2 : 1;
        EXPECT_GE(step, steps * 14);
        EXPECT_LE(step, steps * 16);
      }
      column = int(g->x);
    }
    // Depth falls by one per character, the space included.
    EXPECT_EQ(text.glyph(0)->z, -10);
    EXPECT_EQ(text.glyph(1)->z, -11);
    EXPECT_EQ(text.glyph(2)->z, -13);
    EXPECT_GE(text.width(), 4 * 14 + 20);
    EXPECT_LE(text.width(), 4 * 16 + 20);
  }
}

TEST_F(ClipStringTest, SecondLineStartsOneFontHeightBelowLowestGlyph) {
  EffectsGuard fx(false, false);
  // A 4-pixel font has no jitter, so the rows are exact.
  auto small = makeClip(39, 1, 10, 4);
  AClipString exact(small.get(), &screen(), 10, 20, "AB\nC", 0, false);
  EXPECT_EQ(exact.homeY(2), 24);
  EXPECT_EQ(exact.homeX(2), 10);
  EXPECT_EQ(exact.height(), 8);

  bool sawUnjittered = false;
  for (uint32_t seed = 1; seed < 60; ++seed) {
    zb::seedRandom(seed);
    AClipString text(font.get(), &screen(), 10, 100, "ABCD\nEF", 0, false);
    const int lowest = std::max({text.homeY(0), text.homeY(1), text.homeY(2), text.homeY(3)});
    for (int i = 4; i < 6; ++i) {
      EXPECT_LE(text.homeY(i), lowest + 30);
      EXPECT_GT(text.homeY(i), lowest + 30 - 6);
      sawUnjittered = sawUnjittered || text.homeY(i) == lowest + 30;
    }
    EXPECT_EQ(text.homeX(4), 10);
    EXPECT_EQ(text.height(), std::max(text.homeY(4), text.homeY(5)) + 30 - 100);
  }
  EXPECT_TRUE(sawUnjittered);
}

TEST_F(ClipStringTest, AnimatedTextFliesHomeAtItsSpeed) {
  EffectsGuard fx(true, false);
  AClipString text(font.get(), &screen(), 300, 200, "Hi", -10, true);
  ASSERT_TRUE(text.animated());
  EXPECT_TRUE(text.flying());
  for (int i = 0; i < text.glyphCount(); ++i) {
    const OClip* g = text.glyph(i);
    ASSERT_EQ(g->waypoints.size(), 1u);
    EXPECT_EQ(g->waypoints.front().speed, AClipString::kFlySpeed);
    EXPECT_EQ(g->waypoints.front().x, text.homeX(i));
    EXPECT_EQ(g->z, -10);
  }
  // Well under 100 ticks for at most some 1500 pixels at 45 a step.
  for (int t = 0; t < 100 && text.flying(); ++t) {
    world.tick();
    text.tick(30);
  }
  EXPECT_FALSE(text.flying());
  for (int i = 0; i < text.glyphCount(); ++i) {
    EXPECT_EQ(text.glyph(i)->x, text.homeX(i));
    EXPECT_EQ(text.glyph(i)->y, text.homeY(i));
  }
}

// A screen that stops moving its clips (covered by another) lands the texts
// flying in; those flying out keep their course.
TEST_F(ClipStringTest, LandingEndsAFlyInButNotAFlyOut) {
  EffectsGuard fx(true, false);
  AClipString in(font.get(), &screen(), 300, 200, "Hi", -10, true);
  world.tick();
  in.land();
  for (int i = 0; i < in.glyphCount(); ++i) {
    const OClip* g = in.glyph(i);
    EXPECT_EQ(g->x, in.homeX(i));
    EXPECT_EQ(g->y, in.homeY(i));
    EXPECT_TRUE(g->waypoints.empty());
    EXPECT_EQ(g->vx, 0);
  }
  in.tick(30);
  EXPECT_FALSE(in.flying());
  in.flyOut();
  world.tick();
  double x = in.glyph(0)->x, vx = in.glyph(0)->vx;
  in.land();
  EXPECT_EQ(in.glyph(0)->x, x);
  EXPECT_EQ(in.glyph(0)->vx, vx);
  EXPECT_NE(in.glyph(0)->x, in.homeX(0));
}

TEST_F(ClipStringTest, AnimationSettingOffLaysOutInPlace) {
  EffectsGuard fx(false, false);
  AClipString text(font.get(), &screen(), 300, 200, "Hi", -10, true);
  EXPECT_FALSE(text.animated());
  EXPECT_FALSE(text.flying());
  EXPECT_EQ(text.glyph(0)->x, 300);
}

TEST_F(ClipStringTest, FlyOutHidesAtOnceWithAnimationOff) {
  EffectsGuard fx(false, false);
  AClipString text(font.get(), &screen(), 300, 200, "Bye", -10, true);
  EXPECT_FALSE(text.isGone());
  text.flyOut();
  EXPECT_FALSE(text.visible());
  EXPECT_FALSE(text.glyph(0)->visible);
  EXPECT_TRUE(text.isGone());
}

TEST_F(ClipStringTest, AnimatedFlyOutLeavesTheScreenDiagonally) {
  EffectsGuard fx(true, false);
  AClipString text(font.get(), &screen(), 300, 200, "Bye", -10, true);
  while (text.flying()) {
    world.tick();
    text.tick(30);
  }
  text.flyOut();
  EXPECT_TRUE(text.flying());
  EXPECT_TRUE(text.visible());
  for (int i = 0; i < text.glyphCount(); ++i) {
    const OClip* g = text.glyph(i);
    EXPECT_GE(std::abs(g->vx), 30);
    EXPECT_LE(std::abs(g->vx), 39);
    EXPECT_GE(std::abs(g->vy), 30);
    EXPECT_LE(std::abs(g->vy), 39);
  }
  EXPECT_FALSE(text.isGone());
  int ticks = 0;
  while (!text.isGone() && ticks < 100) {
    world.tick();
    ++ticks;
  }
  EXPECT_TRUE(text.isGone());
  EXPECT_LE(ticks, 30);
}

TEST_F(ClipStringTest, ClickFadeReaches255AfterThirteenTicks) {
  EffectsGuard fx(false, true);
  const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
  AClipString text(font.get(), &screen(), 10, 10, twenty, -10, true, star.get());
  ASSERT_EQ(text.glyphCount(), 20);
  text.clickFade();
  EXPECT_EQ(starsOnScreen(), 0u);
  for (int t = 0; t < 12; ++t) text.tick(30);
  EXPECT_EQ(text.opacity(), 240);
  EXPECT_TRUE(text.visible());
  EXPECT_FALSE(text.fadeDone());
  text.tick(30);
  EXPECT_EQ(text.opacity(), 255);
  EXPECT_FALSE(text.visible());
  EXPECT_TRUE(text.fadeDone());
  EXPECT_EQ(text.glyph(0)->opacity, 255);
  EXPECT_TRUE(text.isGone());
}

TEST_F(ClipStringTest, ClickBurstsStarsByTextLength) {
  EffectsGuard fx(true, true);
  // Per glyph: 7, 3, 2 or 1 by length, plus 6 for a 30-pixel font.
  const struct { int glyphs; size_t perGlyph; } cases[] = {{6, 13}, {7, 9}, {12, 9}, {13, 8}, {19, 8}, {20, 7}};
  for (const auto& c : cases) {
    AClipString text(font.get(), &screen(), 10, 10, std::string(size_t(c.glyphs), 'X'), -10, false,
                     star.get());
    const size_t before = starsOnScreen();
    text.clickFade();
    EXPECT_EQ(starsOnScreen() - before, c.perGlyph * size_t(c.glyphs)) << c.glyphs;
  }
  // The burst switch alone stops the stars.
  zb::textEffects().bursts = false;
  AClipString quiet(font.get(), &screen(), 10, 10, "XY", -10, false, star.get());
  const size_t before = starsOnScreen();
  quiet.clickFade();
  EXPECT_EQ(starsOnScreen(), before);
}

TEST_F(ClipStringTest, HitTestNeedsClickableVisibleAndSettledText) {
  EffectsGuard fx(false, false);
  AClipString text(font.get(), &screen(), 100, 100, "OK", -10, false);
  const int cx = 100 + text.width() / 2;
  const int cy = 100 + text.height() / 2;
  EXPECT_FALSE(text.hitTest(cx, cy));
  text.setClickable(true);
  EXPECT_TRUE(text.hitTest(cx, cy));
  EXPECT_FALSE(text.hitTest(99, cy));
  EXPECT_FALSE(text.hitTest(cx, 100 + text.height()));
  text.setVisible(false);
  EXPECT_FALSE(text.hitTest(cx, cy));
}

TEST_F(ClipStringTest, HitTestIsRelativeToTheScreen) {
  EffectsGuard fx(false, false);
  OEngine dialog(world.window, 200, 100, 400, 300);
  AClipString text(font.get(), &dialog, 10, 10, "OK", -10, false);
  text.setClickable(true);
  EXPECT_TRUE(text.hitTest(215, 115));
  EXPECT_FALSE(text.hitTest(15, 15));
}

TEST_F(ClipStringTest, TrembleFollowsThePointer) {
  EffectsGuard fx(false, false);
  AClipString text(font.get(), &screen(), 100, 100, "OK", -10, false);
  text.setClickable(true);
  world.platform.cursorX = 105;
  world.platform.cursorY = 105;
  for (int t = 0; t < 20; ++t) text.tick(30);
  for (int i = 0; i < text.glyphCount(); ++i) {
    // The queue is bounded however long the pointer rests.
    EXPECT_GE(text.glyph(i)->waypoints.size(), 1u);
    EXPECT_LE(text.glyph(i)->waypoints.size(), AClipString::kMaxTrembleQueue);
    for (const OWaypoint& w : text.glyph(i)->waypoints) {
      EXPECT_LE(w.x, text.homeX(i));
      EXPECT_GT(w.x, text.homeX(i) - 20 / 3);
      EXPECT_GE(w.speed, 1);
      EXPECT_LE(w.speed, 2);
    }
  }
  text.glyph(0)->x += 3;
  world.platform.cursorX = 700;
  text.tick(30);
  EXPECT_TRUE(text.glyph(0)->waypoints.empty());
  EXPECT_EQ(text.glyph(0)->x, text.homeX(0));
}

TEST_F(ClipStringTest, TrembleAlwaysIgnoresThePointer) {
  EffectsGuard fx(false, false);
  AClipString text(font.get(), &screen(), 100, 100, "OK", -10, false);
  text.setTrembleAlways(true);
  world.platform.cursorX = 700;
  text.tick(30);
  EXPECT_EQ(text.glyph(0)->waypoints.size(), 1u);
  // Fading comes first: no trembling while the text fades.
  text.clickFade();
  text.tick(30);
  EXPECT_TRUE(text.glyph(0)->waypoints.empty());
}

TEST_F(ClipStringTest, RefreshBringsTextBackAfterFadeAndFlyOut) {
  EffectsGuard fx(false, false);
  AClipString text(font.get(), &screen(), 100, 100, "OK", -10, true);
  text.setClickable(true);
  text.clickFade();
  for (int t = 0; t < 13; ++t) text.tick(30);
  ASSERT_FALSE(text.visible());
  text.refresh();
  EXPECT_TRUE(text.visible());
  EXPECT_FALSE(text.fading());
  EXPECT_EQ(text.opacity(), 0);
  EXPECT_EQ(text.glyphCount(), 2);
  EXPECT_TRUE(text.glyph(0)->visible);
  EXPECT_LE(text.glyph(0)->opacity, 0);  // opaque

  zb::textEffects().animation = true;
  text.moveText(100, 100, -10, true);
  for (int t = 0; t < 100 && text.flying(); ++t) {
    world.tick();
    text.tick(30);
  }
  text.flyOut();
  while (!text.isGone()) world.tick();
  text.refresh();
  EXPECT_FALSE(text.isGone());
  EXPECT_TRUE(text.flying());  // flying in again
}

TEST_F(ClipStringTest, SetTextReplacesTheGlyphsOnTheScreen) {
  EffectsGuard fx(false, false);
  AClipString text(font.get(), &screen(), 0, 0, "ABC", 0, false);
  EXPECT_EQ(screen().clips().size(), 3u);
  text.setText(font.get(), &screen(), 0, 0, "DE", 0, false);
  EXPECT_EQ(screen().clips().size(), 2u);
  {
    AClipString gone(font.get(), &screen(), 0, 0, "XYZ", 0, false);
    EXPECT_EQ(screen().clips().size(), 5u);
  }
  EXPECT_EQ(screen().clips().size(), 2u);
  // A text without a screen or with an empty font lays nothing out.
  OClip empty;
  AClipString none(&empty, &screen(), 0, 0, "ABC", 0, false);
  EXPECT_EQ(none.glyphCount(), 0);
  AClipString offscreen(font.get(), nullptr, 0, 0, "ABC", 0, false);
  EXPECT_EQ(offscreen.glyphCount(), 0);
}

class ClipNumTest : public ::testing::Test {
protected:
  uitest::Screen world;
  // A whole letter set of four-frame glyphs, 12 x 16 pixels: the panels
  // draw their numbers with one.
  std::unique_ptr<OClip> digits = makeClip(AClipString::kLatin1Sequences, 4, 12, 16);
};

TEST_F(ClipNumTest, ShowsDigitsInCellsWithoutRolling) {
  AClipNum num(world.screen, *digits, 42, 5, 100, 50, 2, -5);
  ASSERT_EQ(num.cellCount(), 5);
  const int expected[] = {0, 0, 0, 4, 2};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(num.cell(i).currentSequence, expected[i]) << i;
    EXPECT_EQ(num.cell(i).currentFrame, 0);
    EXPECT_FALSE(num.cell(i).stopped);
    EXPECT_EQ(num.cell(i).x, 100 + i * 14);
    EXPECT_EQ(num.cell(i).y, 50);
    EXPECT_EQ(num.cell(i).z, -5);
  }
  EXPECT_EQ(world.screen->clips().size(), 5u);
  // A cell holds the digits, not the letters.
  EXPECT_EQ(num.cell(0).sequenceCount, 10);
  // Digits beyond the cells are dropped.
  num.setValue(1234567, false);
  EXPECT_EQ(num.cell(0).currentSequence, 3);
  EXPECT_EQ(num.cell(4).currentSequence, 7);
}

TEST_F(ClipNumTest, RollingLeadingCellsRestOnTheLastFrameOfZero) {
  AClipNum num(world.screen, *digits, 0, 5, 0, 0, 0, 0);
  for (uint32_t seed = 1; seed < 20; ++seed) {
    zb::seedRandom(seed);
    num.setValue(42, true);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(num.cell(i).currentSequence, 0);
      EXPECT_EQ(num.cell(i).currentFrame, 3);
      EXPECT_TRUE(num.cell(i).stopped);
    }
    EXPECT_EQ(num.cell(3).currentSequence, 4);
    EXPECT_EQ(num.cell(4).currentSequence, 2);
    for (int i = 3; i < 5; ++i) {
      EXPECT_LT(num.cell(i).currentFrame, 3);
      EXPECT_FALSE(num.cell(i).stopped);
    }
  }
  num.roll(false);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(num.cell(i).currentFrame, 3);
    EXPECT_TRUE(num.cell(i).stopped);
  }
  EXPECT_EQ(num.cell(3).currentSequence, 4);
}

TEST_F(ClipNumTest, MoveToShiftsEveryCellAndDestructionRemovesThem) {
  {
    AClipNum num(world.screen, *digits, 7, 3, 10, 20, 5, 0);
    num.cell(1).x += 1;  // a cell may have drifted; moveTo shifts, not places
    num.moveTo(110, 10, -1);
    EXPECT_EQ(num.cell(0).x, 110);
    EXPECT_EQ(num.cell(1).x, 128);
    EXPECT_EQ(num.cell(2).y, 10);
    EXPECT_EQ(num.cell(2).z, -1);
    num.setVisible(false);
    EXPECT_FALSE(num.cell(2).visible);
  }
  EXPECT_TRUE(world.screen->clips().empty());
}

}  // namespace

TEST(ClipStringLatin1, AccentedLettersHaveGlyphsOfTheirOwnSharedByBothCases) {
  EXPECT_EQ(AClipString::glyphSequence('\xA1'), 39);  // inverted !
  EXPECT_EQ(AClipString::glyphSequence('\xBF'), 40);  // inverted ?
  EXPECT_EQ(AClipString::glyphSequence('\xC0'), 41);
  EXPECT_EQ(AClipString::glyphSequence('\xD6'), 63);
  EXPECT_EQ(AClipString::glyphSequence('\xD8'), 64);
  EXPECT_EQ(AClipString::glyphSequence('\xDE'), 70);
  EXPECT_EQ(AClipString::glyphSequence('\xDF'), 71);
  EXPECT_EQ(AClipString::glyphSequence('\''), 72);
  EXPECT_EQ(AClipString::glyphSequence('\xE9'), AClipString::glyphSequence('\xC9'));
  EXPECT_EQ(AClipString::glyphSequence('\xFC'), AClipString::glyphSequence('\xDC'));
  // Multiplication and division signs, y umlaut, other marks: no glyph.
  for (char c : {'\xD7', '\xF7', '\xFF', '\xA9', '\x80'}) EXPECT_EQ(AClipString::glyphSequence(c), AClipString::kOtherGlyph);
}

TEST(ClipStringLatin1, CanDrawNeedsAGlyphForEveryCharacterInTheSet) {
  OClip full;
  full.sequenceCount = AClipString::kLatin1Sequences;
  OClip old;
  old.sequenceCount = 39;
  EXPECT_TRUE(AClipString::canDraw(&full, "\xA1Gr\xFC\xDF Gott!\nNi\xF1o"));
  EXPECT_TRUE(AClipString::canDraw(&old, "Play!"));
  EXPECT_FALSE(AClipString::canDraw(&old, "Fen\xEAtre"));
  EXPECT_TRUE(AClipString::canDraw(&full, "l'eau"));
  EXPECT_FALSE(AClipString::canDraw(&old, "l'eau"));
  EXPECT_FALSE(AClipString::canDraw(&full, "150 %"));
  EXPECT_FALSE(AClipString::canDraw(nullptr, "A"));
}
