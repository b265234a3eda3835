#include <gtest/gtest.h>

#include <cmath>

#include "tools/data/gen/Canvas.h"
#include "tools/data/gen/ClipRecipe.h"
#include "tools/data/gen/DataPack.h"
#include "tools/data/gen/Midi.h"
#include "tools/data/gen/Synth.h"

using namespace zbgen;

namespace {

TEST(DatagenCanvas, BlendsSourceOverAndAntialiasesEdges) {
  Canvas c(4, 1, rgb(0x0000FF));
  c.blend(0, 0, Rgba{1, 0, 0, 1}, 0.5f);
  EXPECT_NEAR(c.at(0, 0).r, 0.5f, 1e-5);
  EXPECT_NEAR(c.at(0, 0).b, 0.5f, 1e-5);
  EXPECT_NEAR(c.at(0, 0).a, 1.0f, 1e-5);
  c.blend(9, 9, Rgba{1, 1, 1, 1}, 1);  // outside: ignored

  // A disc of radius 4 around the centre of pixel (10, 10): full inside,
  // none far outside, half where the rim passes through a pixel's centre.
  Canvas d(20, 20);
  d.fill(circle(10.5f, 10.5f, 4), Rgba{1, 1, 1, 1});
  EXPECT_NEAR(d.at(10, 10).a, 1.0f, 1e-5);
  EXPECT_NEAR(d.at(0, 0).a, 0.0f, 1e-5);
  EXPECT_NEAR(d.at(14, 10).a, 0.5f, 1e-5);
  EXPECT_NEAR(d.at(15, 10).a, 0.0f, 1e-5);
}

TEST(DatagenCanvas, ResamplingKeepsColoursOfSoftEdges) {
  // A red square on transparency: shrinking must not mix in the colour of
  // transparent pixels (premultiplied averaging).
  Canvas c(8, 8);
  c.fill(roundRect(0, 0, 4, 8, 0), Rgba{1, 0, 0, 1});
  Canvas half = c.resampled(4, 4);
  EXPECT_NEAR(half.at(0, 0).r, 1.0f, 1e-5);
  EXPECT_NEAR(half.at(1, 0).a, 1.0f, 1e-5);
  EXPECT_NEAR(half.at(3, 0).a, 0.0f, 1e-5);
  Canvas odd = c.resampled(3, 3);  // the middle column straddles the edge
  EXPECT_NEAR(odd.at(1, 1).r, 1.0f, 1e-5);
  EXPECT_GT(odd.at(1, 1).a, 0.0f);
  EXPECT_LT(odd.at(1, 1).a, 1.0f);
}

TEST(DatagenCanvas, BytesKeepTheKeyColourForHiddenPixelsOnly) {
  Canvas c(3, 1);
  c.at(0, 0) = Rgba{0.2f, 0.4f, 0.6f, 0};  // hidden
  c.at(1, 0) = rgb(kKeyColour);          // visible but the key's colour
  c.at(2, 0) = Rgba{1, 1, 1, 0.5f};      // half transparent
  std::vector<uint8_t> bgr, alpha;
  toBgr(c, bgr, alpha);
  EXPECT_EQ(alpha[0], 255);
  EXPECT_EQ(bgr[0], 0xFF);
  EXPECT_EQ(bgr[1], 0x00);
  EXPECT_EQ(bgr[2], 0xFF);
  EXPECT_EQ(alpha[1], 0);
  uint32_t visible = static_cast<uint32_t>(bgr[5] << 16 | bgr[4] << 8 | bgr[3]);
  EXPECT_NE(visible, kKeyColour);  // nudged so keyed hit tests still see it
  EXPECT_EQ(alpha[2], 127);
  EXPECT_EQ(bgr[6], 255);
}

TEST(DatagenSynth, NormalisingLeavesHeadroomAndSilentEnds) {
  Synth s(0.3f);
  s.tone(0, 0.3f, 440, 440, 5.0f, 0, 0);  // far too loud before normalising
  s.normalise(0.16f, 0.7f);
  float peak = 0;
  for (float v : s.samples()) peak = std::max(peak, std::fabs(v));
  EXPECT_LE(peak, 0.7f + 1e-4f);
  EXPECT_GT(peak, 0.1f);
  EXPECT_NEAR(s.samples().front(), 0.0f, 1e-6);
  EXPECT_NEAR(s.samples().back(), 0.0f, 1e-6);
}

TEST(DatagenMusic, TunesAreReproducibleAndDistinct) {
  double seconds = 0;
  std::vector<uint8_t> a = composeTune(false, 3, &seconds);
  EXPECT_EQ(a, composeTune(false, 3));
  EXPECT_NE(a, composeTune(false, 4));
  EXPECT_NE(a, composeTune(true, 3));
  EXPECT_GE(seconds, 90.0);
  EXPECT_LE(seconds, 180.0);
}

TEST(DatagenIcon, BitmapRowsAreStoredBottomUpWithAlpha) {
  // 1 x 2: a red opaque pixel on top, a half transparent blue one below.
  std::vector<uint8_t> rgba = {255, 0, 0, 255, 0, 0, 255, 128};
  std::vector<uint8_t> b = encodeBmp32(1, 2, rgba);
  ASSERT_EQ(b.size(), 122u + 8u);
  EXPECT_EQ(b[10], 122);  // pixel data offset
  EXPECT_EQ(b[30], 3);    // bit fields
  // First stored row is the bottom one: blue, green, red, alpha.
  EXPECT_EQ(b[122], 255);
  EXPECT_EQ(b[125], 128);
  EXPECT_EQ(b[128], 255);  // then the red pixel's red byte
  EXPECT_EQ(b[129], 255);
}

}  // namespace
