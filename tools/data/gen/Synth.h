#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A tiny additive/subtractive synthesizer for the short sound effects, and
// the canonical 44-byte-header PCM WAV encoder the sound layer relies on.
namespace zbgen {

constexpr int kSampleRate = 44100;

enum class Wave { Sine, Triangle, Soft };  // Soft: a rounded square (odd harmonics)

class Synth {
public:
  explicit Synth(float seconds);

  // A tone gliding exponentially from f0 to f1 Hz, with a linear attack and
  // an exponential decay (decay = seconds to fall by 1/e; 0 = hold).
  void tone(float start, float length, float f0, float f1, float amp, float attack, float decay,
            Wave wave = Wave::Sine);
  // A struck bell or chime: inharmonic partials that die away at different rates.
  void bell(float start, float freq, float amp, float decay);
  // A plucked string (Karplus-Strong) with a deterministic excitation.
  void pluck(float start, float freq, float amp, float damping, uint32_t seed);
  // Filtered noise: a one-pole low-pass whose cutoff glides from c0 to c1 Hz.
  void noise(float start, float length, float c0, float c1, float amp, float attack, float decay,
             uint32_t seed);
  // A short echo tail: copies of the signal delayed and attenuated.
  void echo(float delay, float feedback, int taps);

  // Scales to a common loudness (RMS over the loudest 50 ms) with the peak
  // kept below `peakLimit`, and fades the ends so nothing clicks.
  void normalise(float loudness = 0.16f, float peakLimit = 0.7f);
  const std::vector<float>& samples() const { return buf_; }

private:
  void add(size_t i, float v) {
    if (i < buf_.size()) buf_[i] += v;
  }
  std::vector<float> buf_;
};

// 16-bit mono PCM WAV with the canonical 44-byte header (format block at
// byte 20, data length at byte 40, samples from byte 44). Samples are
// clamped to -1..1.
std::vector<uint8_t> encodeWav(const std::vector<float>& samples, int rate = kSampleRate);

struct NamedFile {
  std::string path;  // relative to the data folder
  std::vector<uint8_t> bytes;
};

// Every sound effect of the data pack.
std::vector<NamedFile> makeSoundEffects();

}  // namespace zbgen
