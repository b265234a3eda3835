#include <gtest/gtest.h>

#include "audio/OSound.h"
#include "platform/MixerLines.h"
#include "tests/audio/AudioFiles.h"
#include "tests/support/TestSupport.h"

using audiotest::constantWav;
using audiotest::wavBytes;
using audiotest::writeFile;

namespace {

struct FakeBuffer : zb::SoundBuffer {
  explicit FakeBuffer(size_t n, int* alive) : bytes(n, 0xEE), alive(alive) { ++*alive; }
  ~FakeBuffer() override { --*alive; }
  bool lock(uint8_t** data, size_t* size) override {
    if (lockFails) return false;
    *data = bytes.data();
    *size = bytes.size();
    return true;
  }
  void unlock() override {}
  bool isLost() override { return lost; }
  bool restore() override {
    lost = false;
    return true;
  }
  void rewind() override { ++rewinds; }
  bool play() override {
    ++plays;
    return true;
  }
  bool isPlaying() override { return false; }

  std::vector<uint8_t> bytes;
  int* alive;
  bool lockFails = false;
  bool lost = false;
  int rewinds = 0;
  int plays = 0;
};

struct FakeDevice : zb::SoundDevice {
  std::unique_ptr<zb::SoundBuffer> createBuffer(const zb::WaveFormat& f, size_t bytes) override {
    if (bytes == 0 || f.channels == 0) return nullptr;
    auto b = std::make_unique<FakeBuffer>(bytes, alive);
    b->lockFails = lockFails;
    made.push_back(b.get());
    return b;
  }
  std::vector<FakeBuffer*> made;
  int* alive = nullptr;
  bool lockFails = false;
};

struct FakeMemory : zb::MemorySound {
  bool play(const std::vector<uint8_t>& image, bool restart) override {
    plays.push_back({image.size(), restart});
    return true;
  }
  bool isPlaying() override { return false; }
  std::vector<std::pair<size_t, bool>> plays;
};

struct FakeBackend : zb::AudioBackend {
  zb::MemorySound& memorySound() override { return memory; }
  std::unique_ptr<zb::SoundDevice> createSoundDevice() override {
    if (!deviceAvailable) return nullptr;
    auto d = std::make_unique<FakeDevice>();
    d->alive = &aliveBuffers;
    d->lockFails = lockFails;
    device = d.get();
    return d;
  }
  FakeMemory memory;
  FakeDevice* device = nullptr;
  bool deviceAvailable = true;
  bool lockFails = false;
  int aliveBuffers = 0;
};

class SoundTable : public ::testing::Test {
protected:
  void SetUp() override {
    auto b = std::make_unique<FakeBackend>();
    backend = b.get();
    sound = std::make_unique<OSound>(std::move(b));
    writeFile(dir.file("a.wav"), constantWav(1000, 10));  // 1808 bytes
    writeFile(dir.file("b.wav"), constantWav(3000, 20));
  }
  zbtest::TempDir dir;
  FakeBackend* backend = nullptr;
  std::unique_ptr<OSound> sound;
};

}  // namespace

TEST_F(SoundTable, UnknownNumbersAndSoundOffPlayNothing) {
  ASSERT_TRUE(sound->load(1000000, dir.file("a.wav")));
  sound->play(7);
  sound->play(-1);
  EXPECT_TRUE(backend->memory.plays.empty());
  sound->setEnabled(false);
  sound->play(1000000, true);
  EXPECT_TRUE(backend->memory.plays.empty());
  sound->setEnabled(true);
  sound->play(1000000);
  sound->play(1000000, true);
  ASSERT_EQ(backend->memory.plays.size(), 2u);
  EXPECT_EQ(backend->memory.plays[0], std::make_pair(size_t{1808}, false));
  EXPECT_TRUE(backend->memory.plays[1].second);
}

