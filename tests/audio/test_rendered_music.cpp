#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "audio/OSound.h"
#include "platform/AudioDevice.h"
#include "platform/Files.h"
#include "platform/MciMusic.h"
#include "platform/RenderedTune.h"
#include "tests/audio/AudioFiles.h"
#include "tests/audio/FakeMediaControl.h"
#include "tests/support/TestSupport.h"
#include "tools/data/gen/TuneRender.h"

namespace {

const std::string kAlias = "OMusic_Bkground_Music";

std::string openCommand(const std::string& path) {
  return "open \"" + path + "\" type sequencer alias " + kAlias;
}

// A rendered file standing for `midi`: two seconds of a steady 1 kHz tone at
// half scale, which the short piano note of the MIDI file never sounds like.
std::vector<uint8_t> toneFor(const std::vector<uint8_t>& midi, int ms = 2000) {
  zbgen::Pcm pcm;
  for (int i = 0; i < zbgen::kRenderRate * ms / 1000; ++i) {
    float v = 0.5f * static_cast<float>(std::sin(2 * M_PI * 1000.0 * i / zbgen::kRenderRate));
    pcm.push_back(v), pcm.push_back(v);
  }
  return zbgen::encodeOggVorbis(pcm, {{zb::kRenderedFromTag, zb::midiDigest(midi.data(), midi.size())}});
}

// Milliseconds of the recording (in 10 ms windows) with an RMS level above
// a fifth of full scale: the steady tone, never a decaying piano note.
int loudMs(const std::vector<int16_t>& samples) {
  const size_t window = 2 * 441;
  int loud = 0;
  for (size_t at = 0; at + window <= samples.size(); at += window) {
    double sum = 0;
    for (size_t i = at; i < at + window; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    loud += std::sqrt(sum / window) > 0.2 * 32768 ? 10 : 0;
  }
  return loud;
}

// Plays `midiPath` through the music interpreter for `ms` into a recording.
std::vector<int16_t> record(const std::string& midiPath, const std::string& out, int ms) {
  audiotest::DiskAudio disk(out);
  auto mci = zb::makeMciMusic();
  EXPECT_TRUE(mci->send(openCommand(midiPath)));
  EXPECT_TRUE(mci->send("play " + kAlias));
  audiotest::sleepMs(ms);
  mci.reset();
  return audiotest::readSamples(out);
}

// Threads of this process: the open device adds SDL's audio thread.
int threads() {
  int n = 0;
  for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) ++n;
  return n;
}

struct ShortSleep {
  ShortSleep() { zb::setOutputSleepDelayMs(100); }
  ~ShortSleep() { zb::setOutputSleepDelayMs(1500); }
};

}  // namespace

// The rendered file plays where it belongs to the tune; a rendering made
// from another tune, or none, leaves the tune to the synthesizer.
TEST(RenderedMusic, ATuneWithItsRenderingPlaysItAndOneWithoutIsSynthesised) {
  zbtest::TempDir dir;
  const auto midi = audiotest::midiBytes(300);
  audiotest::writeFile(dir.file("tune.mid"), midi);
  audiotest::writeFile(dir.file("tune.ogg"), toneFor(midi));
  audiotest::writeFile(dir.file("other.mid"), audiotest::midiBytes(320));
  audiotest::writeFile(dir.file("other.ogg"), toneFor(midi));  // made from tune.mid, not other.mid
  audiotest::writeFile(dir.file("plain.mid"), midi);

  EXPECT_EQ(zb::renderedTuneFor(dir.file("tune.mid")), dir.file("tune.ogg"));
  EXPECT_EQ(zb::renderedTuneFor(dir.file("other.mid")), "");
  EXPECT_EQ(zb::renderedTuneFor(dir.file("plain.mid")), "");

  EXPECT_GT(loudMs(record(dir.file("tune.mid"), dir.file("a.raw"), 1500)), 1000);
  std::vector<int16_t> synthesised = record(dir.file("other.mid"), dir.file("b.raw"), 1500);
  EXPECT_LT(loudMs(synthesised), 200);
  int peak = 0;
  for (int16_t s : synthesised) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_GT(peak, 500);  // the piano note was heard
}

