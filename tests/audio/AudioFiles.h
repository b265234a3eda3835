#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Tiny sound files the audio tests write for themselves, and a reader for
// what SDL's disk audio driver recorded.
namespace audiotest {

// A canonical 44-byte-header PCM WAV. `statedLength` < 0 writes the real
// data length; otherwise that value goes into the header as is.
std::vector<uint8_t> wavBytes(int rate, int channels, int bits, const std::vector<uint8_t>& data,
                              long long statedLength = -1);
// `ms` milliseconds of a constant 16-bit level at 44100 Hz, stereo.
std::vector<uint8_t> constantWav(int16_t level, int ms);
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// A format-0 MIDI file: one piano note of `noteMs` at 120 beats a minute.
std::vector<uint8_t> midiBytes(int noteMs);

// Uses SDL's disk driver writing to `file` while it lives (for devices
// opened meanwhile), then restores the dummy driver.
class DiskAudio {
public:
  explicit DiskAudio(const std::string& file);
  ~DiskAudio();
};

// The signed 16-bit samples of a recording.
std::vector<int16_t> readSamples(const std::string& file);
// How many samples equal `value`.
size_t countValue(const std::vector<int16_t>& samples, int16_t value);

void sleepMs(int ms);

}  // namespace audiotest
