#include <gtest/gtest.h>

#include "gfx/OBitmap.h"
#include "gfx/OBlitter.h"
#include "tests/gfx/GfxTestSupport.h"

using gfxtest::noise;
using gfxtest::solid;

namespace {

// The blend rules written plainly, one pixel at a time, to check the run
// based blits against.
void referenceDraw(OBitmap& dst, const OBitmap& src, int x, int y) {
  for (int sy = 0; sy < src.height(); ++sy)
    for (int sx = 0; sx < src.width(); ++sx) {
      const int dx = x + sx, dy = y + sy;
      if (dx < 0 || dy < 0 || dx >= dst.width() || dy >= dst.height()) continue;
      const uint32_t s = src.pixel(sx, sy), d = dst.pixel(dx, dy);
      uint32_t out = d;
      const bool key = src.colourKey >= 0 && uint32_t(src.colourKey) == s;
      if (src.hasAlpha()) {
        const int p = src.alphaAt(sx, sy) + std::max(src.blendLevel, 0);
        if (p == 0) out = s;
        else if (p < 255) {
          out = 0;
          for (int c = 0; c < 24; c += 8) {
            const int sc = (s >> c) & 0xFF, dc = (d >> c) & 0xFF;
            out |= uint32_t(uint8_t(sc + p * (dc - sc) / 256)) << c;
          }
        }
      } else if (src.blendLevel <= 0) {
        if (!key) out = s;
      } else if (src.blendLevel < 256) {
        if (!key) {
          out = 0;
          for (int c = 0; c < 24; c += 8) {
            const int sc = (s >> c) & 0xFF, dc = (d >> c) & 0xFF;
            out |= uint32_t(uint8_t(sc + uint32_t(src.blendLevel * (dc - sc)) / 256)) << c;
          }
        }
      } else if (!key) {
        out = dst.fillColour;
      }
      dst.setPixel(dx, dy, out);
    }
}

bool samePixels(const OBitmap& a, const OBitmap& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

}  // namespace

TEST(DrawBlend, WhiteOverBlackAtLevel128DiffersBetweenAlphaAndTranslucentModes) {
  OBitmap viaAlpha = solid(2, 2, 0xFFFFFF);
  viaAlpha.createAlpha(128);
  OBitmap dst = solid(2, 2, 0);
  OBitmap::draw(dst, viaAlpha, 0, 0);
  EXPECT_EQ(dst.pixel(1, 1), 0x808080u);

  OBitmap translucent = solid(2, 2, 0xFFFFFF);
  translucent.blendLevel = 128;
  dst.fill();
  dst.fillColour = 0;
  dst.fill();
  OBitmap::draw(dst, translucent, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0x7F7F7Fu);
}

TEST(DrawBlend, AlphaPlusBlendLevelReaching255IsInvisible) {
  OBitmap src = solid(3, 1, 0xFFFFFF);
  src.createAlpha(0);
  src.alphaPlane()[0] = 154;
  src.alphaPlane()[1] = 155;
  src.alphaPlane()[2] = 200;
  src.blendLevel = 100;
  OBitmap dst = solid(3, 1, 0x102030);
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_NE(dst.pixel(0, 0), 0x102030u);
  EXPECT_EQ(dst.pixel(1, 0), 0x102030u);
  EXPECT_EQ(dst.pixel(2, 0), 0x102030u);
}

TEST(DrawBlend, KeyedAndSilhouetteModes) {
  OBitmap src = solid(2, 1, 0x112233);
  src.setPixel(1, 0, 0xFF0000);
  src.colourKey = 0xFF0000;
  OBitmap dst = solid(2, 1, 0x000000);
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0x112233u);
  EXPECT_EQ(dst.pixel(1, 0), 0u);

  src.blendLevel = 256;
  dst.fillColour = 0x00FF00;
  dst.setPixel(0, 0, 0);
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(dst.pixel(1, 0), 0u);
}

TEST(DrawBlend, KeyAboveTwentyFourBitsOrNegativeNeverMatches) {
  OBitmap src = solid(1, 1, 0);
  OBitmap dst = solid(1, 1, 0xABCDEF);
  src.colourKey = 0x1000000;
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0u);
  dst.setPixel(0, 0, 0xABCDEF);
  src.colourKey = -5;
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0u);
}

