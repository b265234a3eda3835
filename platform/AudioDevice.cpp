#include "platform/AudioDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <cstring>
#include <mutex>


namespace zb {
namespace {

// The shared output, opened by the first holder and closed by the last.
struct DeviceState {
  std::mutex mutex;
  int holders = 0;
  bool open = false;
  std::vector<bool> channelUsed;  // index = mixer channel; 0 is the shared effect channel
  int effectsLevel = MIX_MAX_VOLUME;
  int musicLevel = MIX_MAX_VOLUME;
};

DeviceState& state() {
  static DeviceState s;
  return s;
}

constexpr int kInitialChannels = 8;

// Caller holds the state mutex; SDL_mixer must not be touched while closed.
void applyLevelsLocked(DeviceState& s) {
  if (!s.open) return;
  Mix_Volume(-1, s.effectsLevel);
  Mix_VolumeMusic(s.musicLevel);
}

bool openOutput() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  Mix_Init(MIX_INIT_MID);
  // Debian's SDL_mixer ignores SDL_SOUNDFONTS; the path must be handed over.
  if (*soundFontPath()) Mix_SetSoundFonts(soundFontPath());
  if (Mix_OpenAudioDevice(kOutputRate, AUDIO_S16SYS, kOutputChannels, 1024, nullptr, 0) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(kInitialChannels);
  return true;
}

void closeOutput() {
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// A free mixer channel of the pool (never 0), or -1 without an output.
int allocateChannel() {
  DeviceState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.open) return -1;
  if (s.channelUsed.empty()) s.channelUsed.assign(1, true);
  for (size_t i = 1; i < s.channelUsed.size(); ++i) {
    if (!s.channelUsed[i]) {
      s.channelUsed[i] = true;
      return static_cast<int>(i);
    }
  }
  int channel = static_cast<int>(s.channelUsed.size());
  s.channelUsed.push_back(true);
  if (channel >= Mix_AllocateChannels(-1)) {
    Mix_AllocateChannels(channel + kInitialChannels);
    applyLevelsLocked(s);  // new channels start at full volume
  }
  return channel;
}

void releaseChannel(int channel) {
  if (channel <= 0) return;
  DeviceState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.open) Mix_HaltChannel(channel);
  if (static_cast<size_t>(channel) < s.channelUsed.size()) s.channelUsed[channel] = false;
}

bool outputOpen() {
  DeviceState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.open;
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

Mix_Chunk* loadChunk(const std::vector<uint8_t>& image) {
  if (image.empty()) return nullptr;
  SDL_RWops* rw = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
  return rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
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
    if (chunk_) Mix_FreeChunk(chunk_);
  }

  bool lock(uint8_t** data, size_t* size) override {
    *data = samples_.data();
    *size = samples_.size();
    return true;
  }
  void unlock() override {
    // The mixer plays converted samples, so the chunk is rebuilt from what was written.
    if (chunk_) Mix_FreeChunk(chunk_);
    chunk_ = channel_ > 0 ? loadChunk(wavImage(format_, samples_)) : nullptr;
  }
  bool isLost() override { return false; }
  bool restore() override { return true; }
  void rewind() override {
    if (isPlaying()) Mix_PlayChannel(channel_, chunk_, 0);
  }
  bool play() override {
    if (!chunk_) return false;
    if (isPlaying()) return true;
    return Mix_PlayChannel(channel_, chunk_, 0) != -1;
  }
  bool isPlaying() override {
    return chunk_ && channel_ > 0 && Mix_Playing(channel_) && Mix_GetChunk(channel_) == chunk_;
  }

private:
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
  ~MixerMemorySound() override {
    if (chunk_) Mix_FreeChunk(chunk_);
  }
  bool play(const std::vector<uint8_t>& image, bool restart) override {
    if (!device_.isOpen()) return false;
    if (!restart && Mix_Playing(0)) return false;
    Mix_HaltChannel(0);
    if (chunk_) Mix_FreeChunk(chunk_);
    chunk_ = loadChunk(image);
    return chunk_ && Mix_PlayChannel(0, chunk_, 0) != -1;
  }
  bool isPlaying() override { return device_.isOpen() && Mix_Playing(0); }

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
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.holders++ == 0) {
    s.open = openOutput();
    s.channelUsed.assign(1, true);
    applyLevelsLocked(s);
  }
}

AudioDeviceRef::~AudioDeviceRef() {
  DeviceState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (--s.holders == 0 && s.open) {
    closeOutput();
    s.open = false;
  }
}

bool AudioDeviceRef::isOpen() const { return outputOpen(); }

void setOutputLevels(int effects, int music) {
  DeviceState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
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
