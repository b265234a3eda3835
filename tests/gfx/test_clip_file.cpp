#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/ClipWriter.h"
#include "gfx/OClip.h"
#include "storage/Container.h"
#include "tests/gfx/GfxTestSupport.h"
#include "tests/support/TestSupport.h"

using gfxtest::noise;
using gfxtest::solid;

namespace {

std::vector<uint8_t> bytesOf(const ClipWriter& w) {
  std::vector<uint8_t> out;
  EXPECT_TRUE(w.write(out));
  return out;
}

bool loadBytes(OClip& clip, const std::vector<uint8_t>& bytes) { return clip.loadFromMemory(bytes.data(), bytes.size()); }

void putI32(std::vector<uint8_t>& b, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}

std::vector<uint8_t> header(int32_t n, int32_t s, int32_t section = 0) {
  std::vector<uint8_t> b(28, 0);
  std::memcpy(b.data(), "okramind clp", 12);
  putI32(b, 12, n);
  putI32(b, 16, s);
  putI32(b, 20, section);
  return b;
}

void appendI32(std::vector<uint8_t>& b, int32_t v) {
  b.resize(b.size() + 4);
  putI32(b, b.size() - 4, v);
}

void appendRawImage(std::vector<uint8_t>& b, int w, int h, int kind = 0) {
  appendI32(b, w);
  appendI32(b, h);
  appendI32(b, kind);
  b.insert(b.end(), size_t(w) * h * 3, 0x11);
}

bool samePixels(const OBitmap& a, const OBitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y) || a.alphaAt(x, y) != b.alphaAt(x, y)) return false;
  return true;
}

}  // namespace

TEST(ClipLoad, PlainClipMakesEveryImageAKeyedFrame) {
  ClipWriter w;
  for (int i = 0; i < 3; ++i) {
    OBitmap b = solid(4 + i, 3, 0x100000 * (i + 1));
    b.setPixel(0, 0, 0xFF00FF);
    w.addImage(b);
  }
  OClip clip;
  ASSERT_TRUE(loadBytes(clip, bytesOf(w)));
  EXPECT_EQ(clip.imageCount, 3);
  EXPECT_EQ(clip.sequenceCount, 0);
  EXPECT_EQ(clip.width, 6);
  EXPECT_EQ(clip.images[1]->colourKey, 0xFF00FF);
  EXPECT_EQ(clip.images[2]->pixel(5, 2), 0x300000u);
  clip.tickClip(100);
  clip.tickClip(100);
  clip.tickClip(100);
  EXPECT_EQ(clip.currentFrame, 0);  // wrapped after three frames
}

TEST(ClipLoad, OneSequencePutsFramesOnTheClipAndTwoMakeChildren) {
  ClipWriter one;
  one.addImage(solid(5, 5, 1));
  one.addImage(solid(9, 2, 2));
  one.addFrame(0, {1, 2, 1, 0, kActionStop, 0, 0});
  one.addFrame(0, {0, 0, 0, -1, 0, 0, 0});
  OClip a;
  ASSERT_TRUE(loadBytes(a, bytesOf(one)));
  EXPECT_TRUE(a.sequences.empty());
  ASSERT_EQ(a.images.size(), 2u);
  EXPECT_EQ(a.images[0]->width(), 9);
  EXPECT_EQ(a.images[0]->xOffset, 1);
  EXPECT_EQ(a.images[0]->action, kActionStop);

  ClipWriter two = one;
  two.addFrame(1, {0, 0, 0, -1, 0, 0, 0});
  OClip b;
  ASSERT_TRUE(loadBytes(b, bytesOf(two)));
  ASSERT_EQ(b.sequenceCount, 2);
  EXPECT_EQ(b.width, 9);
  EXPECT_EQ(b.height, 5);
  EXPECT_EQ(b.sequences[1]->parent, &b);
  EXPECT_EQ(b.currentImage(), b.sequences[0]->images[0].get());
}

TEST(ClipLoad, FrameKeysFromRecords) {
  ClipWriter w;
  OBitmap img = solid(2, 2, 0);
  img.setPixel(0, 0, 0x123456);
  w.addImage(img);
  w.addFrame(0, {0, 0, 0, 0x1000000, 0, 0, 0});
  w.addFrame(0, {0, 0, 0, 0x000000, 0, 0, 0});
  w.addFrame(0, {0, 0, 0, -7, 0, 0, 0});
  OClip clip;
  ASSERT_TRUE(loadBytes(clip, bytesOf(w)));
  EXPECT_EQ(clip.images[0]->colourKey, 0x123456);
  EXPECT_EQ(clip.images[1]->colourKey, 0);
  OBitmap dst = solid(2, 2, 0xFFFFFF);
  OBitmap::draw(dst, *clip.images[1], 0, 0);
  EXPECT_EQ(dst.pixel(1, 1), 0xFFFFFFu);  // black is transparent
  OBitmap::draw(dst, *clip.images[2], 0, 0);
  EXPECT_EQ(dst.pixel(1, 1), 0u);  // other negatives never match
}