TEST(DrawBlend, RunBlitsMatchThePixelRulesInEveryMode) {
  const uint32_t key = 0x00FF00;
  for (int mode = 0; mode < 6; ++mode) {
    OBitmap src = noise(37, 23, 7 + mode, key, mode >= 4);
    src.colourKey = key;
    src.blendLevel = mode == 1 ? 77 : mode == 2 ? 300 : mode == 3 ? -4 : mode == 5 ? 90 : 0;
    for (int pos : {-13, -1, 0, 5, 30}) {
      OBitmap fast = noise(50, 40, 99, 1, false), slow = noise(50, 40, 99, 1, false);
      fast.fillColour = slow.fillColour = 0x123456;
      OBitmap::draw(fast, src, pos, pos / 2);
      referenceDraw(slow, src, pos, pos / 2);
      EXPECT_TRUE(samePixels(fast, slow)) << "mode " << mode << " at " << pos;
    }
  }
}

TEST(DrawClip, NothingAtOrBeyondTheRightAndBottomEdges) {
  OBitmap src = solid(4, 4, 0xFFFFFF);
  OBitmap dst = solid(10, 10, 0);
  OBitmap::draw(dst, src, 10, 0);
  OBitmap::draw(dst, src, 0, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(dst.pixel(x, y), 0u);
}

TEST(DrawClip, NegativePositionDrawsTheRemainder) {
  OBitmap src = solid(12, 1, 0);
  for (int x = 0; x < 12; ++x) src.setPixel(x, 0, uint32_t(x + 1));
  OBitmap dst = solid(5, 1, 0xFFFFFF);
  OBitmap::draw(dst, src, -10, 0);
  EXPECT_EQ(dst.pixel(0, 0), 11u);
  EXPECT_EQ(dst.pixel(1, 0), 12u);
  EXPECT_EQ(dst.pixel(2, 0), 0xFFFFFFu);
}

TEST(DrawClip, SourceRectangleIsClippedToTheSource) {
  OBitmap src = solid(4, 4, 0);
  src.setPixel(2, 2, 0x010203);
  src.setPixel(3, 3, 0x040506);
  OBitmap dst = solid(4, 4, 0xFFFFFF);
  const ORect part{2, 2, 100, 100};
  OBitmap::draw(dst, src, 0, 0, &part);
  EXPECT_EQ(dst.pixel(0, 0), 0x010203u);
  EXPECT_EQ(dst.pixel(1, 1), 0x040506u);
  EXPECT_EQ(dst.pixel(2, 2), 0xFFFFFFu);
  const ORect outside{5, 5, 9, 9};
  OBitmap::draw(dst, src, 0, 0, &outside);
  EXPECT_EQ(dst.pixel(2, 2), 0xFFFFFFu);
}

TEST(DrawClip, ExtremePositionsDoNothing) {
  OBitmap src = solid(4, 4, 0);
  OBitmap dst = solid(4, 4, 0xFFFFFF);
  OBitmap::draw(dst, src, INT32_MIN, INT32_MIN);
  OBitmap::draw(dst, src, INT32_MAX, 0);
  OBitmap::drawSubPixel(dst, src, 1e300, -1e300);
  EXPECT_EQ(dst.pixel(0, 0), 0xFFFFFFu);
}

TEST(DrawCache, ChangingTheKeyOrThePixelsRebuildsTheRuns) {
  OBitmap src = solid(3, 1, 0xFF0000);
  src.setPixel(1, 0, 0x0000FF);
  src.colourKey = 0xFF0000;
  OBitmap dst = solid(3, 1, 0);
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0u);
  EXPECT_EQ(dst.pixel(1, 0), 0xFFu);

  src.colourKey = 0x0000FF;
  dst.fill();
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(dst.pixel(1, 0), 0u);

  // Pixels written through the image change its runs too.
  src.setPixel(1, 0, 0x00FF00);
  dst.fill();
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(1, 0), 0x00FF00u);

  uint8_t* row = src.rowAddress(0);
  row[3] = 0xFF, row[4] = 0, row[5] = 0;  // back to the key colour
  dst.fill();
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(1, 0), 0u);
}

TEST(DrawCache, CopiesWithDifferentKeysShareOnePixelRecord) {
  OBitmap a = solid(2, 1, 0x111111);
  a.setPixel(1, 0, 0x222222);
  OBitmap b = a;
  a.colourKey = 0x111111;
  b.colourKey = 0x222222;
  EXPECT_EQ(a.extraHolders(), 1);
  for (int round = 0; round < 3; ++round) {
    OBitmap dst = solid(2, 1, 0);
    OBitmap::draw(dst, a, 0, 0);
    EXPECT_EQ(dst.pixel(0, 0), 0u);
    EXPECT_EQ(dst.pixel(1, 0), 0x222222u);
    OBitmap::draw(dst, b, 0, 0);
    EXPECT_EQ(dst.pixel(0, 0), 0x111111u);
  }
}

TEST(DrawAlpha, AlphaRunsFollowChangesOfThePlane) {
  OBitmap src = solid(2, 1, 0xFFFFFF);
  src.createAlpha(255);
  OBitmap dst = solid(2, 1, 0);
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0u);
  src.alphaPlane()[0] = 0;
  OBitmap::draw(dst, src, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(dst.pixel(1, 0), 0u);
}

