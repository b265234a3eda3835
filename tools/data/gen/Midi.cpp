#include "tools/data/gen/Midi.h"

#include <algorithm>
#include <cmath>

namespace zbgen {
namespace {
void varLen(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t tmp[5];
  int n = 0;
  tmp[n++] = v & 0x7F;
  while (v >>= 7) tmp[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
  while (n) out.push_back(tmp[--n]);
}

void be32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint8_t clamp7(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }
}  // namespace

void MidiTrack::add(uint32_t tick, int order, std::vector<uint8_t> bytes) {
  events_.push_back({tick, order, std::move(bytes)});
}

void MidiTrack::program(int channel, int program) {
  add(0, 1, {static_cast<uint8_t>(0xC0 | channel), clamp7(program)});
}

void MidiTrack::controller(int channel, int number, int value) {
  add(0, 1, {static_cast<uint8_t>(0xB0 | channel), clamp7(number), clamp7(value)});
}

void MidiTrack::tempo(uint32_t tick, double bpm) {
  uint32_t us = static_cast<uint32_t>(std::lround(60000000.0 / bpm));
  add(tick, 1, {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                static_cast<uint8_t>(us)});
}

void MidiTrack::timeSignature(int numerator, int denominatorPow2) {
  add(0, 1, {0xFF, 0x58, 0x04, clamp7(numerator), clamp7(denominatorPow2), 24, 8});
}

void MidiTrack::keySignature(int sharps, bool minor) {
  add(0, 1, {0xFF, 0x59, 0x02, static_cast<uint8_t>(static_cast<int8_t>(sharps)), minor ? uint8_t{1} : uint8_t{0}});
}

void MidiTrack::note(int channel, uint32_t tick, uint32_t length, int key, int velocity) {
  if (key < 0 || key > 127 || length == 0) return;
  add(tick, 2, {static_cast<uint8_t>(0x90 | channel), clamp7(key), clamp7(std::max(1, velocity))});
  add(tick + length, 0, {static_cast<uint8_t>(0x80 | channel), clamp7(key), 64});
}

std::vector<uint8_t> MidiTrack::chunk() const {
  std::vector<Event> ev = events_;
  std::stable_sort(ev.begin(), ev.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<uint8_t> body;
  varLen(body, 0);
  body.insert(body.end(), {0xFF, 0x03});
  varLen(body, static_cast<uint32_t>(name_.size()));
  body.insert(body.end(), name_.begin(), name_.end());
  uint32_t now = 0;
  for (const Event& e : ev) {
    varLen(body, e.tick - now);
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  varLen(body, kTicksPerBeat);  // a beat of silence before the end
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  std::vector<uint8_t> out = {'M', 'T', 'r', 'k'};
  be32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<uint8_t> encodeSmf(const std::vector<MidiTrack>& tracks, int ticksPerBeat) {
  std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  out.push_back(static_cast<uint8_t>(tracks.size() >> 8));
  out.push_back(static_cast<uint8_t>(tracks.size()));
  out.push_back(static_cast<uint8_t>(ticksPerBeat >> 8));
  out.push_back(static_cast<uint8_t>(ticksPerBeat));
  for (const MidiTrack& t : tracks) {
    std::vector<uint8_t> c = t.chunk();
    out.insert(out.end(), c.begin(), c.end());
  }
  return out;
}

}  // namespace zbgen
