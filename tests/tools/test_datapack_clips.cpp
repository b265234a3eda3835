#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "gfx/OClip.h"
#include "platform/Files.h"
#include "tests/tools/PackFixture.h"
#include "tools/data/gen/DataPack.h"

namespace {

std::unique_ptr<OClip> loadClip(const std::string& name) {
  auto clip = std::make_unique<OClip>();
  EXPECT_TRUE(clip->load(zbtest::packPath(name))) << name;
  return clip;
}

const OBitmap& frame(const OClip& clip, int sequence, int index) {
  const OClip& target = clip.sequences.empty() ? clip : *clip.sequences.at(static_cast<size_t>(sequence));
  return *target.images.at(static_cast<size_t>(index));
}

void WritesEveryFileTheGameLoadsAndEveryClipLoads() {
  for (const std::string& name : zbtest::expectedPackFiles()) {
    EXPECT_TRUE(zb::fileExists(zbtest::generatedPack() + "/" + name)) << name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".clp") == 0) {
      OClip clip;
      EXPECT_TRUE(clip.load(zbtest::packPath(name))) << name;
      EXPECT_FALSE(clip.empty()) << name;
    }
  }
  // One folder per family, whatever case the game spells it in.
  EXPECT_TRUE(std::filesystem::is_directory(zbtest::generatedPack() + "/clp/Tessel"));
  EXPECT_FALSE(std::filesystem::exists(zbtest::generatedPack() + "/clp/tessel"));
  // Real clips of every storage kind make good starting points for the clip fuzzer.
  for (const char* seed : {"clp/bt0.clp", "clp/Gyrex/bg7.clp", "clp/Tessel/gst.clp", "clp/lc.clp", "clp/clp0.clp"}) {
    std::string name = std::filesystem::path(seed).filename().string();
    zbtest::writeBytes(zbtest::fuzzSeedDir("fuzz_clip") + "/pack-" + name, zbtest::readBytes(zbtest::packPath(seed)));
  }
}

void LetterSetsHoldTheirGlyphsThatStopOnTheirLetter() {
  const char* sets[4] = {"clp/alph.clp", "clp/alph2.clp", "clp/alph3.clp", "clp/alph4.clp"};
  int widths[4];
  for (int s = 0; s < 4; ++s) {
    auto clip = loadClip(sets[s]);
    ASSERT_EQ(clip->sequenceCount, 73) << sets[s];  // 39 plain glyphs, the Latin-1 ones, the apostrophe
    for (const auto& seq : clip->sequences) {
      ASSERT_GE(seq->imageCount, 3);  // counters roll from a random frame below count - 1
      EXPECT_EQ(seq->images.front()->action, kActionStop);
      EXPECT_EQ(seq->images.back()->action, kActionStop);
      EXPECT_TRUE(seq->images.front()->hasAlpha());
    }
    widths[s] = clip->width;
  }
  // The accented letters keep the cell of the plain ones (texts are laid
  // out with one letter size) yet show their marks: "\xC9" is not "E".
  for (int s = 0; s < 4; ++s) {
    auto clip = loadClip(sets[s]);
    const OBitmap& plain = *clip->sequences[14]->images.front();  // "E"
    // The sequences of E acute, N tilde, U umlaut, C cedilla, sharp s and
    // the inverted question mark.
    for (int c : {50, 58, 68, 48, 71, 40}) {
      const OBitmap& marked = *clip->sequences[size_t(c)]->images.front();
      ASSERT_EQ(marked.width(), plain.width()) << sets[s] << ' ' << c;
      ASSERT_EQ(marked.height(), plain.height());
      int differing = 0, ink = 0;
      for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
          differing += std::abs(marked.alphaAt(x, y) - plain.alphaAt(x, y)) > 64;
          ink += marked.alphaAt(x, y) < 128;
        }
      EXPECT_GT(differing, plain.width()) << sets[s] << ' ' << c;
      EXPECT_GT(ink, plain.width()) << sets[s] << ' ' << c;
    }
  }
  // Titles are the largest, panel captions the smallest letters.
  EXPECT_GT(widths[2], widths[0]);
  EXPECT_GT(widths[0], widths[1]);
  EXPECT_GE(widths[1], widths[3]);
  // The longest panel captions ("comp score", "for this") fit the 200-pixel
  // panel even with the largest random letter spacing.
  int w = widths[3];
  int widest = 9 * (w - w / 3 + (w * 2 / 11 - 1)) + w;
  EXPECT_LE(widest, 200);
}

