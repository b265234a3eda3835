// The background tunes. Each tune has a key, a chord progression per
// section, a two-bar melodic motif that is repeated and varied, a bass line,
// a pad or arpeggio and some percussion. Slow tunes are sparse pentatonic
// pieces on flutes, kotos and pads; fast tunes add a driving bass, arpeggios
// and a full drum pattern.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/data/gen/Midi.h"

namespace zbgen {
namespace {

struct Rng {
  uint32_t s;
  int next(int n) {
    s = s * 1664525u + 1013904223u;
    return n <= 0 ? 0 : static_cast<int>((s >> 8) % static_cast<uint32_t>(n));
  }
};

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};
constexpr int kBeat = kTicksPerBeat, kBar = 4 * kBeat, kEighth = kBeat / 2;
constexpr int kLead = 0, kPad = 1, kBass = 2, kArp = 3, kDrums = 9;

struct Style {
  bool fast, minor;
  double bpm;
  int root;                 // MIDI note of the tonic around middle C
  int lead, pad, bass, arp;  // General MIDI programs
  int progA[4], progB[4];    // chord roots as scale degrees
};

struct Song {
  Style st;
  Rng rng;
  MidiTrack lead{"Melody"}, pad{"Harmony"}, bass{"Bass"}, arp{"Arpeggio"}, drums{"Percussion"};
  uint32_t bar = 0;  // current bar

