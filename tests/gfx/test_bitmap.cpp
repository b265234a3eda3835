#include <gtest/gtest.h>

#include "gfx/OBitmap.h"
#include "tests/gfx/GfxTestSupport.h"

using gfxtest::solid;

TEST(BitmapCreate, RejectsBadSizesAndSetsFailed) {
  OBitmap b;
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-3, 4}, {4, -3}, {100000, 2}, {16385, 16385}, {16384, 16384}}) {
    EXPECT_FALSE(b.create(w, h)) << w << "x" << h;
    EXPECT_TRUE(b.failed);
    EXPECT_FALSE(b.valid());
  }
  EXPECT_TRUE(b.create(3, 2, 0x123456));
  EXPECT_FALSE(b.failed);
  EXPECT_EQ(b.pixel(2, 1), 0x123456u);
}

TEST(BitmapCreate, FailedImagesNeitherDrawNorReceive) {
  OBitmap bad;
  bad.create(-1, 1);
  OBitmap good = solid(2, 2, 0xFFFFFF);
  OBitmap::draw(good, bad, 0, 0);
  OBitmap::draw(bad, good, 0, 0);
  OBitmap::drawSubPixel(bad, good, 0.5, 0.5);
  bad.fill();
  bad.setColourKey(-1);
  EXPECT_EQ(bad.colourKey, -1);
  EXPECT_EQ(bad.pixelAddress(), nullptr);
  EXPECT_EQ(good.pixel(0, 0), 0xFFFFFFu);
  OBitmap out;
  EXPECT_FALSE(OBitmap::smooth(out, bad));
  EXPECT_FALSE(OBitmap::alphaFromPair(bad, good));
}

TEST(BitmapSection, ImagesSitSideBySideAndMustFit) {
  auto section = DibSection::make(10, 4);
  ASSERT_TRUE(section);
  EXPECT_EQ(section->rowStride, 32);  // 30 bytes rounded up to 4
  OBitmap a, b, c;
  ASSERT_TRUE(a.create(6, 4, 0xFF0000, section));
  ASSERT_TRUE(b.create(4, 2, 0x00FF00, section));
  EXPECT_EQ(section->users, 2);
  EXPECT_EQ(section->nextFreeX, 10);
  EXPECT_FALSE(c.create(1, 1, 0, section));
  EXPECT_EQ(a.pixel(5, 3), 0xFF0000u);
  EXPECT_EQ(b.pixel(0, 0), 0x00FF00u);
  // Image rows are top-aligned: b's row 0 is the section's top image row.
  EXPECT_EQ(b.rowAddress(0), section->row(0) + 6 * 3);
  EXPECT_EQ(a.pixelAddress(), section->pixels);
  { OBitmap copy = b; EXPECT_EQ(b.extraHolders(), 1); }
  EXPECT_EQ(b.extraHolders(), 0);
  b.create(0, 0);
  EXPECT_EQ(section->users, 1);
}

TEST(BitmapSection, StrideAndSpareRow) {
  EXPECT_EQ(DibSection::strideFor(1), 4);
  EXPECT_EQ(DibSection::strideFor(4), 12);
  EXPECT_EQ(DibSection::strideFor(5), 16);
  auto s = DibSection::make(3, 2);
  EXPECT_EQ(s->spareRow(), s->pixels + 2 * s->rowStride);
  EXPECT_EQ(s->row(1), s->pixels);
  EXPECT_FALSE(DibSection::make(0, 1));
  EXPECT_FALSE(DibSection::make(16384, 16384));  // beyond the byte limit
}

TEST(BitmapFill, RectangleIsClippedAndExclusive) {
  OBitmap b = solid(4, 4, 0);
  b.fillColour = 0xABCDEF;
  const ORect r{-5, 1, 2, 3};
  b.fill(&r);
  EXPECT_EQ(b.pixel(0, 1), 0xABCDEFu);
  EXPECT_EQ(b.pixel(1, 2), 0xABCDEFu);
  EXPECT_EQ(b.pixel(2, 2), 0u);
  EXPECT_EQ(b.pixel(0, 3), 0u);
  EXPECT_EQ(b.pixel(0, 0), 0u);
}

TEST(BitmapKey, MinusOneTakesTheTopLeftPixel) {
  OBitmap b = solid(3, 3, 0x00FF00);
  b.setPixel(0, 0, 0xFF0000);
  b.setPixel(2, 2, 0xFF0000);
  b.setColourKey(-1);
  EXPECT_EQ(b.colourKey, 0xFF0000);
  OBitmap dst = solid(3, 3, 0x000000);
  OBitmap::draw(dst, b, 0, 0);
  EXPECT_EQ(dst.pixel(0, 0), 0u);
  EXPECT_EQ(dst.pixel(2, 2), 0u);
  EXPECT_EQ(dst.pixel(1, 1), 0x00FF00u);
  b.setColourKey(0x1000000);
  EXPECT_EQ(b.colourKey, 0x1000000);
}

