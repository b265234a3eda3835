// Every piece must be told from a piece of another colour without colour
// vision: the pictures of the pack, drawn at the size the game shows them,
// are put through simulated protanopia, deuteranopia and tritanopia
// (Machado, Oliveira and Fernandes 2009, full severity) and greyscale, and
// every pair of different colours must stay apart.
//
// The measure is the mean per-pixel distance of the two simulated pictures
// (RGB distance / sqrt 3, so 0..255 and, for grey pictures, the plain grey
// difference). Pieces told apart by hue alone measure 1 to 7 in greyscale
// (and 1 to 16 under the deficiencies), while the closest two colours of
// the glass skin measure about 17 with normal vision. The bar of 10 asks
// every simulated view to keep well over half of that: a lightness step or
// an emblem that covers a good part of the piece does, a hue alone does not.
// ZB_CVD_PACK names another data pack to measure instead of the one the
// test generates (to compare with an older pack); the table of the closest
// pairs is printed either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "gfx/OClip.h"
#include "platform/Files.h"
#include "tests/tools/PackFixture.h"

namespace {

constexpr double kMinimumDistance = 10.0;

enum Vision { kNormal, kProtanopia, kDeuteranopia, kTritanopia, kGreyscale, kVisions };
const char* const kVisionNames[kVisions] = {"normal", "protanopia", "deuteranopia", "tritanopia", "greyscale"};

// Machado, Oliveira and Fernandes (2009), severity 1.0, on linear RGB.
const double kMatrices[3][3][3] = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}},
};

double toLinear(double v) {
  v /= 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double toSrgb(double v) {
  v = std::clamp(v, 0.0, 1.0);
  return 255.0 * (v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055);
}

using Rgb = std::array<double, 3>;

Rgb simulate(uint32_t colour, Vision v) {
  Rgb in{double((colour >> 16) & 255), double((colour >> 8) & 255), double(colour & 255)};
  if (v == kNormal) return in;
  Rgb lin{toLinear(in[0]), toLinear(in[1]), toLinear(in[2])};
  if (v == kGreyscale) {
    double y = toSrgb(0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2]);
    return {y, y, y};
  }
  const auto& m = kMatrices[v - kProtanopia];
  Rgb out;
  for (int r = 0; r < 3; ++r) out[size_t(r)] = toSrgb(m[r][0] * lin[0] + m[r][1] * lin[1] + m[r][2] * lin[2]);
  return out;
}

// A piece as the player sees it: its picture at the game's size, laid over
// the backdrop it is shown on.
struct Piece {
  std::string name;
  int colour = 0;
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  std::vector<bool> covered;  // the piece's own pixels (not the backdrop)
};

std::string packFile(const std::string& name) {
  const char* other = std::getenv("ZB_CVD_PACK");
  if (other && *other) return zb::resolvePath(std::string(other) + "/" + name);
  return zbtest::packPath(name);
}

Piece fromBitmap(const std::string& name, int colour, const OBitmap& shown, uint32_t backdrop) {
  Piece p;
  p.name = name;
  p.colour = colour;
  p.width = shown.width();
  p.height = shown.height();
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      double a = 1.0 - shown.alphaAt(x, y) / 255.0;  // 0 is opaque in the plane
      uint32_t c = shown.pixel(x, y), out = 0;
      for (int shift : {16, 8, 0}) {
        double v = a * ((c >> shift) & 255) + (1 - a) * ((backdrop >> shift) & 255);
        out |= uint32_t(std::lround(v)) << shift;
      }
      p.pixels.push_back(out);
      p.covered.push_back(a > 0.02);
    }
  }
  return p;
}

const OClip& sequence(const OClip& clip, int index) {
  return clip.sequences.empty() ? clip : *clip.sequences.at(size_t(index));
}

// Frame 0 of a sequence of a clip file, scaled when a size is given.
Piece makePiece(const std::string& file, int colour, int width, int height, uint32_t backdrop, int seq = 0) {
  OClip clip;
  if (!clip.load(packFile(file))) {
    ADD_FAILURE() << "cannot load " << file;
    Piece none;
    none.name = file;
    return none;
  }
  const OBitmap& src = *sequence(clip, seq).images.at(0);
  if (width <= 0) return fromBitmap(file, colour, src, backdrop);
  OBitmap shown;
  OBitmap::scale(shown, src, width, height);
  return fromBitmap(file, colour, shown, backdrop);
}

