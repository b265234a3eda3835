#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Files.h"
#include "platform/Random.h"
#include "tests/support/TestSupport.h"

TEST(Random, FollowsTheRecurrenceFromSeedOne) {
  zb::seedRandom(1);
  // state1 = 22695478 -> (state >> 16) & 0x7FFF = 346
  EXPECT_EQ(zb::random(), 346);
  uint32_t s = 22695478u * 22695477u + 1u;
  EXPECT_EQ(zb::random(), static_cast<int>((s >> 16) & 0x7FFF));
  zb::seedRandom(1);
  EXPECT_EQ(zb::random(10), 346 % 10);
  EXPECT_EQ(zb::random(0), 0);
}

TEST(Files, ResolvesComponentsIgnoringCaseAndSeparator) {
  zbtest::TempDir dir;
  std::filesystem::create_directories(dir.file("clp/Tessel"));
  zbtest::writeBytes(dir.file("clp/Tessel/gst.clp"), {1, 2, 3});
  EXPECT_EQ(zb::resolvePath(dir.path() + "\\CLP\\tessel\\GST.clp"), dir.file("clp/Tessel/gst.clp"));
  EXPECT_TRUE(zb::fileExists(dir.path() + "/clp/TESSEL/gst.CLP"));
  // Missing components are kept as written so new files can be created.
  EXPECT_EQ(zb::resolvePath(dir.path() + "/Save/x.sav"), dir.file("Save/x.sav"));
  EXPECT_TRUE(zb::makeParentDirs(dir.path() + "/save/a/b.sav"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("save/a")));
}
