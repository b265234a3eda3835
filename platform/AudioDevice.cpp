#include "platform/AudioDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>


namespace zb {
namespace {

// The shared output. It is available while at least one holder lives and
// the first open succeeded; it is awake (the device open, SDL's audio
// thread running) only while something sounds, and goes to sleep after a
// short silence so an idle game costs no audio work at all.
struct DeviceState {
  std::recursive_mutex mutex;  // recursive: the SDL_mixer work handed to withOutput may ask the state again
  std::condition_variable_any changed;
  int holders = 0;
  bool available = false;
  bool awake = false;
  bool reportedMissing = false;
  bool musicHolds = false;
  uint64_t generation = 0;
  std::chrono::steady_clock::time_point lastUse;
  int sleepDelayMs = 1500;
  std::thread sleeper;
  bool stopSleeper = false;
  std::vector<bool> channelUsed;  // index = mixer channel; 0 is the shared effect channel
  int effectsLevel = MIX_MAX_VOLUME;
  int musicLevel = MIX_MAX_VOLUME;
};

DeviceState& state() {
  static DeviceState s;
  return s;
}

constexpr int kInitialChannels = 8;

// Caller holds the state mutex; SDL_mixer must not be touched while asleep.
void applyLevelsLocked(DeviceState& s) {
  if (!s.awake) return;
  Mix_Volume(-1, s.effectsLevel);
  Mix_VolumeMusic(s.musicLevel);
}

// ALSA reports every card it cannot find on standard error; the game says
// once that it runs silent instead.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// Frames the mixer fills per wake: 2048 (46 ms) wakes it half as often as
// 1024, which halves the audio thread's cost while music plays, and an
// effect still follows its click without a lag a player notices.
constexpr int kOutputFrames = 2048;

bool openDeviceLocked(DeviceState& s) {
  if (Mix_OpenAudioDevice(kOutputRate, AUDIO_S16SYS, kOutputChannels, kOutputFrames, nullptr, 0) != 0)
    return false;
  if (s.channelUsed.empty()) s.channelUsed.assign(1, true);
  Mix_AllocateChannels(std::max<int>(kInitialChannels, static_cast<int>(s.channelUsed.size())));
  s.awake = true;
  ++s.generation;
  s.lastUse = std::chrono::steady_clock::now();
  applyLevelsLocked(s);
  s.changed.notify_all();
  return true;
}

void closeDeviceLocked(DeviceState& s) {
  if (!s.awake) return;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_CloseAudio();
  s.awake = false;
}

// Opens the output once for the first holder: the audio system is set up
// and the device tried, so a machine without sound is known (and said) at
// start. The device then sleeps until something plays.
bool setUpOutputLocked(DeviceState& s) {
  snd_lib_error_set_handler(quietAlsa);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  Mix_Init(MIX_INIT_OGG | MIX_INIT_MID);
  // Debian's SDL_mixer ignores SDL_SOUNDFONTS; the path must be handed over.
  if (*soundFontPath()) Mix_SetSoundFonts(soundFontPath());
  if (!openDeviceLocked(s)) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

// The device sleeps once nothing has sounded for sleepDelayMs: no effect
// channel playing and no track held by the music. Asleep, this thread
// waits for the next wake without a time-out.
void sleeperLoop() {
  DeviceState& s = state();
  std::unique_lock<std::recursive_mutex> lock(s.mutex);
  while (!s.stopSleeper) {
    if (!s.awake) {
      s.changed.wait(lock);
      continue;
    }
    auto now = std::chrono::steady_clock::now();
    bool busy = Mix_Playing(-1) > 0 || (s.musicHolds && Mix_PlayingMusic());
    if (busy) s.lastUse = now;
    auto delay = std::chrono::milliseconds(s.sleepDelayMs);
    if (!busy && now - s.lastUse >= delay) {
      closeDeviceLocked(s);
      continue;
    }
    // Every wake of this thread costs while music plays: look again once
    // the silence could be long enough, and no sooner.
    s.changed.wait_until(lock, s.lastUse + delay);
  }
}

// Wakes the device if it sleeps; false when there is no output.
bool wakeLocked(DeviceState& s) {
  if (!s.available) return false;
  if (!s.awake && !openDeviceLocked(s)) {
    // The device went away (unplugged): run silent from here on.
    s.available = false;
    return false;
  }
  s.lastUse = std::chrono::steady_clock::now();
  return true;
}

// A free mixer channel of the pool (never 0), or -1 without an output.
int allocateChannel() {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (!s.available) return -1;
  if (s.channelUsed.empty()) s.channelUsed.assign(1, true);
  for (size_t i = 1; i < s.channelUsed.size(); ++i) {
    if (!s.channelUsed[i]) {
      s.channelUsed[i] = true;
      return static_cast<int>(i);
    }
  }
  int channel = static_cast<int>(s.channelUsed.size());
  s.channelUsed.push_back(true);
  if (s.awake && channel >= Mix_AllocateChannels(-1)) {
    Mix_AllocateChannels(channel + kInitialChannels);
    applyLevelsLocked(s);  // new channels start at full volume
  }
  return channel;
}

void releaseChannel(int channel) {
  if (channel <= 0) return;
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (s.awake) Mix_HaltChannel(channel);
  if (static_cast<size_t>(channel) < s.channelUsed.size()) s.channelUsed[channel] = false;
}

// Frees a chunk under the lock, so the device cannot close under SDL_mixer
// while it looks for channels still playing the chunk.
void freeChunk(Mix_Chunk* chunk) {
  if (!chunk) return;
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  Mix_FreeChunk(chunk);
}

void putLe16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void putLe32(uint8_t* p, uint32_t v) {
  putLe16(p, v);
  putLe16(p + 2, v >> 16);
}

// A canonical WAV image of raw samples, for SDL_mixer to convert.
std::vector<uint8_t> wavImage(const WaveFormat& f, const std::vector<uint8_t>& samples) {
  std::vector<uint8_t> img(44 + samples.size());
  std::memcpy(img.data(), "RIFF", 4);
  putLe32(&img[4], static_cast<uint32_t>(36 + samples.size()));
  std::memcpy(&img[8], "WAVEfmt ", 8);
  putLe32(&img[16], 16);
  putLe16(&img[20], f.formatTag);
  putLe16(&img[22], f.channels);
  putLe32(&img[24], f.samplesPerSec);
  putLe32(&img[28], f.avgBytesPerSec);
  putLe16(&img[32], f.blockAlign);
  putLe16(&img[34], f.bitsPerSample);
  std::memcpy(&img[36], "data", 4);
  putLe32(&img[40], static_cast<uint32_t>(samples.size()));
  if (!samples.empty()) std::memcpy(&img[44], samples.data(), samples.size());
  return img;
}

// The samples of a WAV image converted to the output format. Built without
// the device, so effects load while it sleeps; SDL_mixer frees both blocks.
Mix_Chunk* loadChunk(const std::vector<uint8_t>& image) {
  if (image.empty()) return nullptr;
  SDL_RWops* rw = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
  SDL_AudioSpec spec;
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (!rw || !SDL_LoadWAV_RW(rw, 1, &spec, &data, &length)) return nullptr;
  SDL_AudioCVT cvt;
  int built = SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, kOutputChannels, kOutputRate);
  Uint8* buf = built < 0 ? nullptr : static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(length) * std::max(1, cvt.len_mult)));
  if (!buf) {
    SDL_FreeWAV(data);
    return nullptr;
  }
  std::memcpy(buf, data, length);
  SDL_FreeWAV(data);
  cvt.buf = buf;
  cvt.len = static_cast<int>(length);
  if (built > 0 && SDL_ConvertAudio(&cvt) != 0) {
    SDL_free(buf);
    return nullptr;
  }
  auto* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
  if (!chunk) {
    SDL_free(buf);
    return nullptr;
  }
  chunk->allocated = 1;
  chunk->abuf = buf;
  chunk->alen = static_cast<Uint32>(built > 0 ? cvt.len_cvt : cvt.len);
  chunk->volume = MIX_MAX_VOLUME;
  return chunk;
}

