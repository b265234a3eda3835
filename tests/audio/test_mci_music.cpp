#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "audio/OMusic.h"
#include "audio/OSound.h"
#include "platform/AudioDevice.h"
#include "platform/MciMusic.h"
#include "platform/MidiCheck.h"
#include "tests/audio/AudioFiles.h"
#include "tests/audio/FakeMediaControl.h"
#include "tests/support/TestSupport.h"

namespace {

const std::string kAlias = "OMusic_Bkground_Music";

std::string openCommand(const std::string& path) {
  return "open \"" + path + "\" type sequencer alias " + kAlias;
}

std::string status(zb::MediaControl& mci) {
  std::string answer;
  return mci.send("status " + kAlias + " mode wait", &answer) ? answer : "failed";
}

}  // namespace

TEST(MciMusic, SoundFontIsInstalled) {
  ASSERT_STRNE(zb::soundFontPath(), "") << "install timgm6mb-soundfont (scripts/install-deps.sh)";
}

TEST(MciMusic, AnswersItsCommandsOnTheAliasAndRefusesTheRest) {
  zbtest::TempDir dir;
  audiotest::writeFile(dir.file("Song One.mid"), audiotest::midiBytes(300));
  auto mci = zb::makeMciMusic();
  EXPECT_EQ(status(*mci), "failed");
  EXPECT_FALSE(mci->send("close " + kAlias));
  EXPECT_FALSE(mci->send("play " + kAlias));
  EXPECT_FALSE(mci->send(""));
  EXPECT_FALSE(mci->send("seek " + kAlias + " to start"));
  EXPECT_FALSE(mci->send(openCommand(dir.file("missing.mid"))));
  EXPECT_FALSE(mci->send("open \"" + dir.file("Song One.mid") + "\" alias " + kAlias));
  EXPECT_FALSE(mci->send("open \"" + dir.file("Song One.mid") + " type sequencer alias " + kAlias));

  // Paths resolve like every game path: either separator, any letter case.
  std::string gamePath = dir.path() + "\\song one.MID";
  ASSERT_TRUE(mci->send(openCommand(gamePath)));
  EXPECT_FALSE(mci->send(openCommand(gamePath)));  // the alias is taken
  EXPECT_FALSE(mci->send("play OtherAlias"));
  EXPECT_EQ(status(*mci), "stopped");
  EXPECT_TRUE(mci->send("play " + kAlias));
  EXPECT_EQ(status(*mci), "playing");
  EXPECT_TRUE(mci->send("pause " + kAlias));
  EXPECT_EQ(status(*mci), "paused");
  EXPECT_TRUE(mci->send("play " + kAlias));
  EXPECT_EQ(status(*mci), "playing");
  EXPECT_TRUE(mci->send("close " + kAlias + " wait"));
  EXPECT_EQ(status(*mci), "failed");
  EXPECT_FALSE(mci->send("close " + kAlias));
}

TEST(MciMusic, AMidiTrackProducesSamplesThroughTheDiskDriver) {
  zbtest::TempDir dir;
  audiotest::writeFile(dir.file("a.mid"), audiotest::midiBytes(400));
  std::string out = dir.file("out.raw");
  {
    audiotest::DiskAudio disk(out);
    auto mci = zb::makeMciMusic();
    ASSERT_TRUE(mci->send(openCommand(dir.file("a.mid"))));
    ASSERT_TRUE(mci->send("play " + kAlias));
    audiotest::sleepMs(500);
  }
  auto samples = audiotest::readSamples(out);
  ASSERT_GT(samples.size(), 44100u / 2);
  int peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_GT(peak, 500);
}

// The whole path on the real sequencer: a track ends and the poll starts the next.
TEST(MciMusic, TheWorkerNoticesTheEndOfARealTrack) {
  zbtest::TempDir dir;
  audiotest::writeFile(dir.file("a.mid"), audiotest::midiBytes(150));
  OMusic music;
  ASSERT_TRUE(music.addTrack(0, dir.file("a.mid")));
  music.play(OMusic::kRandomTrack);
  // The synthesizer reports the end about two seconds late, then the poll runs.
  EXPECT_TRUE(audiotest::eventually([&] { return music.tracksStarted() >= 2; }, 6000));
  EXPECT_EQ(music.lastTrack(), 0);
}

TEST(MciMusic, WithoutAnAudioDeviceEverythingRunsSilently) {
  zbtest::TempDir dir;
  audiotest::writeFile(dir.file("a.mid"), audiotest::midiBytes(150));
  audiotest::writeFile(dir.file("a.wav"), audiotest::constantWav(1000, 50));
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    zb::AudioDeviceRef device;
    EXPECT_FALSE(device.isOpen());
    OSound sound;
    EXPECT_TRUE(sound.load(1, dir.file("a.wav")));
    sound.play(1);
    sound.play(1, true);
    EXPECT_FALSE(sound.setDirectSound(true));

    OMusic::Options fast;
    fast.pollMs = 20;
    OMusic music(nullptr, nullptr, fast);
    ASSERT_TRUE(music.addTrack(0, dir.file("a.mid")));
    music.play(0);
    EXPECT_TRUE(audiotest::eventually([&] { return music.tracksStarted() == 1; }, 2000));
    audiotest::sleepMs(100);
    EXPECT_EQ(music.tracksStarted(), 1);  // the open failed, so nothing ends and restarts
    music.stop();
  }
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// The checker behind the playlists: whole files pass, damage of any kind
// (cut, a wrong chunk name, a stray status byte, bytes over the end) fails.
TEST(MidiCheck, AcceptsWholeFilesAndRefusesDamagedOnes) {
  const auto good = audiotest::midiBytes(300);
  EXPECT_TRUE(zb::isWellFormedMidi(good.data(), good.size()));
  zbtest::writeBytes(zbtest::fuzzSeedDir("fuzz_midi") + "/note.mid", {good.begin(), good.end()});
  auto cut = good;
  cut.resize(good.size() - 2);
  EXPECT_FALSE(zb::isWellFormedMidi(cut.data(), cut.size()));
  auto renamed = good;
  renamed[14] = 0xC3;  // the track chunk's name
  EXPECT_FALSE(zb::isWellFormedMidi(renamed.data(), renamed.size()));
  auto stray = good;
  stray[23] = 0xF4;  // the first event's status
  EXPECT_FALSE(zb::isWellFormedMidi(stray.data(), stray.size()));
  auto longer = good;
  longer[21] += 40;  // the track claims more bytes than the file has
  EXPECT_FALSE(zb::isWellFormedMidi(longer.data(), longer.size()));
  EXPECT_FALSE(zb::isWellFormedMidi(good.data(), 13));
}
