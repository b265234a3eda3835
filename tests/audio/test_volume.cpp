#include <gtest/gtest.h>

#include "audio/OMusic.h"
#include "audio/OSound.h"
#include "audio/OVolumeOut.h"
#include "platform/MixerLines.h"

namespace {

// A mixer with only the effects line, like a system without a synthesizer.
struct OneLineMixer : zb::MixerLines {
  bool hasLine(int kind) override { return kind == 0; }
  int volume(int kind) override { return kind == 0 ? level : -1; }
  bool setVolume(int kind, int v) override {
    if (kind != 0 || v < 0 || v > 65535) return false;
    level = v;
    if (listener) listener(kind, v);
    return true;
  }
  void setMuted(int, bool m) override { muted = m; }
  bool isMuted(int) override { return muted; }
  int addListener(Listener l) override {
    listener = std::move(l);
    return 1;
  }
  void removeListener(int) override { listener = nullptr; }
  int level = 40000;
  bool muted = false;
  Listener listener;
};

void resetLines() {
  for (int kind = 0; kind < 3; ++kind) {
    zb::systemMixerLines().setVolume(kind, 65535);
    zb::systemMixerLines().setMuted(kind, false);
  }
}

}  // namespace

TEST(VolumeScale, BarAndVolumeConvert) {
  EXPECT_EQ(OVolumeOut::fromBar(0), 0);
  EXPECT_EQ(OVolumeOut::fromBar(1), 7281);
  EXPECT_EQ(OVolumeOut::fromBar(9), 65535);
  EXPECT_EQ(OVolumeOut::toBar(0), 0);
  EXPECT_EQ(OVolumeOut::toBar(65535), 8);  // full volume shows one cell short
  EXPECT_EQ(OVolumeOut::toBar(32768), 4);
  EXPECT_EQ(OVolumeOut::toBar(OVolumeOut::fromBar(5)), 4);  // a round trip loses a step
}

TEST(VolumeOut, SetsInRangeIgnoresOutOfRangeAndReportsChanges) {
  resetLines();
  OVolumeOut wave(OVolumeOut::kWaveOut);
  OVolumeOut other(OVolumeOut::kWaveOut);
  OVolumeOut synth(OVolumeOut::kSynth);
  ASSERT_TRUE(wave.ready());
  EXPECT_EQ(wave.minimum(), 0);
  EXPECT_EQ(wave.maximum(), 65535);
  EXPECT_EQ(wave.steps(), 65536);

  std::vector<std::pair<int, void*>> seen;
  int tag = 0;
  wave.setOnChange([&](int v, void* user) { seen.push_back({v, user}); }, &tag);
  wave.setVolume(1234);
  EXPECT_EQ(wave.getVolume(), 1234);
  wave.setVolume(65536);
  wave.setVolume(-1);
  EXPECT_EQ(wave.getVolume(), 1234);
  other.setVolume(0);  // a change by someone else is reported too
  synth.setVolume(777);  // another line is not
  EXPECT_EQ(wave.getVolume(), 0);
  EXPECT_EQ(synth.getVolume(), 777);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(1234, static_cast<void*>(&tag)));
  EXPECT_EQ(seen[1].first, 0);

  wave.setVolume(500);
  wave.mute();  // silent, but the level is kept
  EXPECT_TRUE(zb::systemMixerLines().isMuted(0));
  EXPECT_EQ(wave.getVolume(), 500);
  wave.unmute();
  EXPECT_FALSE(zb::systemMixerLines().isMuted(0));
  resetLines();
}

TEST(VolumeOut, MissingLineReadsMinusOneAndIgnoresWrites) {
  OneLineMixer mixer;
  OVolumeOut synth(OVolumeOut::kSynth, &mixer);
  EXPECT_FALSE(synth.ready());
  EXPECT_EQ(synth.getVolume(), -1);
  EXPECT_EQ(synth.minimum(), -1);
  EXPECT_EQ(synth.maximum(), -1);
  EXPECT_EQ(synth.steps(), -1);
  synth.setVolume(100);
  synth.mute();
  EXPECT_FALSE(mixer.muted);
  EXPECT_EQ(mixer.level, 40000);
}

TEST(VolumeOut, PlayersRestoreTheLineVolumeTheyFound) {
  resetLines();
  zb::systemMixerLines().setVolume(0, 30000);
  zb::systemMixerLines().setVolume(1, 20000);
  {
    OSound sound;
    OMusic music;
    EXPECT_EQ(sound.savedVolume(), 30000);
    EXPECT_EQ(music.savedVolume(), 20000);
    sound.setVolume(5000);
    music.setVolume(6000);
    EXPECT_EQ(zb::systemMixerLines().volume(0), 5000);
    EXPECT_EQ(zb::systemMixerLines().volume(1), 6000);
    sound.setVolume(70000);  // out of range: stored, line unchanged
    EXPECT_EQ(sound.volume(), 70000);
    EXPECT_EQ(zb::systemMixerLines().volume(0), 5000);
  }
  EXPECT_EQ(zb::systemMixerLines().volume(0), 30000);
  EXPECT_EQ(zb::systemMixerLines().volume(1), 20000);
  resetLines();
}