TEST_F(SoundTable, FailedLoadKeepsEarlierEntryAndUnloadFrees) {
  EXPECT_FALSE(sound->load(5, dir.file("missing.wav")));
  EXPECT_FALSE(sound->isLoaded(5));
  ASSERT_TRUE(sound->load(5, dir.file("a.wav")));
  EXPECT_FALSE(sound->load(5, dir.file("missing.wav")));
  ASSERT_TRUE(sound->load(6, dir.file("B.WAV")));  // names resolve case-insensitively
  sound->play(5);
  ASSERT_EQ(backend->memory.plays.size(), 1u);
  EXPECT_EQ(backend->memory.plays[0].first, 1808u);
  sound->unload(5);
  EXPECT_FALSE(sound->isLoaded(5));
  EXPECT_TRUE(sound->isLoaded(6));
  ASSERT_TRUE(sound->load(7, dir.file("a.wav")));
  sound->unload(-1);
  EXPECT_FALSE(sound->isLoaded(6));
  EXPECT_FALSE(sound->isLoaded(7));
}

TEST_F(SoundTable, DirectSoundUnavailableStaysInModeZero) {
  backend->deviceAvailable = false;
  ASSERT_TRUE(sound->load(1, dir.file("a.wav")));
  EXPECT_FALSE(sound->setDirectSound(true));
  EXPECT_EQ(sound->mode(), 0);
  sound->play(1);
  EXPECT_EQ(backend->memory.plays.size(), 1u);
}

TEST_F(SoundTable, ModeOneBuildsABufferPerEffectAndSwitchingOffReleasesThem) {
  writeFile(dir.file("long.wav"), wavBytes(44100, 2, 16, std::vector<uint8_t>(100), 5000));
  ASSERT_TRUE(sound->load(1, dir.file("a.wav")));
  ASSERT_TRUE(sound->load(2, dir.file("long.wav")));  // loads, but no buffer in mode 1
  ASSERT_TRUE(sound->setDirectSound(true));
  EXPECT_TRUE(sound->setDirectSound(true));  // already on
  EXPECT_EQ(sound->mode(), 1);
  EXPECT_TRUE(sound->hasBuffer(1));
  EXPECT_FALSE(sound->hasBuffer(2));
  ASSERT_TRUE(sound->load(3, dir.file("b.wav")));
  EXPECT_TRUE(sound->hasBuffer(3));
  EXPECT_EQ(backend->aliveBuffers, 2);

  sound->play(1);
  sound->play(1, true);
  sound->play(2);
  EXPECT_TRUE(backend->memory.plays.empty());
  FakeBuffer* b1 = backend->device->made[0];
  EXPECT_EQ(b1->plays, 2);
  EXPECT_EQ(b1->rewinds, 1);

  ASSERT_TRUE(sound->setDirectSound(false));
  EXPECT_EQ(sound->mode(), 0);
  EXPECT_EQ(backend->aliveBuffers, 0);
  sound->play(3);
  EXPECT_EQ(backend->memory.plays.size(), 1u);
}

TEST(SoundData, RefusesShortFilesAndPadsMissingSamplesWithSilence) {
  zbtest::TempDir dir;
  int alive = 0;
  FakeDevice device;
  device.alive = &alive;

  writeFile(dir.file("over.wav"), wavBytes(22050, 1, 16, std::vector<uint8_t>(40, 1), 41 + 44));
  EXPECT_EQ(OSoundData::create(device, dir.file("over.wav")), nullptr);
  writeFile(dir.file("stub.wav"), std::vector<uint8_t>(43, 0));
  EXPECT_EQ(OSoundData::create(device, dir.file("stub.wav")), nullptr);
  EXPECT_EQ(OSoundData::create(device, dir.file("none.wav")), nullptr);

  // The file holds 100 data bytes but states 120: the last 20 are silence.
  writeFile(dir.file("pad8.wav"), wavBytes(22050, 1, 8, std::vector<uint8_t>(100, 7), 120));
  auto d8 = OSoundData::create(device, dir.file("pad8.wav"));
  ASSERT_NE(d8, nullptr);
  EXPECT_EQ(d8->dataLength(), 120u);
  EXPECT_EQ(d8->format().bitsPerSample, 8);
  std::vector<uint8_t> want(100, 7);
  want.resize(120, 128);
  EXPECT_EQ(device.made.back()->bytes, want);

  writeFile(dir.file("pad16.wav"), wavBytes(22050, 1, 16, std::vector<uint8_t>(100, 7), 120));
  auto d16 = OSoundData::create(device, dir.file("pad16.wav"));
  ASSERT_NE(d16, nullptr);
  want.assign(100, 7);
  want.resize(120, 0);
  EXPECT_EQ(device.made.back()->bytes, want);
}

