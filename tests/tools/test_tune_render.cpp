#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/AudioDevice.h"
#include "platform/RenderedTune.h"
#include "tests/tools/PackFixture.h"
#include "tools/data/gen/Midi.h"
#include "tools/data/gen/TuneRender.h"

namespace {

// Energy of the left+right sum in octave bands 63 Hz .. 16 kHz, in dB,
// through second-order band-pass filters (one octave wide).
std::vector<double> octaveBands(const zbgen::Pcm& pcm) {
  std::vector<double> out;
  for (double centre = 62.5; centre <= 16000; centre *= 2) {
    const double w = 2 * M_PI * centre / zbgen::kRenderRate;
    const double alpha = std::sin(w) * std::sinh(std::log(2) / 2 * w / std::sin(w));
    const double a0 = 1 + alpha, b0 = alpha / a0, b2 = -alpha / a0, a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0, energy = 1e-20;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
      double x = pcm[i] + pcm[i + 1];
      double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
      x2 = x1, x1 = x, y2 = y1, y1 = y;
      energy += y * y;
    }
    out.push_back(10 * std::log10(energy / static_cast<double>(pcm.size() / 2)));
  }
  return out;
}

double rmsDb(const zbgen::Pcm& pcm) {
  double sum = 1e-20;
  for (float v : pcm) sum += static_cast<double>(v) * v;
  return 10 * std::log10(sum / static_cast<double>(pcm.size()));
}

// A short tune of four bars: a melody, a chord pad, bass and drums, as the composer writes them.
std::vector<uint8_t> shortTune() {
  zbgen::MidiTrack conductor("t"), lead("lead"), pad("pad"), drums("drums");
  conductor.tempo(0, 120);
  lead.program(0, 73);
  pad.program(1, 89);
  const int melody[8] = {72, 74, 76, 79, 76, 74, 72, 67};
  for (int i = 0; i < 8; ++i) lead.note(0, static_cast<uint32_t>(i * 480), 400, melody[i], 96);
  for (int k : {60, 64, 67}) pad.note(1, 0, 4 * 480 - 20, k, 60);
  for (int i = 0; i < 8; ++i) drums.note(9, static_cast<uint32_t>(i * 480), 60, i % 2 ? 42 : 36, 90);
  return zbgen::encodeSmf({conductor, lead, pad, drums});
}

}  // namespace

// The rendered tune against the live synthesis of the same tune (same
// soundfont, same gain): the same length, level and spectrum, octave by
// octave, so a player cannot tell them apart at normal volume.
TEST(TuneRender, ARenderedTuneMatchesItsLiveSynthesis) {
  const std::string font = zb::soundFontPath();
  ASSERT_NE(font, "") << "install timgm6mb-soundfont (scripts/install-deps.sh)";
  const std::vector<uint8_t> midi = zbtest::readBytes(zbtest::packPath("music/slow0.mid"));
  const std::vector<uint8_t> ogg = zbtest::readBytes(zbtest::packPath("music/slow0.ogg"));
  zbgen::Pcm live, rendered;
  std::string error;
  ASSERT_TRUE(zbgen::synthesizeMidi(midi, font, live, error)) << error;
  ASSERT_TRUE(zbgen::decodeOggVorbis(ogg, rendered));
  EXPECT_EQ(rendered.size(), live.size());
  EXPECT_NEAR(rmsDb(rendered), rmsDb(live), 0.25);
  std::vector<double> a = octaveBands(live), b = octaveBands(rendered);
  const double loudest = *std::max_element(a.begin(), a.end());
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] < loudest - 50) continue;  // far below the music: inaudible either way
    EXPECT_NEAR(b[i], a[i], a[i] > loudest - 30 ? 0.5 : 1.5) << "octave band " << i;
  }
  // Loud enough to be the live synthesis's level, never clipping.
  EXPECT_GT(rmsDb(live), -30);
  float peak = 0;
  for (float v : rendered) peak = std::max(peak, std::fabs(v));
  EXPECT_LT(peak, 1.0f);
}