TEST(BitmapOps, SmoothOfOnePixelIsOnlyFillColour) {
  OBitmap src = solid(1, 1, 0x000000);
  src.fillColour = 0x0A0B0C;
  OBitmap out;
  ASSERT_TRUE(OBitmap::smooth(out, src));
  ASSERT_EQ(out.width(), 2);
  ASSERT_EQ(out.height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(out.pixel(x, y), 0x0A0B0Cu);
}

TEST(BitmapOps, SmoothAveragesTwoByTwoBlocks) {
  OBitmap src = solid(3, 2, 0);
  src.setPixel(0, 0, 0x040404);
  src.setPixel(1, 0, 0x080808);
  src.setPixel(0, 1, 0x0C0C0C);
  src.setPixel(1, 1, 0x030303);
  OBitmap out;
  OBitmap::smooth(out, src);
  EXPECT_EQ(out.pixel(1, 1), 0x060606u);  // (4 + 8 + 12 + 3) >> 2
  EXPECT_EQ(out.pixel(3, 1), src.fillColour);
}

TEST(BitmapOps, AlphaFromPairRecoversColourAndTransparency) {
  OBitmap black = solid(3, 1, 0), white = solid(3, 1, 0xFFFFFF);
  black.setPixel(0, 0, 0x336699);  // opaque: same on both backgrounds
  white.setPixel(0, 0, 0x336699);
  black.setPixel(1, 0, 0x000040);  // half-covered pure blue
  white.setPixel(1, 0, 0x7F7FC0);
  ASSERT_TRUE(OBitmap::alphaFromPair(black, white));
  EXPECT_EQ(black.alphaAt(0, 0), 0);
  EXPECT_EQ(black.pixel(0, 0), 0x336699u);
  EXPECT_EQ(black.alphaAt(1, 0), 0x7F);
  EXPECT_EQ(black.pixel(1, 0), 0x00007Fu);  // 0x40 * 255 / 128
  EXPECT_EQ(black.alphaAt(2, 0), 255);
  OBitmap other = solid(2, 1, 0);
  EXPECT_FALSE(OBitmap::alphaFromPair(black, other));
}

TEST(BitmapOps, CopyImageSkipsKeyPixelsAndCopiesAlpha) {
  OBitmap src = solid(2, 1, 0x111111);
  src.setPixel(1, 0, 0xFF00FF);
  src.colourKey = 0xFF00FF;
  src.createAlpha(0);
  OBitmap out;
  out.fillColour = 0x010101;
  ASSERT_TRUE(OBitmap::copyImage(out, src));
  EXPECT_EQ(out.pixel(0, 0), 0x111111u);
  EXPECT_EQ(out.pixel(1, 0), 0x010101u);
  EXPECT_TRUE(out.hasAlpha());
  EXPECT_NE(out.section(), src.section());
}

TEST(BitmapOps, ScaleKeepsSolidColoursKeysAndAlpha) {
  OBitmap src = solid(10, 10, 0x204080);
  src.colourKey = 0xFF00FF;
  for (int y = 0; y < 10; ++y) src.setPixel(0, y, 0xFF00FF);
  OBitmap out;
  ASSERT_TRUE(OBitmap::scale(out, src, 38, 38));
  EXPECT_EQ(out.width(), 38);
  EXPECT_EQ(out.colourKey, 0xFF00FF);
  EXPECT_EQ(out.pixel(20, 20), 0x204080u);
  EXPECT_EQ(out.pixel(0, 5), 0xFF00FFu);
  EXPECT_EQ(out.pixel(6, 5), 0x204080u);  // no key colour bleeding in
  ASSERT_TRUE(OBitmap::scale(out, src, 3, 3));
  EXPECT_EQ(out.pixel(2, 2), 0x204080u);

  OBitmap alpha = solid(4, 4, 0xFFFFFF);
  alpha.createAlpha(255);
  alpha.alphaPlane()[5] = 0;
  ASSERT_TRUE(OBitmap::scale(out, alpha, 2, 2));
  EXPECT_TRUE(out.hasAlpha());
  EXPECT_EQ(out.alphaAt(0, 0), 191);  // one opaque pixel in four
  EXPECT_EQ(out.alphaAt(1, 1), 255);
  EXPECT_FALSE(OBitmap::scale(out, alpha, 0, 3));
}