TEST(ClipLoad, RecordsNamingOneImageShareItsPixelsAndUnusedImagesGo) {
  ClipWriter w;
  w.addImage(solid(3, 3, 0xAA));
  w.addImage(solid(3, 3, 0xBB));  // never used
  w.addFrame(0, {1, 1, 0, 5, 0, 0, 0});
  w.addFrame(0, {7, 8, 0, 6, 0, 0, 0});
  OClip clip;
  ASSERT_TRUE(loadBytes(clip, bytesOf(w)));
  ASSERT_EQ(clip.images.size(), 2u);
  EXPECT_EQ(clip.images[0]->data(), clip.images[1]->data());
  EXPECT_EQ(clip.images[1]->xOffset, 7);
  EXPECT_EQ(clip.images[0]->colourKey, 5);
  EXPECT_EQ(clip.images[1]->colourKey, 6);
  EXPECT_EQ(clip.images[0]->section()->users, 1);
}

TEST(ClipLoad, SharedSectionHoldsAllImages) {
  ClipWriter w;
  w.setSharedSection(20, 6);
  w.addImage(solid(8, 6, 1));
  w.addImage(solid(12, 4, 2));
  OClip clip;
  ASSERT_TRUE(loadBytes(clip, bytesOf(w)));
  ASSERT_TRUE(clip.sharedSection);
  EXPECT_EQ(clip.images[0]->section(), clip.sharedSection);
  EXPECT_EQ(clip.images[1]->section(), clip.sharedSection);
  EXPECT_EQ(clip.images[1]->pixel(11, 3), 2u);

  ClipWriter tooSmall;
  tooSmall.setSharedSection(10, 6);
  tooSmall.addImage(solid(8, 6, 1));
  tooSmall.addImage(solid(12, 4, 2));
  EXPECT_FALSE(loadBytes(clip, bytesOf(tooSmall)));
}

TEST(ClipLoad, ImageCountLimit) {
  std::vector<uint8_t> ok = header(1000, 0);
  for (int i = 0; i < 1000; ++i) appendRawImage(ok, 1, 1);
  OClip clip;
  EXPECT_TRUE(loadBytes(clip, ok));
  EXPECT_EQ(clip.imageCount, 1000);
  std::vector<uint8_t> tooMany = header(1001, 0);
  for (int i = 0; i < 1001; ++i) appendRawImage(tooMany, 1, 1);
  EXPECT_FALSE(loadBytes(clip, tooMany));
  EXPECT_FALSE(loadBytes(clip, header(-1, 0)));
}

TEST(ClipLoad, MalformedHeadersAndRecordsFail) {
  OClip clip;
  std::vector<uint8_t> badSig = header(0, 0);
  badSig[0] = 'O';
  EXPECT_FALSE(loadBytes(clip, badSig));
  std::vector<uint8_t> shortHeader = header(0, 0);
  shortHeader.pop_back();
  EXPECT_FALSE(loadBytes(clip, shortHeader));
  EXPECT_TRUE(loadBytes(clip, header(0, 0)));
  EXPECT_FALSE(loadBytes(clip, header(0, -1)));
  EXPECT_FALSE(loadBytes(clip, header(0, 0, int32_t(0xFFFFFFFF))));  // section beyond limits
  EXPECT_FALSE(loadBytes(clip, header(0, 0, int32_t(0x3E802000))));  // 16000 x 8192: too large a block
  EXPECT_TRUE(loadBytes(clip, header(0, 0, int32_t(0x19000258))));  // 6400 x 600 is fine

  for (auto [w, h] : {std::pair{0, 1}, {-1, 5}, {5, -1}, {8193, 1}, {1, 8193}, {65536, 65536}, {INT32_MIN, 2}}) {
    std::vector<uint8_t> b = header(1, 0);
    appendI32(b, w);
    appendI32(b, h);
    appendI32(b, 0);
    b.insert(b.end(), 64, 0);
    EXPECT_FALSE(loadBytes(clip, b)) << w << "x" << h;
  }

  std::vector<uint8_t> truncated = header(1, 0);
  appendRawImage(truncated, 4, 4);
  truncated.pop_back();
  EXPECT_FALSE(loadBytes(clip, truncated));

  std::vector<uint8_t> noAlpha = header(1, 0);
  appendRawImage(noAlpha, 2, 2, 4);  // kind 4 needs 4 more alpha bytes
  EXPECT_FALSE(loadBytes(clip, noAlpha));

  std::vector<uint8_t> badIndex = header(1, 1);
  appendRawImage(badIndex, 2, 2);
  appendI32(badIndex, 1);
  for (int32_t v : {0, 0, 1, -1, 0, 0, 0}) appendI32(badIndex, v);
  EXPECT_FALSE(loadBytes(clip, badIndex));
  putI32(badIndex, badIndex.size() - 20, -1);
  EXPECT_FALSE(loadBytes(clip, badIndex));

  std::vector<uint8_t> hugeFrames = header(1, 1);
  appendRawImage(hugeFrames, 2, 2);
  appendI32(hugeFrames, 0x7FFFFFFF);
  EXPECT_FALSE(loadBytes(clip, hugeFrames));

  std::vector<uint8_t> hugeSequences = header(0, 0x7FFFFFFF);
  EXPECT_FALSE(loadBytes(clip, hugeSequences));
}

