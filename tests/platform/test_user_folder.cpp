#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/Files.h"
#include "platform/UserFolder.h"
#include "tests/support/TestSupport.h"

namespace {

std::string readAll(const std::string& path) {
  FILE* f = zb::openFile(path, "rb");
  if (!f) return "(missing)";
  char buf[64];
  size_t n = std::fread(buf, 1, sizeof buf, f);
  std::fclose(f);
  return std::string(buf, n);
}

void writeText(const std::string& path, const std::string& text) {
  zbtest::writeBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

}  // namespace

// The game runs in the per-user folder with the pack behind it: reads fall
// through to the pack, a user copy wins, writes stay in the user folder.
TEST(UserFolder, ReadsFallBackToThePackAndWritesStayInTheWorkingFolder) {
  zbtest::TempDir user, pack;
  std::filesystem::create_directories(pack.file("clp"));
  std::filesystem::create_directories(pack.file("music"));
  writeText(pack.file("clp/i1.clp"), "pack picture");
  writeText(pack.file("clp/lc.clp"), "pack frame");
  writeText(pack.file("music/slow0.mid"), "pack tune");
  std::filesystem::create_directories(user.file("CLP"));
  writeText(user.file("CLP/I1.clp"), "user picture");

  const std::string before = std::filesystem::current_path().string();
  ASSERT_EQ(::chdir(user.path().c_str()), 0);
  zb::setPackFolder(pack.path());
  EXPECT_EQ(readAll("clp/i1.clp"), "user picture");
  EXPECT_EQ(readAll("clp\\LC.clp"), "pack frame");
  // Music is named by an absolute path inside the working folder.
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(readAll(cwd + "\\music\\slow0.mid"), "pack tune");
  EXPECT_EQ(readAll("clp/none.clp"), "(missing)");

  FILE* w = zb::openFile("clp/lc.clp", "wb");
  ASSERT_NE(w, nullptr);
  std::fputs("user frame", w);
  std::fclose(w);
  EXPECT_EQ(readAll("clp/lc.clp"), "user frame");
  EXPECT_EQ(zbtest::readBytes(pack.file("clp/lc.clp")).size(), std::string("pack frame").size());

  zb::setPackFolder("");
  EXPECT_EQ(readAll("music/slow0.mid"), "(missing)");
  ASSERT_EQ(::chdir(before.c_str()), 0);
}

TEST(UserFolder, FollowsXdgDataHomeElseHome) {
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const char* oldHome = std::getenv("HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
  ::setenv("HOME", "/home/player", 1);
  ::setenv("XDG_DATA_HOME", "/data/player", 1);
  EXPECT_EQ(zb::userFolderPath(), "/data/player/zenbox");
  // A relative or empty value is no valid base folder.
  ::setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(zb::userFolderPath(), "/home/player/.local/share/zenbox");
  ::setenv("XDG_DATA_HOME", "", 1);
  EXPECT_EQ(zb::userFolderPath(), "/home/player/.local/share/zenbox");
  ::unsetenv("HOME");
  EXPECT_EQ(zb::userFolderPath(), "");
  oldXdg ? ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
  oldHome ? ::setenv("HOME", savedHome.c_str(), 1) : ::unsetenv("HOME");
}
