#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The audio output of the process and the two ways effects reach it: a
// single shared effect channel fed with whole WAV file images, and a mixing
// device with one static buffer (and channel) per effect. The device opens
// while at least one user holds it; without a usable audio device every
// operation succeeds or fails quietly and nothing is heard.
namespace zb {

// The 16-byte PCM format block of a WAV file.
struct WaveFormat {
  uint16_t formatTag = 1;  // 1 = PCM
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};

// Reads a format block from 16 little-endian bytes.
WaveFormat readWaveFormat(const uint8_t* bytes);

// One effect's static sample buffer on the mixing device, with a channel
// of its own so different effects mix.
class SoundBuffer {
public:
  virtual ~SoundBuffer() = default;
  // Gives write access to the whole buffer; false when it cannot be locked.
  virtual bool lock(uint8_t** data, size_t* size) = 0;
  // Ends a lock; the written samples are what later plays.
  virtual void unlock() = 0;
  // True when the device dropped the buffer's memory and it must be refilled.
  virtual bool isLost() = 0;
  // Gets the memory back after a loss (contents undefined until refilled).
  virtual bool restore() = 0;
  // Moves the play position to the start, at once if the buffer is sounding.
  virtual void rewind() = 0;
  // Plays once, never looped; a buffer already sounding simply continues.
  virtual bool play() = 0;
  virtual bool isPlaying() = 0;
};

// The mixing device that owns static buffers.
class SoundDevice {
public:
  virtual ~SoundDevice() = default;
  // A buffer of `bytes` bytes in the given format; nullptr when the format
  // or size is unusable.
  virtual std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat& format, size_t bytes) = 0;
};

// The simple effect path: one shared channel that plays whole WAV images.
class MemorySound {
public:
  virtual ~MemorySound() = default;
  // Starts the image asynchronously. With `restart` false nothing happens
  // (false) while the channel still sounds; with `restart` true the current
  // sound is cut off. Returns whether the image started.
  virtual bool play(const std::vector<uint8_t>& image, bool restart) = 0;
  virtual bool isPlaying() = 0;
};

// What the effect player needs of the platform.
class AudioBackend {
public:
  virtual ~AudioBackend() = default;
  virtual MemorySound& memorySound() = 0;
  // The mixing device, or nullptr when it cannot be created.
  virtual std::unique_ptr<SoundDevice> createSoundDevice() = 0;
};

// The SDL_mixer backend. It holds the shared output open while it lives.
std::unique_ptr<AudioBackend> makeMixerAudio();

// Keeps the shared SDL_mixer output for its lifetime (reference counted;
// the first holder sets it up and tries the device, saying once on
// standard error when there is none; the last one shuts it down).
class AudioDeviceRef {
public:
  AudioDeviceRef();
  ~AudioDeviceRef();
  AudioDeviceRef(const AudioDeviceRef&) = delete;
  AudioDeviceRef& operator=(const AudioDeviceRef&) = delete;
  // Whether there is an output device, awake or asleep (false: running silent).
  bool isOpen() const;
};

// Runs `use` (SDL_mixer calls) with the device awake, waking it if it
// sleeps; false, without running it, when there is no output. The device
// cannot fall asleep while `use` runs.
bool withOutput(const std::function<void()>& use);
// Runs `use` only if the device is awake now; false otherwise.
bool whileAwake(const std::function<void()>& use);
bool outputAwake();
// Counts the device's openings: music loaded under an earlier opening is
// loaded again before it plays.
uint64_t outputGeneration();
// The music keeps the device awake while it holds a track that plays or is paused.
void setMusicHolds(bool holds);
// How long a silence lasts before the device sleeps (default 1500 ms).
void setOutputSleepDelayMs(int ms);

// Output format of the shared device: 44100 Hz, signed 16-bit, stereo.
constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;

// Levels (0..128) of the effect channels and the music, applied now if the
// output is open and again whenever it opens or gains channels.
void setOutputLevels(int effects, int music);

// The General MIDI soundfont handed to the MIDI synthesizer, or "" if none
// of the known locations holds one.
const char* soundFontPath();

}  // namespace zb