TEST(DrawSubPixel, WholePositionsEqualDrawAndNoAlphaDrawsNothing) {
  OBitmap src = noise(9, 7, 3, 0, true);
  OBitmap a = solid(20, 20, 0x404040), b = solid(20, 20, 0x404040);
  OBitmap::draw(a, src, 4, 5);
  OBitmap::drawSubPixel(b, src, 4.0, 5.0);
  EXPECT_TRUE(samePixels(a, b));

  OBitmap plain = solid(3, 3, 0xFFFFFF);
  OBitmap dst = solid(3, 3, 0);
  OBitmap::drawSubPixel(dst, plain, 0.5, 0.5);
  EXPECT_EQ(dst.pixel(1, 1), 0u);
}

TEST(DrawSubPixel, HalfPixelMixesNeighboursAndKeepsTransparentAreasUntouched) {
  OBitmap src = solid(4, 1, 0);
  src.createAlpha(255);
  src.setPixel(1, 0, 0xC8C8C8);
  src.alphaPlane()[1] = 0;
  OBitmap dst = solid(4, 1, 0);
  OBitmap::drawSubPixel(dst, src, 0.5, 0.0);
  // Half of the opaque pixel lands on column 1 and half on column 2; the
  // transparent neighbours' black does not darken it.
  EXPECT_EQ(dst.pixel(1, 0), 0x656565u);
  EXPECT_EQ(dst.pixel(2, 0), 0x656565u);
  EXPECT_EQ(dst.pixel(0, 0), 0u);
  EXPECT_EQ(dst.pixel(3, 0), 0u);
}

TEST(DrawSubPixel, NegativePositionsAreReducedByOneBeforeTruncation) {
  // -0.25 becomes -1.25: whole part -1, weight fraction 0.25.
  OBitmap src = solid(3, 1, 0xFFFFFF);
  src.createAlpha(0);
  OBitmap dst = solid(3, 1, 0);
  OBitmap::drawSubPixel(dst, src, -0.25, 0.0);
  EXPECT_EQ(dst.pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(dst.pixel(1, 0), 0xFFFFFFu);
  EXPECT_NE(dst.pixel(2, 0), 0xFFFFFFu);
}

TEST(DrawSubPixel, DrawingInPartsEqualsDrawingWhole) {
  OBitmap src = noise(20, 16, 11, 0, true);
  OBitmap whole = solid(40, 40, 0x305070), parts = solid(40, 40, 0x305070);
  OBitmap::drawSubPixel(whole, src, 5.4, 6.7);
  for (const ORect& part : {ORect{0, 0, 9, 16}, ORect{9, 0, 20, 7}, ORect{9, 7, 20, 16}})
    OBitmap::drawSubPixel(parts, src, 5.4 + part.left, 6.7 + part.top, &part);
  EXPECT_TRUE(samePixels(whole, parts));
}

// Dirty-area redraws blit many small source rectangles; each must land
// exactly as the same pixels of a whole blit would, at every blend level.
TEST(DrawAlpha, SourceRectanglesMatchThePixelRulesAtEveryLevel) {
  OBitmap src = noise(31, 27, 5, 0x00FF00, true);
  const ORect parts[] = {{0, 0, 31, 27}, {3, 4, 17, 9}, {0, 10, 1, 27}, {30, 0, 31, 5}, {12, 12, 29, 26}, {-5, -5, 7, 40}};
  for (int level : {0, 1, 90, 254}) {
    src.blendLevel = level;
    for (const ORect& part : parts) {
      OBitmap fast = noise(50, 40, 99, 1, false), slow = noise(50, 40, 99, 1, false);
      // The part cut to the source lands with its top-left where asked; the
      // reference draws a copy of just that part.
      const ORect cut{std::max(part.left, 0), std::max(part.top, 0), std::min(part.right, 31), std::min(part.bottom, 27)};
      OBitmap::draw(fast, src, 6 + cut.left, 3 + cut.top, &part);
      OBitmap piece = solid(cut.width(), cut.height(), 0);
      piece.createAlpha(0);
      for (int y = 0; y < cut.height(); ++y)
        for (int x = 0; x < cut.width(); ++x) {
          piece.setPixel(x, y, src.pixel(cut.left + x, cut.top + y));
          piece.alphaPlane()[y * cut.width() + x] = src.alphaAt(cut.left + x, cut.top + y);
        }
      piece.blendLevel = level;
      referenceDraw(slow, piece, 6 + cut.left, 3 + cut.top);
      EXPECT_TRUE(samePixels(fast, slow)) << "level " << level << " part " << part.left << "," << part.top;
    }
  }
}