TEST(ClipLoad, AFailedLoadKeepsTheFramesReadSoFar) {
  ClipWriter w;
  w.addImage(solid(3, 3, 1));
  w.addFrame(0, {0, 0, 0, -1, 0, 0, 0});
  w.addFrame(1, {0, 0, 0, -1, 0, 0, 0});
  std::vector<uint8_t> b = bytesOf(w);
  putI32(b, b.size() - 20, 4);  // second sequence names a missing image
  OClip clip;
  clip.x = 50;
  EXPECT_FALSE(loadBytes(clip, b));
  EXPECT_EQ(clip.x, 0);  // fields were reset before reading
  ASSERT_EQ(clip.sequences.size(), 2u);
  EXPECT_EQ(clip.sequences[0]->images.size(), 1u);
  EXPECT_TRUE(clip.sequences[1]->images.empty());
}

TEST(ClipLoad, BadJpegPayloadsFail) {
  OClip clip;
  for (auto [plain, stored] : {std::pair{0, 8}, {-5, 8}, {8, -1}, {9, 8}, {4, 0x7FFFFFF0}, {4, 16}}) {
    std::vector<uint8_t> b = header(1, 0);
    appendI32(b, 4);
    appendI32(b, 4);
    appendI32(b, 10);
    appendI32(b, plain);
    appendI32(b, stored);
    b.insert(b.end(), 8, 0x5A);
    EXPECT_FALSE(loadBytes(clip, b)) << plain << " " << stored;
  }
}

TEST(ClipLoad, AJpegThatLibjpegRejectsFails) {
  std::vector<uint8_t> junk(200, 0x37);
  junk[0] = 0xFF, junk[1] = 0xD8;  // a start marker, then nonsense
  std::vector<uint8_t> cipher(junk.size() + 8);
  const int stored = EncryptBuffer(junk.data(), int(junk.size()), cipher.data(), int(cipher.size()), "QuillBox");
  std::vector<uint8_t> b = header(1, 0);
  appendI32(b, 8);
  appendI32(b, 8);
  appendI32(b, 10);
  appendI32(b, int32_t(junk.size()));
  appendI32(b, stored);
  b.insert(b.end(), cipher.begin(), cipher.begin() + stored);
  OClip clip;
  EXPECT_FALSE(loadBytes(clip, b));
  // The same payload under another key does not decipher to the plain length.
  std::vector<uint8_t> wrongKey = b;
  EncryptBuffer(junk.data(), int(junk.size()), wrongKey.data() + 48, stored, "OtherKey");
  EXPECT_FALSE(loadBytes(clip, wrongKey));
}

TEST(ClipLoad, MissingFileFailsAndFilesLoadThroughResolvedPaths) {
  OClip clip;
  EXPECT_FALSE(clip.load("/nonexistent/zenbox/clip.clp"));
  zbtest::TempDir dir;
  ClipWriter w;
  w.addImage(solid(2, 2, 7));
  ASSERT_TRUE(w.save(dir.file("clp/Pic.clp")));
  EXPECT_TRUE(clip.load(dir.file("CLP\\pic.clp")));
  EXPECT_EQ(clip.imageCount, 1);
}

