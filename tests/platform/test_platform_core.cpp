#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Files.h"
#include "platform/Random.h"
#include "platform/Script.h"
#include "platform/TextRender.h"
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

// A folder whose name holds a backslash is a folder, not two.
TEST(Files, AnExistingFolderWithABackslashIsKeptWhole) {
  zbtest::TempDir dir;
  std::filesystem::create_directories(dir.file("a\\b/Music"));
  zbtest::writeBytes(dir.file("a\\b/Music/slow0.mid"), {1});
  EXPECT_EQ(zb::resolvePath(dir.file("a\\b/music\\SLOW0.mid")), dir.file("a\\b/Music/slow0.mid"));
  EXPECT_TRUE(zb::fileExists(dir.file("a\\b/music/slow0.mid")));
}

TEST(Script, FilesAreBoundedAndFoldersRefused) {
  zbtest::TempDir dir;
  std::vector<zb::ScriptStep> steps;
  std::string error;
  EXPECT_FALSE(zb::loadScriptFile(dir.path(), steps, error));
  EXPECT_NE(error.find("folder"), std::string::npos);
  EXPECT_FALSE(zb::loadScriptFile("/dev/zero", steps, error));
  EXPECT_NE(error.find("larger"), std::string::npos);
  const std::string longType = "type " + std::string(zb::kMaxScriptLineBytes, 'a') + "\n";
  zbtest::writeBytes(dir.file("long.zbs"), std::vector<unsigned char>(longType.begin(), longType.end()));
  EXPECT_FALSE(zb::loadScriptFile(dir.file("long.zbs"), steps, error));
  EXPECT_EQ(error.rfind("line 1:", 0), 0u);
  const std::string fine = "wait 30\ntype " + std::string(100, 'a') + "\nquit\n";
  zbtest::writeBytes(dir.file("fine.zbs"), std::vector<unsigned char>(fine.begin(), fine.end()));
  ASSERT_TRUE(zb::loadScriptFile(dir.file("fine.zbs"), steps, error)) << error;
  EXPECT_EQ(steps.size(), 3u);
}

// With no font at all (an empty fontconfig set-up) texts stay blank, and
// the face looked for is named once.
TEST(TextRender, AMissingFontIsNamedOnce) {
  zbtest::TempDir dir;
  const std::string config = "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  zbtest::writeBytes(dir.file("fonts.conf"), std::vector<unsigned char>(config.begin(), config.end()));
  setenv("FONTCONFIG_FILE", dir.file("fonts.conf").c_str(), 1);
  zb::TextFont font;
  font.face = "Arial";
  font.pixelHeight = 16;
  zb::TextPixels out;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(zb::renderText(font, "Top 10", 0xFFFFFF, 0, out));
  int w = 0, h = 0;
  EXPECT_FALSE(zb::measureText(font, "Top 10", w, h));
  const std::string said = testing::internal::GetCapturedStderr();
  unsetenv("FONTCONFIG_FILE");
  EXPECT_NE(said.find("\"Arial\""), std::string::npos) << said;
  EXPECT_EQ(said.find("Arial"), said.rfind("Arial")) << said;
}