bool usableFormat(const WaveFormat& f, size_t bytes) {
  if (f.formatTag != 1 || f.channels < 1 || f.channels > 2) return false;
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
  if (f.samplesPerSec < 1000 || f.samplesPerSec > 192000) return false;
  if (f.blockAlign != f.channels * f.bitsPerSample / 8) return false;
  return bytes >= f.blockAlign && bytes <= 0x7FFFFFF0u;
}

class MixerSoundBuffer : public SoundBuffer {
public:
  MixerSoundBuffer(const WaveFormat& format, size_t bytes)
      : format_(format), samples_(bytes, format.bitsPerSample == 8 ? 128 : 0) {
    channel_ = allocateChannel();
  }
  ~MixerSoundBuffer() override {
    releaseChannel(channel_);
    freeChunk(chunk_);
  }

  bool lock(uint8_t** data, size_t* size) override {
    *data = samples_.data();
    *size = samples_.size();
    return true;
  }
  void unlock() override {
    // The mixer plays converted samples, so the chunk is rebuilt from what was written.
    freeChunk(chunk_);
    chunk_ = channel_ > 0 ? loadChunk(wavImage(format_, samples_)) : nullptr;
  }
  bool isLost() override { return false; }
  bool restore() override { return true; }
  void rewind() override {
    whileAwake([&] {
      if (soundingNow()) Mix_PlayChannel(channel_, chunk_, 0);
    });
  }
  bool play() override {
    if (!chunk_ || channel_ <= 0) return false;
    bool ok = false;
    withOutput([&] { ok = soundingNow() || Mix_PlayChannel(channel_, chunk_, 0) != -1; });
    return ok;
  }
  bool isPlaying() override {
    bool playing = false;
    whileAwake([&] { playing = soundingNow(); });
    return playing;
  }

private:
  bool soundingNow() const { return chunk_ && channel_ > 0 && Mix_Playing(channel_) && Mix_GetChunk(channel_) == chunk_; }

