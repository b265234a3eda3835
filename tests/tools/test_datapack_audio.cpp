#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "platform/MidiCheck.h"
#include "tests/tools/PackFixture.h"
#include "tools/data/gen/Midi.h"
#include "tools/data/gen/Synth.h"

namespace {

using Bytes = std::vector<unsigned char>;

uint32_t le32(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t be32(const Bytes& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

bool tag(const Bytes& b, size_t at, const char* t) { return b.size() >= at + 4 && std::equal(t, t + 4, b.begin() + at); }

// Checks the canonical 44-byte layout the sound layer maps directly and
// returns the peak sample value (0..1).
double checkWav(const Bytes& b, const std::string& name) {
  EXPECT_GE(b.size(), 46u) << name;
  if (b.size() < 46) return 0;
  EXPECT_TRUE(tag(b, 0, "RIFF") && tag(b, 8, "WAVE") && tag(b, 12, "fmt ") && tag(b, 36, "data")) << name;
  EXPECT_EQ(le32(b, 4), b.size() - 8) << name;
  EXPECT_EQ(le32(b, 16), 16u) << name;
  EXPECT_EQ(b[20] | b[21] << 8, 1) << name;   // PCM
  EXPECT_EQ(b[34] | b[35] << 8, 16) << name;  // bits per sample
  EXPECT_EQ(le32(b, 40), b.size() - 44) << name;
  int peak = 0;
  for (size_t i = 44; i + 1 < b.size(); i += 2) peak = std::max(peak, std::abs(static_cast<int16_t>(b[i] | b[i + 1] << 8)));
  return peak / 32768.0;
}

void EffectsAreShortCanonicalWavsWithoutClipping() {
  for (const std::string& name : zbtest::expectedPackFiles()) {
    if (name.find(".wav") == std::string::npos) continue;
    Bytes b = zbtest::readBytes(zbtest::packPath(name));
    double peak = checkWav(b, name);
    uint32_t rate = le32(b, 24);
    double seconds = static_cast<double>(b.size() - 44) / (2.0 * rate);
    EXPECT_LE(seconds, 2.5) << name;
    EXPECT_GT(peak, 0.05) << name;  // audible
    EXPECT_LT(peak, 0.9) << name;   // headroom, no clipping
  }
}

// Walks a Standard MIDI File: header, every track's events (running status,
// meta and system exclusive), the end-of-track event. Returns the length in
// seconds from the tempo map of track 0 (a single tempo).
double parseSmf(const Bytes& b, const std::string& name, int* notes) {
  EXPECT_TRUE(tag(b, 0, "MThd")) << name;
  EXPECT_EQ(be32(b, 4), 6u) << name;
  int format = b[8] << 8 | b[9], tracks = b[10] << 8 | b[11], division = b[12] << 8 | b[13];
  EXPECT_EQ(format, 1) << name;
  EXPECT_GE(tracks, 3) << name;
  EXPECT_GT(division, 0) << name;
  size_t at = 14;
  uint32_t longest = 0, tempo = 500000;
  *notes = 0;
  for (int t = 0; t < tracks; ++t) {
    if (!tag(b, at, "MTrk")) {
      ADD_FAILURE() << name << ": track " << t << " missing";
      return 0;
    }
    size_t end = at + 8 + be32(b, at + 4), p = at + 8;
    EXPECT_LE(end, b.size()) << name;
    uint32_t now = 0;
    int status = 0;
    bool ended = false;
    auto varLen = [&]() {
      uint32_t v = 0;
      for (int i = 0; i < 4 && p < end; ++i) {
        uint8_t c = b[p++];
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) break;
      }
      return v;
    };
    while (p < end && !ended) {
      now += varLen();
      if (b[p] & 0x80) status = b[p++];
      if (status == 0xFF) {
        int type = b[p++];
        uint32_t len = varLen();
        if (type == 0x51) tempo = b[p] << 16 | b[p + 1] << 8 | b[p + 2];
        if (type == 0x2F) ended = true;
        p += len;
      } else if (status == 0xF0 || status == 0xF7) {
        p += varLen();
      } else {
        int hi = status & 0xF0;
        if (hi < 0x80) {
          ADD_FAILURE() << name << ": data byte without status";
          return 0;
        }
        if (hi == 0x90 && b[p + 1] > 0) ++*notes;
        p += (hi == 0xC0 || hi == 0xD0) ? 1 : 2;
      }
    }
    EXPECT_TRUE(ended) << name << ": track " << t << " has no end";
    EXPECT_EQ(p, end) << name;
    longest = std::max(longest, now);
    at = end;
  }
  EXPECT_EQ(at, b.size()) << name;
  return static_cast<double>(longest) / division * tempo / 1e6;
}

void TunesAreStandardMidiFilesOfOneAndAHalfToThreeMinutes() {
  for (const std::string& name : zbtest::expectedPackFiles()) {
    if (name.find(".mid") == std::string::npos) continue;
    int notes = 0;
    const auto bytes = zbtest::readBytes(zbtest::packPath(name));
    double seconds = parseSmf(bytes, name, &notes);
    EXPECT_TRUE(zb::isWellFormedMidi(bytes.data(), bytes.size())) << name;  // the game's own check
    EXPECT_GE(seconds, 90.0) << name;
    EXPECT_LE(seconds, 180.0) << name;
    EXPECT_GT(notes, 300) << name;
  }
}

void FastTunesAreQuickerAndBusierThanSlowOnesCheck() {
  double slowSeconds = 0, fastSeconds = 0;
  int slowNotes = 0, fastNotes = 0;
  for (int i = 0; i < 7; ++i) {
    int n = 0;
    slowSeconds += parseSmf(zbgen::composeTune(false, i), "slow", &n);
    slowNotes += n;
    fastSeconds += parseSmf(zbgen::composeTune(true, i), "fast", &n);
    fastNotes += n;
  }
  EXPECT_GT(fastNotes / fastSeconds, 2 * slowNotes / slowSeconds);
}

void WavEncoderWritesClampedLittleEndianSamplesCheck() {
  std::vector<uint8_t> w = zbgen::encodeWav({0.0f, 1.0f, -1.0f, 2.0f, -0.5f}, 22050);
  Bytes b(w.begin(), w.end());
  checkWav(b, "encoded");
  EXPECT_EQ(le32(b, 24), 22050u);
  EXPECT_EQ(le32(b, 28), 44100u);  // bytes per second
  auto sample = [&](int i) { return static_cast<int16_t>(b[44 + 2 * i] | b[45 + 2 * i] << 8); };
  EXPECT_EQ(sample(0), 0);
  EXPECT_EQ(sample(1), 32767);
  EXPECT_EQ(sample(2), -32767);
  EXPECT_EQ(sample(3), 32767);  // clamped
  EXPECT_EQ(sample(4), -16384);
}

void MidiTrackEncodesDeltaTimesAsVariableLengthNumbersCheck() {
  zbgen::MidiTrack t("x");
  t.note(0, 200, 100, 60, 90);  // delta 200 needs two bytes: 0x81 0x48
  std::vector<uint8_t> c = t.chunk();
  Bytes b(c.begin(), c.end());
  // Name meta (0 FF 03 01 'x'), then the note-on.
  size_t p = 8 + 5;
  EXPECT_EQ(b[p], 0x81);
  EXPECT_EQ(b[p + 1], 0x48);
  EXPECT_EQ(b[p + 2], 0x90);
  EXPECT_EQ(b[p + 5], 100);  // note-off 100 ticks later
  EXPECT_EQ(b[p + 6], 0x80);
}

// Each test process generates the pack once; related checks share a test.
TEST(DataPackAudio, EffectsAndTunesAreWellFormed) {
  EffectsAreShortCanonicalWavsWithoutClipping();
  TunesAreStandardMidiFilesOfOneAndAHalfToThreeMinutes();
}

TEST(DataPackAudio, FastTunesAreQuickerAndBusierThanSlowOnes) {
  FastTunesAreQuickerAndBusierThanSlowOnesCheck();
}

TEST(DataPackAudio, WavEncoderWritesClampedLittleEndianSamples) {
  WavEncoderWritesClampedLittleEndianSamplesCheck();
}

TEST(DataPackAudio, MidiTrackEncodesDeltaTimesAsVariableLengthNumbers) {
  MidiTrackEncodesDeltaTimesAsVariableLengthNumbersCheck();
}

}  // namespace