  int pitch(int degree) const {
    int oct = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    int d = degree - oct * 7;
    return st.root + 12 * oct + (st.minor ? kMinor[d] : kMajor[d]);
  }
  int vel(int base) { return base + rng.next(9) - 4; }
};

// Rhythms of a two-bar phrase in eighth notes (each sums to 16).
const std::vector<std::vector<int>> kSlowRhythms = {
    {4, 2, 2, 8}, {6, 2, 4, 4}, {2, 2, 4, 8}, {8, 4, 4}, {4, 4, 8}, {3, 1, 4, 8}, {4, 2, 2, 4, 4}};
const std::vector<std::vector<int>> kFastRhythms = {
    {2, 2, 1, 1, 2, 2, 2, 4}, {1, 1, 2, 1, 1, 2, 2, 2, 4}, {2, 1, 1, 2, 2, 3, 1, 4},
    {3, 3, 2, 3, 3, 2},       {2, 2, 2, 2, 1, 1, 2, 4},    {1, 1, 1, 1, 2, 2, 4, 4}};

struct Phrase {
  std::vector<int> rhythm, degrees;
};

// A motif over two bars whose chords are given; strong notes take chord tones.
Phrase makeMotif(Song& s, int chord0, int chord1) {
  const auto& rs = s.st.fast ? kFastRhythms : kSlowRhythms;
  Phrase p{rs[static_cast<size_t>(s.rng.next(static_cast<int>(rs.size())))], {}};
  int deg = chord0 + 2 * s.rng.next(3) + (chord0 < 2 ? 7 : 0);
  int pos = 0;
  for (int len : p.rhythm) {
    int chord = pos < 8 ? chord0 : chord1;
    int r = s.rng.next(20);
    deg += r < 8 ? 1 : r < 16 ? -1 : r < 18 ? 2 : -2;  // mostly steps, a few leaps
    if (pos % 4 == 0) {  // on the beat pairs: nearest chord tone
      int best = deg, bestDist = 99;
      for (int c = chord - 7; c <= chord + 14; c += 2)
        if ((c - chord) % 7 == 0 || (c - chord) % 7 == 2 || (c - chord) % 7 == 4 || (c - chord) % 7 == -3 ||
            (c - chord) % 7 == -5)
          if (std::abs(c - deg) < bestDist) bestDist = std::abs(c - deg), best = c;
      deg = best;
    }
    if (!s.st.fast && !s.st.minor && ((deg % 7) + 7) % 7 == 3) deg += 1;  // avoid the 4th: pentatonic feel
    if (!s.st.fast && !s.st.minor && ((deg % 7) + 7) % 7 == 6) deg -= 1;  // and the 7th
    deg = std::clamp(deg, 2, 11);
    p.degrees.push_back(deg);
    pos += len;
  }
  return p;
}

Phrase vary(Song& s, Phrase p, bool cadence) {
  size_t n = p.degrees.size();
  for (size_t i = n > 2 ? n - 2 : 0; i < n; ++i) p.degrees[i] += s.rng.next(3) - 1;
  if (cadence) p.degrees.back() = 7;
  return p;
}

void playPhrase(Song& s, const Phrase& p, uint32_t startBar, int octaveShift, int velocity) {
  uint32_t t = startBar * kBar;
  for (size_t i = 0; i < p.rhythm.size(); ++i) {
    uint32_t len = static_cast<uint32_t>(p.rhythm[i] * kEighth);
    s.lead.note(kLead, t, len - len / 8, s.pitch(p.degrees[i]) + 12 * octaveShift, s.vel(velocity));
    t += len;
  }
}

void accompanyBar(Song& s, uint32_t b, int chord, bool intro) {
  uint32_t t = b * kBar;
  int v = s.st.fast ? 62 : 48;
  for (int k = 0; k < 3; ++k) s.pad.note(kPad, t, kBar - 20, s.pitch(chord + 2 * k) - 12, s.vel(v - 8));
  int root = s.pitch(chord) - 24;
  if (!s.st.fast) {
    s.bass.note(kBass, t, 2 * kBeat - 40, root, s.vel(70));
    s.bass.note(kBass, t + 2 * kBeat, 2 * kBeat - 40, root + 7, s.vel(60));
    if (!intro)
      for (int k = 0; k < 4; ++k)  // a slow broken chord on the off-beats
        s.arp.note(kArp, t + k * kBeat + kEighth, kBeat, s.pitch(chord + 2 * (k % 3) + 7), s.vel(42));
    return;
  }
  const int pattern[8] = {0, 0, 12, 0, 7, 0, 12, 7};
  for (int k = 0; k < 8; ++k) s.bass.note(kBass, t + k * kEighth, kEighth - 30, root + pattern[k], s.vel(k % 2 ? 72 : 88));
  if (!intro)
    for (int k = 0; k < 16; ++k) {
      int deg = chord + 2 * (k % 4 == 3 ? 1 : k % 4) + 7 + (k >= 8 ? 7 : 0);
      s.arp.note(kArp, t + k * kEighth / 2, kEighth / 2 - 10, s.pitch(deg), s.vel(k % 4 == 0 ? 64 : 50));
    }
}

void drumsBar(Song& s, uint32_t b, bool intro, bool fill, bool sectionStart) {
  uint32_t t = b * kBar;
  if (!s.st.fast) {  // shaker on the off-beats, a triangle every other bar
    for (int k = 0; k < 4; ++k) s.drums.note(kDrums, t + k * kBeat + kEighth, 60, 70, s.vel(30));
    if (b % 2 == 0) s.drums.note(kDrums, t, 240, 81, s.vel(36));
    if (!intro && b % 4 == 0) s.drums.note(kDrums, t, 120, 76, s.vel(40));  // wood block
    return;
  }
  if (sectionStart) s.drums.note(kDrums, t, 240, 49, s.vel(80));
  for (int k = 0; k < 8; ++k) s.drums.note(kDrums, t + k * kEighth, 60, 42, s.vel(k % 2 ? 45 : 60));
  if (intro) {
    s.drums.note(kDrums, t, 120, 36, s.vel(90));
    return;
  }
  s.drums.note(kDrums, t, 120, 36, s.vel(100));
  s.drums.note(kDrums, t + 2 * kBeat, 120, 36, s.vel(95));
  s.drums.note(kDrums, t + 2 * kBeat + kEighth, 120, 36, s.vel(70));
  s.drums.note(kDrums, t + kBeat, 120, 38, s.vel(90));
  if (!fill) {
    s.drums.note(kDrums, t + 3 * kBeat, 120, 38, s.vel(90));
    return;
  }
  const int toms[8] = {50, 50, 48, 48, 47, 47, 45, 45};
  for (int k = 0; k < 8; ++k) s.drums.note(kDrums, t + 2 * kBeat + k * kEighth / 2, 60, toms[k], s.vel(70 + k * 3));
}

// One section: `bars` bars over a four-chord progression with a melody
// made of motif m1 (stated, varied, answered by m2, closed).
void section(Song& s, const int* prog, int bars, bool intro, int octaveShift, int melodyVel) {
  Phrase m1 = makeMotif(s, prog[0], prog[1]);
  Phrase m2 = makeMotif(s, prog[2], prog[3]);
  for (int i = 0; i < bars; ++i) {
    uint32_t b = s.bar + static_cast<uint32_t>(i);
    accompanyBar(s, b, prog[i % 4], intro);
    drumsBar(s, b, intro, i == bars - 1, i == 0);
  }
  if (!intro)
    for (int ph = 0; ph < bars / 2; ++ph) {
      Phrase p = ph % 4 == 0 ? m1 : ph % 4 == 1 ? m2 : ph % 4 == 2 ? vary(s, m1, false) : vary(s, m2, true);
      playPhrase(s, p, s.bar + static_cast<uint32_t>(2 * ph), octaveShift, melodyVel);
    }
  s.bar += static_cast<uint32_t>(bars);
}

Style styleFor(bool fast, int index) {
  // Keys, modes and instruments differ per tune; programs are 0-based GM numbers.
  static const int slowLead[7] = {77, 73, 107, 75, 108, 79, 46};
  static const int slowPad[7] = {89, 88, 91, 94, 89, 92, 88};
  static const int slowArp[7] = {46, 107, 11, 46, 108, 12, 107};
  static const int fastLead[8] = {107, 12, 73, 114, 106, 80, 45, 13};
  static const int fastArp[8] = {46, 108, 12, 11, 107, 46, 8, 12};
  static const int prog[6][4] = {{0, 5, 3, 4}, {5, 3, 0, 4}, {0, 4, 5, 3}, {3, 0, 4, 5}, {0, 3, 5, 4}, {5, 4, 3, 4}};
  static const int roots[8] = {62, 60, 57, 64, 59, 65, 55, 63};
  Style st{};
  st.fast = fast;
  st.minor = (index % 3) == (fast ? 0 : 1);
  st.bpm = fast ? 124 + (index * 7) % 20 : 62 + (index * 5) % 16;
  st.root = roots[index % 8] + (fast ? 0 : 0);
  st.lead = fast ? fastLead[index % 8] : slowLead[index % 7];
  st.pad = fast ? 90 + index % 3 : slowPad[index % 7];
  st.bass = fast ? (index % 2 ? 38 : 33) : (index % 2 ? 35 : 32);
  st.arp = fast ? fastArp[index % 8] : slowArp[index % 7];
  for (int k = 0; k < 4; ++k) {
    st.progA[k] = prog[(index + (fast ? 2 : 0)) % 6][k];
    st.progB[k] = prog[(index + (fast ? 5 : 3)) % 6][k];
  }
  return st;
}

void setupChannels(Song& s) {
  const int programs[4] = {s.st.lead, s.st.pad, s.st.bass, s.st.arp};
  const int volumes[4] = {100, s.st.fast ? 62 : 70, 92, s.st.fast ? 66 : 58};
  const int pans[4] = {64, 44, 64, 84};
  MidiTrack* tracks[4] = {&s.lead, &s.pad, &s.bass, &s.arp};
  for (int c = 0; c < 4; ++c) {
    tracks[c]->program(c, programs[c]);
    tracks[c]->controller(c, 7, volumes[c]);
    tracks[c]->controller(c, 10, pans[c]);
    tracks[c]->controller(c, 91, s.st.fast ? 40 : 80);
  }
  s.drums.controller(kDrums, 7, s.st.fast ? 96 : 70);
  s.drums.controller(kDrums, 91, 40);
}

}  // namespace