// Mean distance over the pixels either piece covers.
double distance(const Piece& a, const Piece& b, Vision v) {
  double sum = 0;
  int n = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
    if (!a.covered[i] && !b.covered[i]) continue;
    Rgb p = simulate(a.pixels[i], v), q = simulate(b.pixels[i], v);
    double d2 = 0;
    for (size_t k = 0; k < 3; ++k) d2 += (p[k] - q[k]) * (p[k] - q[k]);
    sum += std::sqrt(d2 / 3);
    ++n;
  }
  return n ? sum / n : 0;
}

struct Closest {
  double value = 1e9;
  std::string first, second;
};

// Checks every pair of different colours of one set under every vision,
// prints the closest pair per vision and returns the closest overall.
double checkSet(const std::string& set, const std::vector<Piece>& pieces) {
  double worst = 1e9;
  std::string line = set + ":";
  for (int v = 0; v < kVisions; ++v) {
    Closest c;
    for (size_t i = 0; i < pieces.size(); ++i) {
      for (size_t j = i + 1; j < pieces.size(); ++j) {
        if (pieces[i].colour == pieces[j].colour) continue;
        double d = distance(pieces[i], pieces[j], Vision(v));
        if (d < c.value) c = {d, pieces[i].name, pieces[j].name};
        EXPECT_GE(d, kMinimumDistance) << set << ", " << kVisionNames[v] << ": " << pieces[i].name << " and "
                                       << pieces[j].name;
      }
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, " %s %.1f", kVisionNames[v], c.value);
    line += buf;
    worst = std::min(worst, c.value);
  }
  std::printf("%s\n", line.c_str());
  return worst;
}

constexpr uint32_t kSand = 0xD9C7A0;     // Sinkra board
constexpr uint32_t kTray = 0x6E6A64;     // Tessel tray
constexpr uint32_t kNet = 0x2A2622;      // Gyrex net

std::string blockFile(int skin, int colour) {
  return "clp/Sinkra/" + std::to_string(skin) + std::to_string(colour + 1) + ".clp";
}

TEST(ColourVision, SinkraBlocksAndTesselCubesStayApartInEverySkin) {
  std::vector<Piece> allSkins;
  for (int skin = 0; skin < 6; ++skin) {
    std::vector<Piece> blocks, cubes;
    for (int colour = 0; colour < 6; ++colour) {
      // The smallest cell of the Sinkra boards, and the Tessel cube size.
      blocks.push_back(makePiece(blockFile(skin, colour), colour, 41, 41, kSand));
      cubes.push_back(makePiece(blockFile(skin, colour), colour, 38, 38, kTray));
    }
    checkSet("Sinkra blocks, skin " + std::to_string(skin), blocks);
    checkSet("Tessel cubes, skin " + std::to_string(skin), cubes);
    allSkins.insert(allSkins.end(), blocks.begin(), blocks.end());
  }
  // Skins are chosen per colour, so any two skins may meet on one board.
  checkSet("Sinkra blocks, mixed skins", allSkins);
}

TEST(ColourVision, TesselLaunchPiecesStayApartInEverySkin) {
  for (int skin = 0; skin < 6; ++skin) {
    for (const char* shape : {"gbh", "gbv"}) {
      std::vector<Piece> idle, lit;
      for (int colour = 0; colour < 6; ++colour) {
        std::string file = "clp/Tessel/" + std::string(shape) + std::to_string(colour) + "_" + std::to_string(skin) + ".clp";
        idle.push_back(makePiece(file, colour, 0, 0, kTray, 0));
        lit.push_back(makePiece(file, colour, 0, 0, kTray, 2));
      }
      checkSet("Tessel " + std::string(shape) + " idle, skin " + std::to_string(skin), idle);
      checkSet("Tessel " + std::string(shape) + " lit, skin " + std::to_string(skin), lit);
    }
  }
}