TEST(ClipRoundTrip, EveryKindSurvivesWriteAndLoad) {
  OBitmap rawImg = noise(13, 7, 1, 0x00FF00, false);
  OBitmap alphaImg = noise(6, 9, 2, 0x00FF00, true);
  OBitmap photo = solid(32, 24, 0x3060C0);
  OBitmap photoAlpha = solid(16, 16, 0xC06030);
  photoAlpha.createAlpha(40);
  ClipWriter w;
  w.addImage(rawImg, ClipWriter::kRaw);
  w.addImage(alphaImg, ClipWriter::kRawAlpha);
  w.addImage(photo, ClipWriter::kJpeg, 95);
  w.addImage(photoAlpha, ClipWriter::kJpegAlpha, 95);
  for (int i = 0; i < 4; ++i) w.addFrame(i % 2, {i, -i, i, 0x00FF00, i, i * 10, i * 100});
  OClip clip;
  ASSERT_TRUE(loadBytes(clip, bytesOf(w)));
  ASSERT_EQ(clip.sequenceCount, 2);
  const OBitmap& r = *clip.sequences[0]->images[0];
  const OBitmap& a = *clip.sequences[1]->images[0];
  const OBitmap& j = *clip.sequences[0]->images[1];
  const OBitmap& ja = *clip.sequences[1]->images[1];
  EXPECT_TRUE(samePixels(r, rawImg));
  EXPECT_TRUE(samePixels(a, alphaImg));
  EXPECT_EQ(j.width(), 32);
  EXPECT_NEAR(int(j.pixel(10, 10) & 0xFF), 0xC0, 4);  // lossy, but close
  EXPECT_NEAR(int(j.pixel(10, 10) >> 16), 0x30, 4);
  EXPECT_EQ(ja.alphaAt(15, 15), 40);
  EXPECT_EQ(ja.action, 3);
  EXPECT_EQ(ja.arg1, 30);
  EXPECT_EQ(ja.arg2, 300);
  EXPECT_EQ(ja.xOffset, 3);
  EXPECT_EQ(ja.yOffset, -3);

  // Writing the loaded clip again gives the same file for the raw kinds.
  ClipWriter again = ClipWriter::fromClip(clip, ClipWriter::kRawAlpha);
  OClip reloaded;
  ASSERT_TRUE(loadBytes(reloaded, bytesOf(again)));
  EXPECT_TRUE(samePixels(*reloaded.sequences[1]->images[0], alphaImg));
  EXPECT_EQ(reloaded.sequences[1]->images[1]->arg2, 300);
}

TEST(ClipRoundTrip, WritesFuzzSeeds) {
  const std::string dir = zbtest::fuzzSeedDir("fuzz_clip");
  ClipWriter plain;
  plain.addImage(noise(5, 4, 1, 0, false));
  plain.addImage(noise(3, 3, 2, 0, true), ClipWriter::kRawAlpha);
  ClipWriter sequences;
  sequences.setSharedSection(24, 8);
  sequences.addImage(solid(8, 8, 0x102030), ClipWriter::kJpeg, 50);
  sequences.addImage(solid(8, 8, 0x302010), ClipWriter::kJpegAlpha, 50);
  sequences.addFrame(0, {0, 0, 0, -1, 3, 1, 1});
  sequences.addFrame(1, {0, 0, 1, 0, 5, 2, 3});
  sequences.addFrame(1, {1, 1, 0, 0x1000000, 4, 0, 1000});
  EXPECT_TRUE(plain.save(dir + "/plain.clp"));
  EXPECT_TRUE(sequences.save(dir + "/sequences.clp"));
  EXPECT_TRUE(std::filesystem::exists(dir + "/sequences.clp"));
}

TEST(ClipLoad, ASequenceCountBeyondAnyPictureFailsBeforeBuildingSequences) {
  // Each empty sequence costs the file four bytes but the clip a whole
  // child clip: a few megabytes of zeros must not become a million clips.
  std::vector<uint8_t> b = header(0, 0x7FFFFFFF);
  b.resize(b.size() + (size_t(4) << 20), 0);
  OClip clip;
  EXPECT_FALSE(loadBytes(clip, b));
  EXPECT_LE(clip.sequences.size(), 65536u);
}

TEST(ClipRoundTrip, TheWriterRefusesWhatTheLoaderWouldRefuse) {
  ClipWriter w;
  OBitmap pixel = solid(1, 1, 7);
  for (int i = 0; i < 1000; ++i) w.addImage(pixel);
  std::vector<uint8_t> out;
  EXPECT_TRUE(w.write(out));
  w.addImage(pixel);  // 1001 images: no loader would read the file
  EXPECT_FALSE(w.write(out));

  ClipWriter badFrame;
  badFrame.addImage(pixel);
  badFrame.addFrame(0, {0, 0, 1, -1, 0, 0, 0});  // names a missing image
  EXPECT_FALSE(badFrame.write(out));
}
