#include <gtest/gtest.h>

#include <vector>

#include "platform/PngWriter.h"
#include "tests/support/TestSupport.h"

TEST(PngWriter, WritesPngFilesAndRefusesBadArguments) {
  zbtest::TempDir dir;
  std::vector<uint8_t> rgb(4 * 3 * 3, 0x80), rgba(2 * 2 * 4, 0xFF);
  ASSERT_TRUE(zb::writePng(dir.file("shots/a.png"), 4, 3, rgb.data(), 12, false));
  ASSERT_TRUE(zb::writePng(dir.file("b.png"), 2, 2, rgba.data(), 8, true));
  const auto bytes = zbtest::readBytes(dir.file("shots/a.png"));
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes[0], 0x89);
  EXPECT_EQ(bytes[1], 'P');
  EXPECT_FALSE(zb::writePng(dir.file("c.png"), 4, 3, rgb.data(), 11, false));  // stride too small
  EXPECT_FALSE(zb::writePng(dir.file("d.png"), 0, 3, rgb.data(), 12, false));
  EXPECT_FALSE(zb::writePng(dir.file("e.png"), 4, 3, nullptr, 12, false));
}
