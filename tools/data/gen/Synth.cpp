#include "tools/data/gen/Synth.h"

#include <algorithm>
#include <cmath>

#include "tools/data/gen/Canvas.h"

namespace zbgen {
namespace {
constexpr float kTwoPi = 6.28318530718f;

float waveAt(Wave w, float phase) {
  float s = std::sin(phase);
  switch (w) {
    case Wave::Sine: return s;
    case Wave::Triangle: return std::asin(s) * (2.0f / 3.14159265f);
    case Wave::Soft: return std::tanh(3.0f * s) / std::tanh(3.0f);
  }
  return s;
}

size_t at(float seconds) { return static_cast<size_t>(std::max(0.0f, seconds) * kSampleRate); }
}  // namespace

Synth::Synth(float seconds) : buf_(at(seconds), 0.0f) {}

void Synth::tone(float start, float length, float f0, float f1, float amp, float attack, float decay,
                 Wave wave) {
  size_t s0 = at(start), n = at(length);
  float phase = 0;
  // The glide multiplies the frequency by the same factor every sample.
  double f = f0, step = std::pow(static_cast<double>(f1) / f0, 1.0 / std::max<size_t>(1, n));
  for (size_t i = 0; i < n; ++i, f *= step) {
    float t = static_cast<float>(i) / kSampleRate;
    phase += kTwoPi * static_cast<float>(f) / kSampleRate;
    if (phase > kTwoPi) phase -= kTwoPi;
    float env = attack > 0 ? std::min(1.0f, t / attack) : 1.0f;
    if (decay > 0) env *= std::exp(-std::max(0.0f, t - attack) / decay);
    float release = std::min(1.0f, (length - t) / 0.01f);  // no click at the end
    add(s0 + i, amp * env * release * waveAt(wave, phase));
  }
}

void Synth::bell(float start, float freq, float amp, float decay) {
  static const float ratio[] = {1.0f, 2.0f, 2.76f, 5.40f, 8.93f};
  static const float level[] = {1.0f, 0.45f, 0.35f, 0.18f, 0.08f};
  for (int k = 0; k < 5; ++k) {
    float f = freq * ratio[k];
    if (f > kSampleRate / 2.2f) continue;
    tone(start, decay * 4.5f, f, f, amp * level[k], 0.002f, decay / (1.0f + k * 0.8f));
  }
}

void Synth::pluck(float start, float freq, float amp, float damping, uint32_t seed) {
  size_t period = std::max<size_t>(2, static_cast<size_t>(kSampleRate / freq));
  std::vector<float> line(period);
  for (size_t i = 0; i < period; ++i) line[i] = hash01(seed, static_cast<uint32_t>(i)) * 2 - 1;
  size_t s0 = at(start);
  for (size_t i = 0; s0 + i < buf_.size(); ++i) {
    size_t k = i % period;
    float v = line[k];
    line[k] = damping * 0.5f * (v + line[(k + 1) % period]);
    add(s0 + i, amp * v);
  }
}

void Synth::noise(float start, float length, float c0, float c1, float amp, float attack, float decay,
                  uint32_t seed) {
  size_t s0 = at(start), n = at(length);
  float y = 0;
  for (size_t i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kSampleRate;
    float c = c0 * std::pow(c1 / c0, t / length);
    float a = 1.0f - std::exp(-kTwoPi * c / kSampleRate);
    y += a * ((hash01(seed, static_cast<uint32_t>(i)) * 2 - 1) - y);
    float env = attack > 0 ? std::min(1.0f, t / attack) : 1.0f;
    if (decay > 0) env *= std::exp(-std::max(0.0f, t - attack) / decay);
    float release = std::min(1.0f, (length - t) / 0.01f);
    add(s0 + i, amp * env * release * y);
  }
}

void Synth::echo(float delay, float feedback, int taps) {
  size_t d = at(delay);
  std::vector<float> dry = buf_;
  float g = feedback;
  for (int k = 1; k <= taps; ++k, g *= feedback)
    for (size_t i = 0; i + d * k < buf_.size(); ++i) buf_[i + d * k] += g * dry[i];
}

void Synth::normalise(float loudness, float peakLimit) {
  float peak = 0;
  for (float v : buf_) peak = std::max(peak, std::fabs(v));
  if (peak <= 0) return;
  size_t win = at(0.05f);
  double sum = 0, best = 0;
  for (size_t i = 0; i < buf_.size(); ++i) {
    sum += buf_[i] * buf_[i];
    if (i >= win) sum -= buf_[i - win] * buf_[i - win];
    best = std::max(best, sum);
  }
  float rms = static_cast<float>(std::sqrt(best / std::max<size_t>(1, std::min(win, buf_.size()))));
  float gain = std::min(peakLimit / peak, rms > 0 ? loudness / rms : peakLimit / peak);
  size_t fade = std::min(buf_.size() / 4, at(0.004f));
  for (size_t i = 0; i < buf_.size(); ++i) {
    float f = 1.0f;
    if (i < fade) f = static_cast<float>(i) / fade;
    if (buf_.size() - i <= fade) f = std::min(f, static_cast<float>(buf_.size() - 1 - i) / fade);
    buf_[i] *= gain * f;
  }
}

std::vector<uint8_t> encodeWav(const std::vector<float>& samples, int rate) {
  uint32_t dataLen = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataLen);
  auto text = [&](const char* s) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(s[i]));
  };
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto u16 = [&](uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  text("RIFF");
  u32(36 + dataLen);
  text("WAVE");
  text("fmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(static_cast<uint32_t>(rate));
  u32(static_cast<uint32_t>(rate) * 2);
  u16(2);
  u16(16);
  text("data");
  u32(dataLen);
  for (float v : samples) {
    int s = static_cast<int>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
    u16(static_cast<uint16_t>(static_cast<int16_t>(s)));
  }
  return out;
}

}  // namespace zbgen