void ControlsHaveTheStatesTheirControlsShow() {
  for (int i = 0; i < 3; ++i) EXPECT_EQ(loadClip("clp/bt" + std::to_string(i) + ".clp")->sequenceCount, 6);
  for (int i = 3; i < 6; ++i) EXPECT_EQ(loadClip("clp/bt" + std::to_string(i) + ".clp")->sequenceCount, 3);
  int rowWidth = 0;
  for (int n = 7; n <= 12; ++n) {
    auto clip = loadClip("clp/but" + std::to_string(n) + ".clp");
    EXPECT_EQ(clip->sequenceCount, 3);
    rowWidth += clip->width + 5;
    // Shaped buttons: the corners are transparent for the hit test too.
    const OBitmap& idle = frame(*clip, 0, 0);
    EXPECT_EQ(static_cast<int>(idle.pixel(0, 0)), idle.colourKey);
  }
  EXPECT_LE(rowWidth + 10, 200);  // one row across the side panel
}

void PicturesHaveTheSizesTheScreensPlaceThemAt() {
  struct Expect {
    const char* name;
    int w, h;
  };
  const Expect sizes[] = {{"clp/jp8.clp", 600, 600},     {"clp/jp9.clp", 200, 600},
                          {"clp/tessel/bg.clp", 600, 600}, {"clp/gyrex/bgnet.clp", 600, 600},
                          {"clp/i1.clp", 400, 400},      {"clp/Sinkra/p1.clp", 580, 6},
                          {"clp/Gyrex/cursor.clp", 42, 42}, {"clp/Gyrex/bg7.clp", 42, 22},
                          {"clp/Gyrex/bg8.clp", 22, 42}, {"clp/Gyrex/bg9.clp", 42, 22},
                          {"clp/Gyrex/bg10.clp", 22, 42}};
  for (const Expect& e : sizes) {
    auto clip = loadClip(e.name);
    EXPECT_EQ(clip->width, e.w) << e.name;
    EXPECT_EQ(clip->height, e.h) << e.name;
  }
  // Backgrounds are JPEG payloads drawn opaque: no key may punch holes.
  EXPECT_LT(frame(*loadClip("clp/jp8.clp"), 0, 0).colourKey, 0);
  EXPECT_EQ(frame(*loadClip("clp/i1.clp"), 0, 0).colourKey, 0x004129);
  for (int skin = 0; skin < 6; ++skin)
    for (int c = 1; c <= 6; ++c) {
      auto block = loadClip("clp/Sinkra/" + std::to_string(skin) + std::to_string(c) + ".clp");
      EXPECT_EQ(block->width, block->height);
      EXPECT_GE(block->width, 58);  // the largest cell is 580 / 10
      EXPECT_TRUE(frame(*block, 0, 0).hasAlpha());
    }
  auto curtain = loadClip("clp/lc.clp");
  EXPECT_GE(curtain->imageCount, 2);
  EXPECT_EQ(780 % curtain->width, 0);
  EXPECT_EQ(580 % curtain->height, 0);
}

