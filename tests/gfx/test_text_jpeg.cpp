#include <gtest/gtest.h>

#include <vector>

#include "gfx/JpegCodec.h"
#include "gfx/OBitmap.h"
#include "tests/gfx/GfxTestSupport.h"
#include "tests/support/TestSupport.h"

using gfxtest::solid;

namespace {

// Restores the shared text style after each test.
class TextTest : public ::testing::Test {
protected:
  void SetUp() override { saved_ = OBitmap::textStyle(); }
  void TearDown() override { OBitmap::textStyle() = saved_; }

private:
  OTextStyle saved_;
};

int countColour(const OBitmap& b, uint32_t colour) {
  int n = 0;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) n += b.pixel(x, y) == colour;
  return n;
}

}  // namespace

TEST_F(TextTest, ExtentGrowsWithSizeAndBold) {
  OTextStyle& style = OBitmap::textStyle();
  EXPECT_EQ(style.face, "Arial");
  EXPECT_EQ(style.size, 10);
  style.size = 13;
  const OSize normal = OBitmap::textExtent("Hello, world");
  EXPECT_GT(normal.width, 40);
  EXPECT_GE(normal.height, 17);  // 13 points at 96 pixels per inch is a 17-pixel character
  EXPECT_LE(normal.height, 24);
  style.flags = kTextBold;
  EXPECT_GT(OBitmap::textExtent("Hello, world").width, normal.width);
  style.flags = 0;
  style.size = 26;
  EXPECT_GT(OBitmap::textExtent("Hello, world").height, normal.height);
  EXPECT_EQ(OBitmap::textExtent("").width, 0);
}

TEST_F(TextTest, DrawsWithOpaqueBackgroundStartingOneRowUp) {
  OTextStyle& style = OBitmap::textStyle();
  style.textColour = 0x000000;
  style.backColour = 0x123456;
  OBitmap img = solid(60, 30, 0xFFFFFF);
  OBitmap::drawText(img, "Ab", 2, 0);
  const OSize ext = OBitmap::textExtent("Ab");
  EXPECT_GT(countColour(img, 0x123456), 0);
  EXPECT_GT(countColour(img, 0x000000), 0);
  // The text's top row lands in the spare row above the image.
  const uint8_t* spare = img.section()->spareRow();
  EXPECT_EQ(spare[2 * 3] | spare[2 * 3 + 1] << 8 | spare[2 * 3 + 2] << 16, 0x123456);
  EXPECT_EQ(img.pixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(img.pixel(2, ext.height - 2), 0x123456u);
  EXPECT_EQ(img.pixel(2, ext.height - 1), 0xFFFFFFu);
}

TEST_F(TextTest, TextIsClippedToTheImage) {
  auto section = DibSection::make(40, 10);
  OBitmap left, right;
  left.create(20, 10, 0xFFFFFF, section);
  right.create(20, 10, 0xFFFFFF, section);
  OBitmap::drawText(left, "WWWWWWWWWWWW", 5, 3);
  EXPECT_EQ(countColour(right, 0xFFFFFF), 200);
  OBitmap::drawText(left, "W", -1000, 100000);  // nothing lands, nothing breaks
}

TEST(Jpeg, RejectedStreamsReturnFalse) {
  OBitmap img = solid(4, 4, 0xABCDEF);
  const std::vector<uint8_t> junk(100, 0x42);
  EXPECT_FALSE(OBitmap::decodeJpeg(img, junk.data(), junk.size()));
  EXPECT_FALSE(OBitmap::decodeJpeg(img, nullptr, 0));
  std::vector<uint8_t> good;
  ASSERT_TRUE(zb::encodeJpeg(solid(16, 16, 0x808080), 80, good));
  const std::vector<uint8_t> head(good.begin(), good.begin() + 20);
  EXPECT_FALSE(OBitmap::decodeJpeg(img, head.data(), head.size()));
  EXPECT_EQ(img.pixel(0, 0), 0xABCDEFu);  // size header never reached: untouched
  EXPECT_FALSE(OBitmap::loadJpegFile(img, "/nonexistent/picture.jpg"));
}

TEST(Jpeg, DecodeTakesTheStreamsSizeAndColourOrder) {
  OBitmap src = solid(24, 8, 0x0000FF);
  for (int y = 0; y < 8; ++y)
    for (int x = 12; x < 24; ++x) src.setPixel(x, y, 0xFF0000);
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(zb::encodeJpeg(src, 95, jpeg));
  OBitmap img = solid(4, 4, 0);
  ASSERT_TRUE(OBitmap::decodeJpeg(img, jpeg.data(), jpeg.size()));
  EXPECT_EQ(img.width(), 24);
  EXPECT_EQ(img.height(), 8);
  EXPECT_LT(int(img.pixel(2, 4) >> 16), 20);  // blue stays blue
  EXPECT_GT(int(img.pixel(2, 4) & 0xFF), 235);
  EXPECT_GT(int(img.pixel(21, 4) >> 16), 235);  // red stays red

  zbtest::TempDir dir;
  zbtest::writeBytes(dir.file("pic.jpg"), std::vector<unsigned char>(jpeg.begin(), jpeg.end()));
  OBitmap fromFile;
  ASSERT_TRUE(OBitmap::loadJpegFile(fromFile, dir.file("pic.jpg")));
  EXPECT_EQ(fromFile.pixel(21, 4), img.pixel(21, 4));
}