std::vector<uint8_t> composeTune(bool fast, int index, double* seconds) {
  Song s{styleFor(fast, index), Rng{static_cast<uint32_t>(0x5EED + index * 977 + (fast ? 50000 : 0))}};
  setupChannels(s);
  const Style& st = s.st;
  const int* A = st.progA;
  const int* B = st.progB;
  section(s, A, 4, true, 0, 0);
  if (!fast) {
    section(s, A, 8, false, 0, 78);
    section(s, B, 8, false, 0, 72);
    section(s, A, 8, false, 1, 74);
    section(s, B, 8, false, 0, 70);
  } else {
    section(s, A, 8, false, 0, 96);
    section(s, A, 8, false, 1, 96);
    section(s, B, 8, false, 0, 92);
    section(s, A, 8, false, 0, 98);
    section(s, B, 8, false, 1, 94);
    section(s, A, 8, false, 0, 100);
    section(s, B, 8, false, 0, 96);
  }
  // Close on the tonic.
  uint32_t t = s.bar * kBar;
  for (int k = 0; k < 3; ++k) s.pad.note(kPad, t, 2 * kBar, s.pitch(2 * k) - 12, 50);
  s.bass.note(kBass, t, 2 * kBar, s.pitch(0) - 24, 70);
  s.lead.note(kLead, t, 2 * kBar, s.pitch(7), 70);
  uint32_t bars = s.bar + 2;

  MidiTrack conductor("Zenbox");
  conductor.tempo(0, st.bpm);
  conductor.timeSignature(4, 2);
  conductor.keySignature(0, st.minor);
  if (seconds) *seconds = bars * 4 * 60.0 / st.bpm;
  return encodeSmf({conductor, s.lead, s.pad, s.bass, s.arp, s.drums});
}

std::vector<NamedFile> makeMusic() {
  std::vector<NamedFile> out;
  char name[64];
  for (int i = 0; i < 7; ++i) {
    std::snprintf(name, sizeof name, "music/slow%d.mid", i);
    out.push_back({name, composeTune(false, i)});
  }
  for (int i = 0; i < 8; ++i) {
    std::snprintf(name, sizeof name, "music/fast%d.mid", i);
    out.push_back({name, composeTune(true, i)});
  }
  return out;
}

}  // namespace zbgen