void FamilyPicturesCarryEnoughChoicesAndFitTheBoards() {
  auto spark = loadClip("clp/tessel/gst.clp");
  EXPECT_GE(spark->sequenceCount, 6);
  for (const auto& seq : spark->sequences) {
    EXPECT_GE(seq->imageCount, 2);
    EXPECT_TRUE(seq->images.front()->hasAlpha());
  }
  for (int p = 7; p <= 10; ++p) EXPECT_GE(loadClip("clp/Gyrex/bg" + std::to_string(p) + ".clp")->imageCount, 6);
  // Tessel: launch pieces, ring, 11 x 11 interior and the button rows fit
  // the board whose edges are 12..590 and 11..593.
  auto h = loadClip("clp/Tessel/gbh0_0.clp");
  auto v = loadClip("clp/Tessel/gbv0_0.clp");
  int borderH = h->height, borderW = v->width;
  EXPECT_EQ(h->width, 38);
  EXPECT_EQ(v->height, 38);
  EXPECT_LE(12 + borderW + 11 + 13 * 38, 590 - borderW);
  EXPECT_LE(11 + borderH + 11 + 13 * 38, 593 - (borderH + 4));
  EXPECT_GE(borderH, 12);
}

void IconsAreThirtyTwoBitBitmaps() {
  for (const char* name : {"icon/icon101.bmp", "icon/icon102.bmp"}) {
    std::vector<unsigned char> b = zbtest::readBytes(zbtest::packPath(name));
    ASSERT_GT(b.size(), 122u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(b[28], 32);  // bits per pixel
    int w = b[18] | b[19] << 8;
    EXPECT_EQ(b.size(), 122u + static_cast<size_t>(w * w * 4));
  }
}

void TwoGenerationsGiveIdenticalBytesCheck() {
  zbtest::TempDir again;
  zbgen::PackResult r = zbgen::generateDataPack(again.path());
  ASSERT_TRUE(r.ok) << r.error;
  std::map<std::string, bool> seen;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(zbtest::generatedPack())) {
    if (!entry.is_regular_file()) continue;
    std::string rel = std::filesystem::relative(entry.path(), zbtest::generatedPack()).string();
    EXPECT_EQ(zbtest::readBytes(entry.path().string()), zbtest::readBytes(again.file(rel))) << rel;
    seen[rel] = true;
  }
  EXPECT_EQ(seen.size(), r.files.size());
}

// Mean luma change over the outer two pixels of a cell between a block
// drawn plain and drawn lit (scaled 4 pixels smaller, 2 pixels in), both
// over the board background: the ring that outlines a lit group.
double litContrast(const OBitmap& picture, const OBitmap& backdrop, int cell) {
  OBitmap plain, lit, normal, inset;
  OBitmap::scale(normal, picture, cell, cell);
  OBitmap::scale(inset, picture, cell - 4, cell - 4);
  normal.xOffset = normal.yOffset = inset.xOffset = inset.yOffset = 0;
  plain.create(cell, cell);
  lit.create(cell, cell);
  const ORect area{200, 200, 200 + cell, 200 + cell};
  OBitmap::draw(plain, backdrop, 0, 0, &area);
  OBitmap::draw(lit, backdrop, 0, 0, &area);
  OBitmap::draw(plain, normal, 0, 0);
  OBitmap::draw(lit, inset, 2, 2);
  auto luma = [](uint32_t c) {
    return 0.3 * ((c >> 16) & 255) + 0.59 * ((c >> 8) & 255) + 0.11 * (c & 255);
  };
  double sum = 0;
  int n = 0;
  for (int y = 0; y < cell; ++y) {
    for (int x = 0; x < cell; ++x) {
      if (x >= 2 && y >= 2 && x < cell - 2 && y < cell - 2) continue;
      sum += std::abs(luma(plain.pixel(x, y)) - luma(lit.pixel(x, y)));
      ++n;
    }
  }
  return sum / n;
}

// A lit group must be told from its neighbours at a glance by brightness
// alone (so without colour vision): its blocks show a light ring of the
// board where plain blocks meet in dark joints.
void LitBlocksStandOutByBrightness() {
  auto backdrop = loadClip("clp/jp8.clp");
  for (int skin = 0; skin < 6; ++skin) {
    for (int colour = 1; colour <= 6; ++colour) {
      std::string name = "clp/Sinkra/" + std::to_string(skin) + std::to_string(colour) + ".clp";
      auto block = loadClip(name);
      for (int cell : {41, 48, 58}) {
        double c = litContrast(*block->currentImage(), *backdrop->currentImage(), cell);
        EXPECT_GE(c, 80.0) << name << " at " << cell;
      }
    }
  }
}