// A player's own tune in the per-user folder replaces the pack's, whose
// rendering beside the pack's tune must then not play.
TEST(RenderedMusic, APlayersOwnTuneWinsOverThePacksRendering) {
  zbtest::TempDir user, pack;
  std::filesystem::create_directories(pack.file("music"));
  std::filesystem::create_directories(user.file("music"));
  const auto packTune = audiotest::midiBytes(300);
  audiotest::writeFile(pack.file("music/slow0.mid"), packTune);
  audiotest::writeFile(pack.file("music/slow0.ogg"), toneFor(packTune));
  audiotest::writeFile(pack.file("music/slow1.mid"), packTune);
  audiotest::writeFile(pack.file("music/slow1.ogg"), toneFor(packTune));
  audiotest::writeFile(user.file("music/slow0.mid"), audiotest::midiBytes(250));

  const std::string before = std::filesystem::current_path().string();
  ASSERT_EQ(::chdir(user.path().c_str()), 0);
  zb::setPackFolder(pack.path());
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(zb::renderedTuneFor(zb::findFile(cwd + "\\music\\slow0.mid")), "");
  EXPECT_EQ(zb::renderedTuneFor(zb::findFile(cwd + "\\music\\slow1.mid")), pack.file("music/slow1.ogg"));
  EXPECT_LT(loudMs(record(cwd + "\\music\\slow0.mid", user.file("a.raw"), 1200)), 200);
  EXPECT_GT(loudMs(record(cwd + "\\music\\slow1.mid", user.file("b.raw"), 1200)), 800);

  // Played from one folder (--data), a tune the player overwrote is no
  // longer the one its rendering was made from.
  audiotest::writeFile(pack.file("music/slow1.mid"), audiotest::midiBytes(280));
  EXPECT_EQ(zb::renderedTuneFor(pack.file("music/slow1.mid")), "");
  zb::setPackFolder("");
  ASSERT_EQ(::chdir(before.c_str()), 0);
}

// Nothing sounding: the device closes and SDL's audio thread ends; the
// next effect or tune opens it again, and a playing or paused tune keeps it.
TEST(RenderedMusic, TheDeviceSleepsWhenNothingPlaysAndWakesForTheNextSound) {
  ShortSleep shortSleep;
  zbtest::TempDir dir;
  const auto midi = audiotest::midiBytes(300);
  audiotest::writeFile(dir.file("tune.mid"), midi);
  audiotest::writeFile(dir.file("tune.ogg"), toneFor(midi, 1500));
  audiotest::writeFile(dir.file("click.wav"), audiotest::constantWav(1000, 50));
  zb::AudioDeviceRef device;
  ASSERT_TRUE(device.isOpen());
  EXPECT_TRUE(audiotest::eventually([] { return !zb::outputAwake(); }, 2000));
  const int asleep = threads();

  OSound sound;
  ASSERT_TRUE(sound.load(1, dir.file("click.wav")));
  sound.play(1);
  EXPECT_TRUE(zb::outputAwake());
  EXPECT_EQ(threads(), asleep + 1);
  EXPECT_TRUE(audiotest::eventually([] { return !zb::outputAwake(); }, 2000));
  EXPECT_EQ(threads(), asleep);

  auto mci = zb::makeMciMusic();
  ASSERT_TRUE(mci->send(openCommand(dir.file("tune.mid"))));
  ASSERT_TRUE(mci->send("play " + kAlias));
  audiotest::sleepMs(400);  // well past the sleep delay
  EXPECT_TRUE(zb::outputAwake());
  ASSERT_TRUE(mci->send("pause " + kAlias));
  audiotest::sleepMs(400);
  EXPECT_TRUE(zb::outputAwake());
  std::string mode;
  ASSERT_TRUE(mci->send("status " + kAlias + " mode", &mode));
  EXPECT_EQ(mode, "paused");
  ASSERT_TRUE(mci->send("play " + kAlias));
  ASSERT_TRUE(mci->send("status " + kAlias + " mode", &mode));
  EXPECT_EQ(mode, "playing");
  // The tune ends on its own: the device sleeps and the track reads as ended.
  EXPECT_TRUE(audiotest::eventually([] { return !zb::outputAwake(); }, 4000));
  ASSERT_TRUE(mci->send("status " + kAlias + " mode", &mode));
  EXPECT_EQ(mode, "stopped");
  // Played again after the sleep, it is loaded anew and starts over.
  ASSERT_TRUE(mci->send("play " + kAlias));
  ASSERT_TRUE(mci->send("status " + kAlias + " mode", &mode));
  EXPECT_EQ(mode, "playing");
  ASSERT_TRUE(mci->send("close " + kAlias));
  EXPECT_TRUE(audiotest::eventually([] { return !zb::outputAwake(); }, 2000));
  EXPECT_EQ(threads(), asleep);
}