// The end of a rendered tune is where the next one starts: it begins with
// the first note, lasts the whole tune (the synthesizer's player reports
// its end a little late, as it does when it plays live) and its release,
// and stops without a cut and without seconds of silence; the same tune gives the same bytes, stamped with
// the MIDI file it came from.
TEST(TuneRender, ARenderingStartsAndEndsWithItsTuneAndIsTheSameEveryTime) {
  const std::string font = zb::soundFontPath();
  ASSERT_NE(font, "");
  const std::vector<uint8_t> midi = shortTune();
  zbgen::Pcm pcm;
  std::string error;
  ASSERT_TRUE(zbgen::synthesizeMidi(midi, font, pcm, error)) << error;
  const size_t frames = pcm.size() / 2, tuneFrames = 4 * zbgen::kRenderRate;  // four bars at 120 bpm
  EXPECT_GE(frames, tuneFrames);
  EXPECT_LE(frames, tuneFrames + 3 * zbgen::kRenderRate);
  size_t first = 0;
  while (first < pcm.size() && std::fabs(pcm[first]) < 1e-3f) ++first;
  EXPECT_LT(first / 2, static_cast<size_t>(zbgen::kRenderRate / 100));  // sounding within 10 ms
  EXPECT_LT(std::fabs(pcm[pcm.size() - 1]) + std::fabs(pcm[pcm.size() - 2]), 1e-4f);  // no cut at the end

  const auto once = zbgen::encodeOggVorbis(pcm, {{zb::kRenderedFromTag, zb::midiDigest(midi.data(), midi.size())}});
  const auto twice = zbgen::encodeOggVorbis(pcm, {{zb::kRenderedFromTag, zb::midiDigest(midi.data(), midi.size())}});
  EXPECT_EQ(once, twice);
  zbgen::Pcm decoded;
  ASSERT_TRUE(zbgen::decodeOggVorbis(once, decoded));
  EXPECT_EQ(decoded.size(), pcm.size());  // sample exact: no padding before or after
  EXPECT_EQ(zbgen::oggComment(once, zb::kRenderedFromTag), zb::midiDigest(midi.data(), midi.size()));
}

// A rendering in an earlier pack is taken over only while it is current:
// a changed tune is rendered again. Without a soundfont nothing is
// rendered and the reason is given.
TEST(TuneRender, RenderingsAreReusedOnlyForTheSameTune) {
  const std::string font = zb::soundFontPath();
  ASSERT_NE(font, "");
  zbtest::TempDir old;
  std::vector<zbgen::NamedFile> tunes = {{"music/a.mid", shortTune()}};
  zbgen::RenderOutcome first = zbgen::renderTunes(tunes, {old.path()}, font);
  ASSERT_EQ(first.error, "");
  ASSERT_EQ(first.files.size(), 1u);
  EXPECT_EQ(first.files[0].path, "music/a.ogg");
  EXPECT_EQ(first.rendered, 1);
  std::filesystem::create_directories(old.file("music"));
  zbtest::writeBytes(old.file("music/a.ogg"), first.files[0].bytes);

  zbgen::RenderOutcome again = zbgen::renderTunes(tunes, {"", old.path()}, font);
  EXPECT_EQ(again.reused, 1);
  EXPECT_EQ(again.files[0].bytes, first.files[0].bytes);

  zbgen::MidiTrack t("x");
  t.note(0, 0, 480, 60, 80);
  tunes[0].bytes = zbgen::encodeSmf({t});
  zbgen::RenderOutcome changed = zbgen::renderTunes(tunes, {old.path()}, font);
  EXPECT_EQ(changed.rendered, 1);
  EXPECT_EQ(changed.reused, 0);

  zbgen::RenderOutcome none = zbgen::renderTunes(tunes, {old.path()}, old.file("missing.sf2"));
  EXPECT_TRUE(none.files.empty());
  EXPECT_NE(none.error.find("soundfont"), std::string::npos);
}