// A launch piece pointed at must be told from the idle ones at a glance, by
// brightness alone and for every colour: its rim, where idle pieces meet in
// dark joints, lights up (mean luma change over the outer two pixels), and
// the pressed look is the lit one.
void LitLaunchPiecesStandOutByBrightness() {
  auto luma = [](uint32_t c) { return 0.3 * ((c >> 16) & 255) + 0.59 * ((c >> 8) & 255) + 0.11 * (c & 255); };
  for (const char* shape : {"gbh", "gbv"}) {
    for (int colour = 0; colour < 6; ++colour) {
      for (int skin = 0; skin < 6; ++skin) {
        std::string name = "clp/Tessel/" + std::string(shape) + std::to_string(colour) + "_" + std::to_string(skin) + ".clp";
        auto piece = loadClip(name);
        ASSERT_EQ(piece->sequenceCount, 3) << name;  // idle, pressed, pointed at
        const OBitmap& idle = frame(*piece, 0, 0);
        const OBitmap& lit = frame(*piece, 2, 0);
        double rim = 0, all = 0;
        int rimCount = 0;
        for (int y = 0; y < idle.height(); ++y) {
          for (int x = 0; x < idle.width(); ++x) {
            double change = luma(lit.pixel(x, y)) - luma(idle.pixel(x, y));
            EXPECT_GE(change, 0) << name << " at " << x << "," << y;  // lit never darkens
            all += change;
            if (x >= 2 && y >= 2 && x < idle.width() - 2 && y < idle.height() - 2) continue;
            rim += change;
            ++rimCount;
          }
          for (int x = 0; x < idle.width(); ++x) EXPECT_EQ(frame(*piece, 1, 0).pixel(x, y), lit.pixel(x, y)) << name;
        }
        EXPECT_GE(rim / rimCount, 100.0) << name;
        EXPECT_GE(all / (idle.width() * idle.height()), 40.0) << name;
      }
    }
  }
}

void FailsCleanlyWhenTheFolderCannotBeMade() {
  zbtest::TempDir tmp;
  zbtest::writeBytes(tmp.file("blocker"), {1});
  zbgen::PackResult r = zbgen::generateDataPack(tmp.file("blocker"));  // a file, not a folder
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  EXPECT_TRUE(r.files.empty());
}

// Each test process generates the pack once; related checks share a test.
TEST(DataPack, EveryFileExistsAndEveryClipLoads) {
  WritesEveryFileTheGameLoadsAndEveryClipLoads();
  IconsAreThirtyTwoBitBitmaps();
}

TEST(DataPack, LettersAndControlsSuitTheirRoles) {
  LetterSetsHoldTheirGlyphsThatStopOnTheirLetter();
  ControlsHaveTheStatesTheirControlsShow();
}

TEST(DataPack, PicturesFitTheScreensAndBoards) {
  PicturesHaveTheSizesTheScreensPlaceThemAt();
  FamilyPicturesCarryEnoughChoicesAndFitTheBoards();
}

TEST(DataPack, LitBlocksStandOutFromTheirNeighbours) { LitBlocksStandOutByBrightness(); }

TEST(DataPack, LitLaunchPiecesStandOutFromIdleOnes) { LitLaunchPiecesStandOutByBrightness(); }

TEST(DataPack, FailsCleanlyWhenTheFolderCannotBeMade) { FailsCleanlyWhenTheFolderCannotBeMade(); }

TEST(DataPack, TwoGenerationsGiveIdenticalBytes) {
  TwoGenerationsGiveIdenticalBytesCheck();
}

}  // namespace