  AudioDeviceRef device_;  // first member: the output outlives the chunk
  WaveFormat format_;
  std::vector<uint8_t> samples_;
  Mix_Chunk* chunk_ = nullptr;
  int channel_ = -1;
};

class MixerSoundDevice : public SoundDevice {
public:
  std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat& format, size_t bytes) override {
    if (!usableFormat(format, bytes)) return nullptr;
    return std::make_unique<MixerSoundBuffer>(format, bytes);
  }

private:
  AudioDeviceRef device_;
};

// Channel 0 of the mixer, shared by every effect of mode 0.
class MixerMemorySound : public MemorySound {
public:
  ~MixerMemorySound() override { freeChunk(chunk_); }
  bool play(const std::vector<uint8_t>& image, bool restart) override {
    if (!device_.isOpen()) return false;
    if (!restart && isPlaying()) return false;
    Mix_Chunk* next = loadChunk(image);
    bool ok = false;
    withOutput([&] {
      Mix_HaltChannel(0);
      ok = next && Mix_PlayChannel(0, next, 0) != -1;
    });
    freeChunk(chunk_);  // halted above, or never played
    chunk_ = next;
    return ok;
  }
  bool isPlaying() override {
    bool playing = false;
    whileAwake([&] { playing = Mix_Playing(0) != 0; });
    return playing;
  }

private:
  AudioDeviceRef device_;
  Mix_Chunk* chunk_ = nullptr;
};

class MixerAudio : public AudioBackend {
public:
  MemorySound& memorySound() override { return memory_; }
  std::unique_ptr<SoundDevice> createSoundDevice() override {
    if (!device_.isOpen()) return nullptr;
    return std::make_unique<MixerSoundDevice>();
  }

private:
  AudioDeviceRef device_;
  MixerMemorySound memory_;
};

}  // namespace

WaveFormat readWaveFormat(const uint8_t* b) {
  auto le16 = [b](int i) { return static_cast<uint16_t>(b[i] | (b[i + 1] << 8)); };
  auto le32 = [&](int i) { return static_cast<uint32_t>(le16(i) | (static_cast<uint32_t>(le16(i + 2)) << 16)); };
  WaveFormat f;
  f.formatTag = le16(0);
  f.channels = le16(2);
  f.samplesPerSec = le32(4);
  f.avgBytesPerSec = le32(8);
  f.blockAlign = le16(12);
  f.bitsPerSample = le16(14);
  return f;
}

std::unique_ptr<AudioBackend> makeMixerAudio() { return std::make_unique<MixerAudio>(); }

AudioDeviceRef::AudioDeviceRef() {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (s.holders++ > 0) return;
  s.channelUsed.assign(1, true);
  s.available = setUpOutputLocked(s);
  if (!s.available) {
    if (!s.reportedMissing) std::fprintf(stderr, "zenbox: no sound device; the game runs without sound\n");
    s.reportedMissing = true;
    return;
  }
  s.stopSleeper = false;
  s.sleeper = std::thread(sleeperLoop);
}

AudioDeviceRef::~AudioDeviceRef() {
  DeviceState& s = state();
  std::unique_lock<std::recursive_mutex> lock(s.mutex);
  // The sleeper runs whenever the set-up succeeded, even if the device was
  // lost since (available false).
  if (--s.holders > 0 || !s.sleeper.joinable()) return;
  s.stopSleeper = true;
  s.changed.notify_all();
  std::thread sleeper = std::move(s.sleeper);
  lock.unlock();
  sleeper.join();
  lock.lock();
  closeDeviceLocked(s);
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  s.available = false;
}

bool AudioDeviceRef::isOpen() const {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  return s.available;
}

bool withOutput(const std::function<void()>& use) {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (!wakeLocked(s)) return false;
  use();
  s.lastUse = std::chrono::steady_clock::now();
  return true;
}

bool whileAwake(const std::function<void()>& use) {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (!s.awake) return false;
  use();
  return true;
}

bool outputAwake() {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  return s.awake;
}

uint64_t outputGeneration() {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  return s.generation;
}

void setMusicHolds(bool holds) {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  s.musicHolds = holds;
  s.lastUse = std::chrono::steady_clock::now();
  s.changed.notify_all();
}

void setOutputSleepDelayMs(int ms) {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  s.sleepDelayMs = std::max(1, ms);
  s.changed.notify_all();
}

void setOutputLevels(int effects, int music) {
  DeviceState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  s.effectsLevel = effects;
  s.musicLevel = music;
  applyLevelsLocked(s);
}

const char* soundFontPath() {
  static const char* const kCandidates[] = {
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/sounds/sf2/default-GM.sf2",
      "/usr/share/sounds/sf3/default-GM.sf3",
  };
  const char* env = std::getenv("ZB_SOUNDFONT");
  if (env && *env) return env;
  for (const char* p : kCandidates) {
    if (SDL_RWops* rw = SDL_RWFromFile(p, "rb")) {
      SDL_RWclose(rw);
      return p;
    }
  }
  return "";
}

}  // namespace zb
