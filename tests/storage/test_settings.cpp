#include <gtest/gtest.h>

#include <filesystem>

#include "storage/Container.h"
#include "storage/Settings.h"
#include "tests/support/TestSupport.h"

namespace {

class SettingsFile : public ::testing::Test {
protected:
  zbtest::TempDir dir;
  std::string path = dir.file("zenbox.cfg");
  OConfig tree;

  std::string plainText() {
    std::string text;
    EXPECT_TRUE(LoadEncryptedText(path, text, "TideMarsh"));
    return text;
  }
  void writePlain(const std::string& text) { ASSERT_TRUE(SaveEncryptedText(path, text, "TideMarsh")); }
};

void expectDefaults(const zb::Settings& s) {
  EXPECT_EQ(s.music, 1);
  EXPECT_TRUE(s.sound);
  EXPECT_TRUE(s.directSound);
  EXPECT_TRUE(s.windowMode);
  EXPECT_TRUE(s.animation);
  EXPECT_EQ(s.playerName, "Anonymous");
  EXPECT_TRUE(s.globalAutosave);
  EXPECT_EQ(s.soundVolume, 1234);
  EXPECT_EQ(s.musicVolume, 4321);
  EXPECT_EQ(s.gameIndex, 255);
  EXPECT_EQ(s.gameKind, 0);
}

TEST_F(SettingsFile, MissingFileGivesFirstStartDefaults) {
  expectDefaults(zb::loadSettings(tree, 1234, 4321, path));
  EXPECT_TRUE(tree.values().empty());
}

TEST_F(SettingsFile, DamagedOrForeignFileGivesDefaults) {
  writePlain("Music=0\nSound=0\nPlayerName=\"Zed\"\n");
  auto bytes = zbtest::readBytes(path);
  bytes[3] ^= 0x10;
  zbtest::writeBytes(path, bytes);
  expectDefaults(zb::loadSettings(tree, 1234, 4321, path));

  ASSERT_TRUE(SaveEncryptedText(path, "Music=0\n", "KLOVKLOV"));  // another file kind
  expectDefaults(zb::loadSettings(tree, 1234, 4321, path));

  zbtest::writeBytes(path, {1, 2});  // truncated
  expectDefaults(zb::loadSettings(tree, 1234, 4321, path));
}

TEST_F(SettingsFile, AFileFarLargerThanTheGameWritesGivesDefaults) {
  std::string junk = "Music=0\n";
  for (int i = 0; i < 300; ++i) junk += "k" + std::to_string(i) + "=1\n";
  writePlain(junk);
  expectDefaults(zb::loadSettings(tree, 1234, 4321, path));
  EXPECT_TRUE(tree.values().empty());
}

TEST_F(SettingsFile, AFailedWriteIsReportedWithItsFile) {
  std::filesystem::create_directory(path);  // a folder where the file should be
  std::vector<zb::SaveFailure> failures;
  EXPECT_FALSE(zb::saveSettings(tree, zb::Settings(), false, path, &failures));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].file, path);
  EXPECT_EQ(failures[0].reason, "Is a directory");
}

TEST_F(SettingsFile, WritesEveryKeyAndNoGameKindWithoutGame) {
  zb::Settings s;
  s.music = 0;
  s.windowMode = false;
  s.playerName = "Ann \"A\"";
  s.soundVolume = 100;
  s.musicVolume = 65535;
  ASSERT_TRUE(zb::saveSettings(tree, s, false, path));
  EXPECT_EQ(plainText(),
            "Animation=1\nDirectSound=1\nGameIndex=-1\nGlobalAutosave=1\nMusic=0\nMusicVolume=65535\n"
            "PlayerName=\"Ann \\\"A\\\"\"\nSound=1\nSoundVolume=100\nWindowMode=0\n");
  zb::Settings back = zb::loadSettings(tree, 0, 0, path);
  EXPECT_EQ(back.music, 0);
  EXPECT_FALSE(back.windowMode);
  EXPECT_EQ(back.playerName, "Ann \"A\"");
  EXPECT_EQ(back.soundVolume, 100);
  EXPECT_EQ(back.musicVolume, 65535);
  EXPECT_EQ(back.gameIndex, 255);
}

