#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "storage/Container.h"
#include "tests/support/TestSupport.h"

namespace {

const char* kKey = "TideMarsh";

std::string textOfSize(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += char('a' + i % 26);
  return s;
}

TEST(Crc32, CheckValueAndEmptyText) {
  EXPECT_EQ(Crc32("123456789", 9), 0xFC891918u);
  EXPECT_EQ(Crc32("", 0), 0u);
  EXPECT_NE(Crc32("a", 1), Crc32("b", 1));
}

TEST(ContainerBuffer, CipherLengthAddsTailBlock) {
  std::vector<uint8_t> buf(64);
  for (int n : {0, 1, 7, 8, 9, 13, 15, 16, 40}) {
    std::string text = textOfSize(size_t(n));
    EXPECT_EQ(EncryptBuffer(text.data(), n, buf.data(), int(buf.size()), kKey), 8 * (n / 8) + 8) << n;
  }
}

TEST(ContainerBuffer, InPlaceRoundTripEverySizeClass) {
  for (int n = 0; n <= 41; ++n) {
    std::string text = textOfSize(size_t(n));
    std::vector<uint8_t> buf(size_t(n) + 8);
    std::memcpy(buf.data(), text.data(), size_t(n));
    int len = EncryptBuffer(buf.data(), n, buf.data(), int(buf.size()), kKey);
    ASSERT_EQ(len, 8 * (n / 8) + 8);
    if (n > 0) {
      EXPECT_NE(0, std::memcmp(buf.data(), text.data(), size_t(n < 8 ? n : 8)));
    }
    int back = DecryptBuffer(buf.data(), len, buf.data(), len, kKey);
    ASSERT_EQ(back, n);
    EXPECT_EQ(0, std::memcmp(buf.data(), text.data(), size_t(n)));
  }
}

TEST(ContainerBuffer, SeparateBuffersMatchInPlace) {
  std::string text = "The quick brown fox jumps";
  std::vector<uint8_t> a(text.size() + 8), b(text.size() + 8);
  std::memcpy(b.data(), text.data(), text.size());
  int la = EncryptBuffer(text.data(), int(text.size()), a.data(), int(a.size()), kKey);
  int lb = EncryptBuffer(b.data(), int(text.size()), b.data(), int(b.size()), kKey);
  ASSERT_EQ(la, lb);
  EXPECT_EQ(a, b);
}

TEST(ContainerBuffer, SmallCapacityWritesNothing) {
  std::vector<uint8_t> buf(16, 0xAA);
  EXPECT_EQ(EncryptBuffer("0123456789", 10, buf.data(), 15, kKey), 16);
  EXPECT_EQ(buf, std::vector<uint8_t>(16, 0xAA));

  std::vector<uint8_t> cipher(16);
  EncryptBuffer("0123456789", 10, cipher.data(), 16, kKey);
  EXPECT_EQ(DecryptBuffer(cipher.data(), 16, buf.data(), 15, kKey), 16);
  EXPECT_EQ(DecryptBuffer(cipher.data(), 16, buf.data(), 0, kKey), 16);
  EXPECT_EQ(buf, std::vector<uint8_t>(16, 0xAA));
}

TEST(ContainerBuffer, DecryptRoundsLengthDownAndRejectsShortInput) {
  std::vector<uint8_t> cipher(24), out(24);
  EncryptBuffer("0123456789ABC", 13, cipher.data(), 24, kKey);  // 16 bytes
  EXPECT_EQ(DecryptBuffer(cipher.data(), 7, out.data(), 24, kKey), 0);
  EXPECT_EQ(DecryptBuffer(cipher.data(), -5, out.data(), 24, kKey), 0);
  EXPECT_EQ(DecryptBuffer(cipher.data(), 19, out.data(), 24, kKey), 13);
  EXPECT_EQ(0, std::memcmp(out.data(), "0123456789ABC", 13));
  EXPECT_EQ(EncryptBuffer("x", -1, out.data(), 24, kKey), 0);
}

// A last block whose count byte is not 0..7 cannot be a tail block.
TEST(ContainerBuffer, TailCountOutsideRangeIsRejected) {
  for (uint8_t count : {uint8_t(8), uint8_t(100), uint8_t(0xFD), uint8_t(0x80)}) {
    uint8_t plain[16] = {0};
    plain[15] = count;
    std::vector<uint8_t> cipher(24), out(24);
    EncryptBuffer(plain, 16, cipher.data(), 24, kKey);
    // The first two cipher blocks alone decipher to plain (CBC prefix).
    EXPECT_EQ(DecryptBuffer(cipher.data(), 16, out.data(), 24, kKey), -1) << int(count);
  }
}

TEST(ContainerKey, OnlyFirstEightBytesCountAndParityBitsAreIgnored) {
  std::vector<uint8_t> a(16), b(16), c(16), d(16);
  EncryptBuffer("payload", 7, a.data(), 16, "TideMarsh");
  EncryptBuffer("payload", 7, b.data(), 16, "TideMarsX-anything");
  EncryptBuffer("payload", 7, c.data(), 16, "UhdeMarsh");  // 'T' ^ 1: the unused low bit
  EncryptBuffer("payload", 7, d.data(), 16, "TideMArsh");
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  EXPECT_NE(a, d);
}

// Whole container files computed by a separate, slow implementation of the
// cipher (halves read least significant byte first), zero tail filler.
TEST(ContainerKnownAnswer, FilesOfTwoKinds) {
  zbtest::TempDir dir;
  const struct {
    const char* text;
    const char* key;
    const char* hex;
  } cases[] = {
      {"Music=1\n", "TideMarsh", "9d7425051fe273cc5c60805c961378d40f7fdc97"},
      {"Game.Level=2\n", "58207413", "bf18d5f7ac6365c5d56cf16bdb53e2fc0fabbbcd"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(SaveEncryptedText(dir.file("k.cfg"), c.text, c.key));
    std::string hex;
    char buf[3];
    for (unsigned char b : zbtest::readBytes(dir.file("k.cfg"))) {
      std::snprintf(buf, sizeof buf, "%02x", b);
      hex += buf;
    }
    EXPECT_EQ(hex, c.hex) << c.text;
  }
}

class ContainerFile : public ::testing::Test {
protected:
  zbtest::TempDir dir;
  std::string path = dir.file("data.cfg");
};

TEST_F(ContainerFile, SizeClassesRoundTrip) {
  const std::pair<size_t, size_t> cases[] = {{0, 12}, {1, 12}, {7, 12}, {8, 20}, {13, 20}, {16, 28}, {1000, 1012}};
  for (auto [n, fileSize] : cases) {
    std::string text = textOfSize(n);
    ASSERT_TRUE(SaveEncryptedText(path, text, kKey));
    auto bytes = zbtest::readBytes(path);
    EXPECT_EQ(bytes.size(), fileSize) << n;
    uint32_t crc = Crc32(text.data(), text.size());
    EXPECT_EQ(bytes[bytes.size() - 4], uint8_t(crc));
    EXPECT_EQ(bytes[bytes.size() - 1], uint8_t(crc >> 24));
    std::string back = "old";
    ASSERT_TRUE(LoadEncryptedText(path, back, kKey)) << n;
    EXPECT_EQ(back, text);
  }
}

TEST_F(ContainerFile, EmptyTextIsOneTailBlockAndZeroCrc) {
  ASSERT_TRUE(SaveEncryptedText(path, "", kKey));
  auto bytes = zbtest::readBytes(path);
  ASSERT_EQ(bytes.size(), 12u);
  EXPECT_EQ(std::vector<unsigned char>(bytes.end() - 4, bytes.end()), std::vector<unsigned char>(4, 0));
  std::string out = "previous";
  ASSERT_TRUE(LoadEncryptedText(path, out, kKey));
  EXPECT_EQ(out, "");
}

TEST_F(ContainerFile, ZeroBytesInTextSurvive) {
  std::string text("a\0b\0\0c", 6);
  ASSERT_TRUE(SaveEncryptedText(path, text, kKey));
  std::string out;
  ASSERT_TRUE(LoadEncryptedText(path, out, kKey));
  EXPECT_EQ(out, text);
}

TEST_F(ContainerFile, WrongKeyFailsAndKeepsOutput) {
  ASSERT_TRUE(SaveEncryptedText(path, "Music=1\n", kKey));
  std::string out = "unchanged";
  EXPECT_FALSE(LoadEncryptedText(path, out, "TideMArsh"));
  EXPECT_FALSE(LoadEncryptedText(path, out, "58207413"));
  EXPECT_EQ(out, "unchanged");
  EXPECT_TRUE(LoadEncryptedText(path, out, "TideMarsQ"));
  EXPECT_EQ(out, "Music=1\n");
}

TEST_F(ContainerFile, EverySingleByteChangeIsDetected) {
  std::string text = "Game = {\n\tLevel=2\n}\nName=\"x\"\n";
  ASSERT_TRUE(SaveEncryptedText(path, text, kKey));
  auto good = zbtest::readBytes(path);
  std::vector<std::string> seeds;
  for (size_t i = 0; i < good.size(); ++i) {
    for (uint8_t flip : {uint8_t(0x01), uint8_t(0x80), uint8_t(0xFF)}) {
      auto bad = good;
      bad[i] ^= flip;
      zbtest::writeBytes(path, bad);
      std::string out = "kept";
      EXPECT_FALSE(LoadEncryptedText(path, out, kKey)) << "byte " << i;
      EXPECT_EQ(out, "kept");
    }
  }
}

TEST_F(ContainerFile, ShortAndOddLengthFiles) {
  std::string out = "kept";
  for (size_t n : {0, 1, 3}) {
    zbtest::writeBytes(path, std::vector<unsigned char>(n, 0));
    EXPECT_FALSE(LoadEncryptedText(path, out, kKey)) << n;
  }
  // 4 to 11 bytes hold no cipher block: an empty text, valid only with CRC 0.
  for (size_t n : {4, 7, 11}) {
    zbtest::writeBytes(path, std::vector<unsigned char>(n, 0));
    out = "kept";
    EXPECT_TRUE(LoadEncryptedText(path, out, kKey)) << n;
    EXPECT_EQ(out, "");
    auto bytes = std::vector<unsigned char>(n, 0);
    bytes[n - 1] = 1;
    zbtest::writeBytes(path, bytes);
    out = "kept";
    EXPECT_FALSE(LoadEncryptedText(path, out, kKey)) << n;
    EXPECT_EQ(out, "kept");
  }
  // Trailing bytes after a sound file move the CRC and break it.
  ASSERT_TRUE(SaveEncryptedText(path, "Sound=0\n", kKey));
  auto bytes = zbtest::readBytes(path);
  bytes.insert(bytes.end(), {1, 2, 3});
  zbtest::writeBytes(path, bytes);
  EXPECT_FALSE(LoadEncryptedText(path, out, kKey));
  // Truncated anywhere.
  ASSERT_TRUE(SaveEncryptedText(path, textOfSize(30), kKey));
  auto whole = zbtest::readBytes(path);
  for (size_t n = 0; n < whole.size(); ++n) {
    zbtest::writeBytes(path, std::vector<unsigned char>(whole.begin(), whole.begin() + long(n)));
    out = "kept";
    EXPECT_FALSE(LoadEncryptedText(path, out, kKey)) << n;
    EXPECT_EQ(out, "kept");
  }
}

TEST_F(ContainerFile, MissingFileFails) {
  std::string out = "kept";
  EXPECT_FALSE(LoadEncryptedText(dir.file("nothing.cfg"), out, kKey));
  EXPECT_EQ(out, "kept");
}

TEST_F(ContainerFile, SaveReplacesWholeFileAndLeavesNoTemporaries) {
  ASSERT_TRUE(SaveEncryptedText(path, textOfSize(500), kKey));
  ASSERT_TRUE(SaveEncryptedText(path, "short", kKey));
  std::string out;
  ASSERT_TRUE(LoadEncryptedText(path, out, kKey));
  EXPECT_EQ(out, "short");
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST_F(ContainerFile, FailedSaveKeepsOldFile) {
  ASSERT_TRUE(SaveEncryptedText(path, "old", kKey));
  // A directory in the way of the rename: the save fails, nothing is left behind.
  std::string blocked = dir.file("blocked.sav");
  std::filesystem::create_directory(blocked);
  EXPECT_FALSE(SaveEncryptedText(blocked, "new", kKey));
  EXPECT_TRUE(std::filesystem::is_directory(blocked));
  EXPECT_FALSE(SaveEncryptedText(dir.file("no/such/dir/x.sav"), "new", kKey));
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 2);
  std::string out;
  ASSERT_TRUE(LoadEncryptedText(path, out, kKey));
  EXPECT_EQ(out, "old");
}

// Replacing a file keeps what its owner chose for it: its permission bits,
// and a file that may not be written is not replaced either.
TEST_F(ContainerFile, SaveKeepsModeOfExistingFile) {
  ASSERT_TRUE(SaveEncryptedText(path, "old", kKey));
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  ASSERT_TRUE(SaveEncryptedText(path, "new", kKey));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(ContainerFile, ReadOnlyFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  ASSERT_TRUE(SaveEncryptedText(path, "old", kKey));
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(SaveEncryptedText(path, "new", kKey));
  std::string out;
  ASSERT_TRUE(LoadEncryptedText(path, out, kKey));
  EXPECT_EQ(out, "old");
}

// A save killed mid-write leaves its temporary; the next save of that
// kind of file clears the old ones, not a younger one that another save
// may still be writing, nor anybody else's files.
TEST_F(ContainerFile, SavingClearsTemporariesLeftByAKilledSave) {
  const std::vector<unsigned char> junk{1, 2, 3};
  for (const char* name : {"data.cfg.tmp-a1B2c3", "other.cfg.tmp-zzzzzz", "young.cfg.tmp-q1w2e3", "game.sav.tmp-a1B2c3",
                           "notes.cfg.tmp-toolong1"})
    zbtest::writeBytes(dir.file(name), junk);
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* name : {"data.cfg.tmp-a1B2c3", "other.cfg.tmp-zzzzzz", "game.sav.tmp-a1B2c3", "notes.cfg.tmp-toolong1"})
    std::filesystem::last_write_time(dir.file(name), old);
  ASSERT_TRUE(SaveEncryptedText(path, "new", kKey));
  std::set<std::string> left;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) left.insert(e.path().filename().string());
  EXPECT_EQ(left, (std::set<std::string>{"data.cfg", "young.cfg.tmp-q1w2e3", "game.sav.tmp-a1B2c3",
                                         "notes.cfg.tmp-toolong1"}));
}

// A settings file kept elsewhere through a link: the save goes to the
// link's target and the link stays a link.
TEST_F(ContainerFile, SavingThroughALinkReplacesItsTarget) {
  std::filesystem::create_directory(dir.file("real"));
  const std::string target = dir.file("real/zenbox.cfg");
  ASSERT_TRUE(SaveEncryptedText(target, "old", kKey));
  std::filesystem::create_symlink("real/zenbox.cfg", path);
  ASSERT_TRUE(SaveEncryptedText(path, "new", kKey));
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  std::string out;
  ASSERT_TRUE(LoadEncryptedText(target, out, kKey));
  EXPECT_EQ(out, "new");
}

TEST_F(ContainerFile, PathsResolveLetterCase) {
  std::filesystem::create_directory(dir.file("Save"));
  ASSERT_TRUE(SaveEncryptedText(dir.file("Save/Game.sav"), "one", kKey));
  ASSERT_TRUE(SaveEncryptedText(dir.file("save\\game.SAV"), "two", kKey));
  std::string out;
  ASSERT_TRUE(LoadEncryptedText(dir.file("Save/Game.sav"), out, kKey));
  EXPECT_EQ(out, "two");
}

TEST(ContainerSeeds, WriteFuzzSeeds) {
  std::string seedDir = zbtest::fuzzSeedDir("fuzz_container");
  const char* texts[] = {"", "Music=1\n", "Game = {\n\tOptions = {\n\t\tLevel=1\n\t}\n}\n", "0123456789ABC"};
  int i = 0;
  for (const char* t : texts) {
    std::string p = seedDir + "/seed" + std::to_string(i++);
    ASSERT_TRUE(SaveEncryptedText(p, t, kKey));
  }
}

}  // namespace
