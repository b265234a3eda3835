#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
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

// A disk that fills up mid-write: the write is reported as failed, the old
// picture stays whole and no temporary is left behind.
TEST(PngWriter, AFullDiskIsAFailureAndKeepsTheOldFile) {
  zbtest::TempDir dir;
  std::vector<uint8_t> small(4 * 3 * 3, 0x80);
  ASSERT_TRUE(zb::writePng(dir.file("a.png"), 4, 3, small.data(), 12, false));
  const auto before = zbtest::readBytes(dir.file("a.png"));
  EXPECT_FALSE(zb::writePng("/dev/full", 4, 3, small.data(), 12, false));

  std::vector<uint8_t> noise(200 * 200 * 3);
  uint32_t x = 2463534242u;  // xorshift: noise does not compress
  for (uint8_t& b : noise) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<uint8_t>(x);
  }
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, SIG_IGN);
  rlimit cap = old;
  cap.rlim_cur = 4096;  // files stop growing here, as on a full disk
  setrlimit(RLIMIT_FSIZE, &cap);
  const bool written = zb::writePng(dir.file("a.png"), 200, 200, noise.data(), 600, false);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(written);
  EXPECT_EQ(zbtest::readBytes(dir.file("a.png")), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