TEST_F(SettingsFile, GameIndexAndKindRoundTripWhileAGameExists) {
  zb::Settings s;
  s.gameIndex = 1;
  s.gameKind = 4;
  tree.setInt("Stale", 1);  // rewriting starts from an empty tree
  ASSERT_TRUE(zb::saveSettings(tree, s, true, path));
  std::string text = plainText();
  EXPECT_NE(text.find("GameIndex=1\n"), std::string::npos);
  EXPECT_NE(text.find("GameKind=4\n"), std::string::npos);
  EXPECT_EQ(text.find("Stale"), std::string::npos);
  zb::Settings back = zb::loadSettings(tree, 0, 0, path);
  EXPECT_EQ(back.gameIndex, 1);
  EXPECT_EQ(back.gameKind, 4);
}

TEST_F(SettingsFile, OutOfRangeValuesFallBack) {
  writePlain("GameIndex=7\nGameKind=3\nSoundVolume=-5\nMusicVolume=99999\n");
  zb::Settings s = zb::loadSettings(tree, 1, 2, path);
  EXPECT_EQ(s.gameIndex, 255);
  EXPECT_EQ(s.gameKind, 0);
  EXPECT_EQ(s.soundVolume, 0);
  EXPECT_EQ(s.musicVolume, 65535);
  writePlain("GameIndex=2\nGameKind=3\n");  // Gyrex has kinds 0..2
  s = zb::loadSettings(tree, 1, 2, path);
  EXPECT_EQ(s.gameIndex, 2);
  EXPECT_EQ(s.gameKind, 0);
  writePlain("GameIndex=0\nGameKind=3\nSound=0\nMusic=2\n");
  s = zb::loadSettings(tree, 1, 2, path);
  EXPECT_EQ(s.gameIndex, 0);
  EXPECT_EQ(s.gameKind, 3);
  EXPECT_FALSE(s.sound);
  EXPECT_EQ(s.music, 2);
}

TEST_F(SettingsFile, ZoomKeepsItsStepAndOldWholeNumbersTheirMeaning) {
  zb::Settings s;
  ASSERT_TRUE(zb::saveSettings(tree, s, false, path));
  EXPECT_EQ(plainText().find("WindowZoom"), std::string::npos);  // not chosen yet
  for (auto [percent, text] : {std::pair{300, "3"}, {150, "1.5"}, {125, "1.25"}, {175, "1.75"}, {100, "1"}}) {
    s.zoom = percent;
    ASSERT_TRUE(zb::saveSettings(tree, s, false, path));
    EXPECT_NE(plainText().find(std::string("WindowZoom=") + text + "\n"), std::string::npos) << text;
    EXPECT_EQ(zb::loadSettings(tree, 0, 0, path).zoom, percent) << text;
  }
  // A file from before the quarter steps: a whole number is that many times.
  writePlain("WindowZoom=2\n");
  EXPECT_EQ(zb::loadSettings(tree, 0, 0, path).zoom, 200);
  for (const char* bad : {"99", "-2", "1.3", "2.5", "0", "1,5", "abc", "1.5x", "1e400"}) {
    writePlain(std::string("WindowZoom=") + bad + "\n");
    EXPECT_EQ(zb::loadSettings(tree, 0, 0, path).zoom, 0) << bad;
  }
}

TEST_F(SettingsFile, UnwritableFileIsReportedNotThrown) {
  zb::Settings s;
  EXPECT_FALSE(zb::saveSettings(tree, s, false, dir.file("missing/dir/zenbox.cfg")));
}

}  // namespace