TEST(ColourVision, GyrexSegmentsStayApartInEveryColourChoice) {
  // Any four of the eight colour choices can be in play together.
  const char* positions[4] = {"top", "right", "bottom", "left"};
  for (int p = 0; p < 4; ++p) {
    std::string file = "clp/Gyrex/bg" + std::to_string(7 + p) + ".clp";
    OClip clip;
    ASSERT_TRUE(clip.load(packFile(file))) << file;
    const OClip& frames = sequence(clip, 0);
    std::vector<Piece> segments;
    for (int choice = 0; choice < frames.imageCount; ++choice)
      segments.push_back(fromBitmap(file + " choice " + std::to_string(choice), choice, *frames.images.at(size_t(choice)), kNet));
    EXPECT_GE(frames.imageCount, 8) << file;
    checkSet(std::string("Gyrex segments, ") + positions[p], segments);
  }
}

// The Gyrex cursor (also the hint) marks an element by an outline that
// reads by brightness on every colour choice: over the ring, the element
// with the cursor differs in grey from the element without it.
TEST(ColourVision, GyrexCursorOutlinesEveryColourChoice) {
  OClip cursor;
  ASSERT_TRUE(cursor.load(packFile("clp/Gyrex/cursor.clp")));
  const OBitmap& ring = *sequence(cursor, 0).images.at(0);
  std::array<OClip, 4> segments;
  for (int p = 0; p < 4; ++p) ASSERT_TRUE(segments[size_t(p)].load(packFile("clp/Gyrex/bg" + std::to_string(7 + p) + ".clp")));
  const int offsets[4][2] = {{0, 0}, {20, 0}, {0, 20}, {0, 0}};
  for (int choice = 0; choice < sequence(segments[0], 0).imageCount; ++choice) {
    OBitmap plain;
    plain.create(42, 42, kNet);
    for (int p = 0; p < 4; ++p)
      OBitmap::draw(plain, *sequence(segments[size_t(p)], 0).images.at(size_t(choice)), offsets[p][0], offsets[p][1]);
    OBitmap marked;
    ASSERT_TRUE(OBitmap::copyImage(marked, plain));
    OBitmap::draw(marked, ring, 0, 0);
    double sum = 0;
    int n = 0;
    for (int y = 0; y < 42; ++y) {
      for (int x = 0; x < 42; ++x) {
        if (ring.alphaAt(x, y) > 128) continue;
        sum += std::abs(simulate(marked.pixel(x, y), kGreyscale)[0] - simulate(plain.pixel(x, y), kGreyscale)[0]);
        ++n;
      }
    }
    ASSERT_GT(n, 0);
    EXPECT_GE(sum / n, 40.0) << "choice " << choice;
  }
}

// The simulation itself: greys stay grey, the colours each deficiency
// confuses come out alike, and normal vision is left alone.
TEST(ColourVision, SimulationMatchesTheKnownConfusions) {
  for (uint32_t grey : {0x000000u, 0x808080u, 0xFFFFFFu}) {
    for (int v = 0; v < kVisions; ++v) {
      Rgb s = simulate(grey, Vision(v));
      for (double c : s) EXPECT_NEAR(c, grey & 255, 1.5) << kVisionNames[v];
    }
  }
  auto gap = [](uint32_t a, uint32_t b, Vision v) {
    Rgb p = simulate(a, v), q = simulate(b, v);
    return std::sqrt(((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) + (p[2] - q[2]) * (p[2] - q[2])) / 3);
  };
  // Pairs far apart for normal vision that one deficiency confuses; the
  // other deficiencies keep them apart.
  EXPECT_GT(gap(0xC05050, 0x409050, kNormal), 60);
  EXPECT_LT(gap(0xC05050, 0x409050, kDeuteranopia), 6);
  EXPECT_GT(gap(0xC05050, 0x409050, kTritanopia), 40);
  EXPECT_GT(gap(0xC05050, 0x007050, kNormal), 60);
  EXPECT_LT(gap(0xC05050, 0x007050, kProtanopia), 3);
  EXPECT_GT(gap(0xC05050, 0x007050, kDeuteranopia), 15);
  EXPECT_GT(gap(0x3070C0, 0x109060, kNormal), 60);
  EXPECT_LT(gap(0x3070C0, 0x109060, kTritanopia), 12);
  EXPECT_GT(gap(0x3070C0, 0x109060, kProtanopia), 20);
  // Greyscale keeps luminance only: pure red and a mid green come out close.
  EXPECT_NEAR(gap(0xE00000, 0x00A000, kGreyscale), 26.5, 1.0);
}

}  // namespace