TEST(SoundData, UnlockableBufferStillCountsAndLostMemoryIsRefilled) {
  zbtest::TempDir dir;
  int alive = 0;
  FakeDevice device;
  device.alive = &alive;
  writeFile(dir.file("a.wav"), wavBytes(22050, 1, 16, std::vector<uint8_t>(8, 9)));

  device.lockFails = true;
  auto silent = OSoundData::create(device, dir.file("a.wav"));
  ASSERT_NE(silent, nullptr);
  EXPECT_EQ(device.made.back()->bytes, std::vector<uint8_t>(8, 0xEE));

  device.lockFails = false;
  auto d = OSoundData::create(device, dir.file("a.wav"));
  FakeBuffer* b = device.made.back();
  b->bytes.assign(8, 0);
  b->lost = true;
  d->play(false);
  EXPECT_EQ(b->bytes, std::vector<uint8_t>(8, 9));
  EXPECT_EQ(b->plays, 1);
  EXPECT_EQ(b->rewinds, 0);
}

// What the player hears, recorded through SDL's disk audio driver. Effects
// are constant levels so overlaps show up as sums.
class SoundOutput : public ::testing::Test {
protected:
  void SetUp() override {
    for (int kind = 0; kind < 3; ++kind) {
      zb::systemMixerLines().setVolume(kind, 65535);
      zb::systemMixerLines().setMuted(kind, false);
    }
    // Long enough that a late test thread still acts while the first effect sounds.
    writeFile(dir.file("a.wav"), constantWav(1000, 500));
    writeFile(dir.file("b.wav"), constantWav(3000, 500));
  }
  // Runs `script` on a fresh effect table and returns the recording.
  template <typename F>
  std::vector<int16_t> record(F script) {
    std::string out = dir.file("out.raw");
    {
      audiotest::DiskAudio disk(out);
      OSound sound;
      EXPECT_TRUE(sound.load(1, dir.file("a.wav")));
      EXPECT_TRUE(sound.load(2, dir.file("b.wav")));
      script(sound);
    }
    return audiotest::readSamples(out);
  }
  zbtest::TempDir dir;
  // One 500 ms effect, both stereo channels.
  const size_t kEffectSamples = 44100 / 2 * 2;
};

TEST_F(SoundOutput, ModeZeroDropsAnEffectWhileAnotherSoundsAndRestartCutsIn) {
  auto dropped = record([](OSound& s) {
    s.play(1);
    s.play(2);
    audiotest::sleepMs(650);
  });
  EXPECT_EQ(audiotest::countValue(dropped, 1000), kEffectSamples);
  EXPECT_EQ(audiotest::countValue(dropped, 3000), 0u);

  auto cut = record([](OSound& s) {
    s.play(1);
    audiotest::sleepMs(100);
    s.play(2, true);
    audiotest::sleepMs(650);
  });
  EXPECT_EQ(audiotest::countValue(cut, 3000), kEffectSamples);
  EXPECT_GT(audiotest::countValue(cut, 1000), 0u);
  EXPECT_LT(audiotest::countValue(cut, 1000), kEffectSamples * 3 / 4);
  EXPECT_EQ(audiotest::countValue(cut, 4000), 0u);
}

TEST_F(SoundOutput, ModeOneMixesEffectsAndRestartRewindsOnlyWhenAsked) {
  auto mixed = record([](OSound& s) {
    ASSERT_TRUE(s.setDirectSound(true));
    s.play(1);
    s.play(2);
    audiotest::sleepMs(650);
  });
  EXPECT_GT(audiotest::countValue(mixed, 4000), kEffectSamples * 9 / 10);

  auto continued = record([](OSound& s) {
    ASSERT_TRUE(s.setDirectSound(true));
    s.play(1);
    audiotest::sleepMs(120);
    s.play(1);
    audiotest::sleepMs(650);
  });
  EXPECT_EQ(audiotest::countValue(continued, 1000), kEffectSamples);

  auto restarted = record([](OSound& s) {
    ASSERT_TRUE(s.setDirectSound(true));
    s.play(1);
    audiotest::sleepMs(120);
    s.play(1, true);
    audiotest::sleepMs(650);
  });
  // At least one more device buffer (1024 frames) of the first start was heard.
  EXPECT_GT(audiotest::countValue(restarted, 1000), kEffectSamples + 2048);
}
