// The sound effects: soft, woody and bell-like to suit the calm look, each
// with its own contour so the roles are told apart by ear.
#include <cmath>

#include "tools/data/gen/Synth.h"

namespace zbgen {
namespace {

float note(int midi) { return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f); }

NamedFile finish(const char* path, Synth& s, float loudness = 0.16f) {
  s.normalise(loudness);
  return {path, encodeWav(s.samples())};
}

// Interface: a wooden click, a rising chime run, a falling gong.
NamedFile click() {
  Synth s(0.07f);
  s.tone(0, 0.07f, 1900, 1200, 0.6f, 0.0005f, 0.012f, Wave::Triangle);
  s.noise(0, 0.02f, 4000, 2000, 0.4f, 0.0005f, 0.004f, 11);
  return finish("wav/i0.wav", s, 0.14f);
}

NamedFile gameWon() {
  Synth s(1.9f);
  const int run[] = {69, 71, 74, 76, 78, 81, 83, 86};
  for (int i = 0; i < 8; ++i) s.bell(i * 0.09f, note(run[i]), 0.3f, 0.35f);
  s.bell(0.8f, note(74), 0.25f, 0.5f);
  s.bell(0.8f, note(81), 0.25f, 0.5f);
  s.bell(0.8f, note(86), 0.25f, 0.5f);
  return finish("wav/i1.wav", s);
}

NamedFile gameLost() {
  Synth s(2.0f);
  const int run[] = {69, 67, 64, 62, 57};
  for (int i = 0; i < 5; ++i) s.tone(i * 0.16f, 0.5f, note(run[i]), note(run[i]), 0.3f, 0.01f, 0.18f, Wave::Triangle);
  s.bell(0.85f, note(45), 0.5f, 0.6f);
  s.tone(0.85f, 1.1f, note(33), note(33), 0.35f, 0.02f, 0.45f);
  return finish("wav/i2.wav", s);
}

// Sinkra.
NamedFile explode() {
  Synth s(0.55f);
  s.noise(0, 0.45f, 6000, 900, 0.6f, 0.005f, 0.12f, 21);
  s.bell(0.02f, note(88), 0.18f, 0.12f);
  s.bell(0.07f, note(93), 0.14f, 0.1f);
  return finish("wav/Sinkra/g1.wav", s);
}

NamedFile hover() {
  Synth s(0.06f);
  s.tone(0, 0.06f, note(93), note(95), 0.5f, 0.002f, 0.02f);
  return finish("wav/Sinkra/g2.wav", s, 0.08f);
}

NamedFile land() {
  Synth s(0.09f);
  s.tone(0, 0.09f, 220, 110, 0.7f, 0.001f, 0.025f);
  s.noise(0, 0.03f, 1200, 400, 0.3f, 0.001f, 0.01f, 31);
  return finish("wav/Sinkra/g3.wav", s, 0.09f);
}

NamedFile arrive() {
  Synth s(0.25f);
  s.pluck(0, note(79), 0.6f, 0.985f, 41);
  return finish("wav/Sinkra/g4.wav", s, 0.1f);
}

NamedFile rowPushed() {
  Synth s(0.4f);
  s.tone(0, 0.4f, 70, 130, 0.6f, 0.03f, 0.15f, Wave::Soft);
  s.noise(0, 0.35f, 300, 900, 0.35f, 0.05f, 0.12f, 51);
  return finish("wav/Sinkra/g5.wav", s);
}

NamedFile threeRowsLeft() {
  Synth s(0.9f);
  s.bell(0, note(81), 0.4f, 0.25f);
  s.bell(0.2f, note(76), 0.4f, 0.25f);
  s.bell(0.4f, note(81), 0.4f, 0.3f);
  return finish("wav/Sinkra/g6.wav", s);
}

NamedFile bonus() {
  Synth s(0.8f);
  const int run[] = {81, 86, 88, 93};
  for (int i = 0; i < 4; ++i) s.bell(i * 0.06f, note(run[i]), 0.3f, 0.2f);
  s.tone(0, 0.5f, note(69), note(81), 0.15f, 0.05f, 0.2f, Wave::Triangle);
  return finish("wav/Sinkra/g7.wav", s);
}

NamedFile danger() {
  Synth s(0.8f);
  for (int i = 0; i < 3; ++i) s.tone(i * 0.25f, 0.2f, note(50), note(49), 0.5f, 0.01f, 0.08f, Wave::Soft);
  return finish("wav/Sinkra/g8.wav", s);
}

NamedFile bomb() {
  Synth s(0.9f);
  s.noise(0, 0.85f, 2500, 120, 0.9f, 0.002f, 0.22f, 61);
  s.tone(0, 0.7f, 90, 35, 0.8f, 0.003f, 0.2f);
  return finish("wav/Sinkra/g9.wav", s, 0.2f);
}

// Tessel.
NamedFile launch() {
  Synth s(0.22f);
  s.noise(0, 0.22f, 800, 5000, 0.5f, 0.02f, 0.08f, 71);
  s.tone(0, 0.15f, note(67), note(79), 0.25f, 0.005f, 0.05f, Wave::Triangle);
  return finish("wav/Tessel/g0.wav", s, 0.11f);
}

NamedFile newBatch() {
  Synth s(0.5f);
  s.tone(0, 0.12f, 180, 120, 0.6f, 0.002f, 0.04f);
  s.bell(0.1f, note(74), 0.3f, 0.15f);
  s.bell(0.2f, note(71), 0.3f, 0.15f);
  return finish("wav/Tessel/g1.wav", s);
}

NamedFile groupRemoved() {
  Synth s(0.55f);
  const int chord[] = {74, 78, 81, 86};
  for (int i = 0; i < 4; ++i) s.bell(i * 0.035f, note(chord[i]), 0.25f, 0.18f);
  s.noise(0, 0.3f, 7000, 3000, 0.15f, 0.005f, 0.08f, 81);
  return finish("wav/Tessel/g2.wav", s);
}

NamedFile colourGone() {
  Synth s(1.5f);
  s.bell(0, note(57), 0.5f, 0.5f);
  s.bell(0.15f, note(64), 0.35f, 0.45f);
  s.bell(0.3f, note(69), 0.3f, 0.45f);
  return finish("wav/Tessel/g3.wav", s);
}

// Gyrex.
NamedFile rotate() {
  Synth s(0.11f);
  s.tone(0, 0.11f, 600, 900, 0.4f, 0.002f, 0.03f, Wave::Triangle);
  s.noise(0, 0.08f, 3000, 6000, 0.2f, 0.01f, 0.02f, 91);
  return finish("wav/Gyrex/g0.wav", s, 0.1f);
}

NamedFile destroy() {
  Synth s(0.6f);
  for (int i = 0; i < 6; ++i) s.bell(i * 0.04f, note(84 + (i % 3) * 5), 0.2f, 0.12f);
  s.noise(0, 0.4f, 5000, 1500, 0.25f, 0.01f, 0.1f, 101);
  return finish("wav/Gyrex/g1.wav", s);
}

NamedFile rowRises() {
  Synth s(0.5f);
  s.tone(0, 0.5f, 110, 220, 0.5f, 0.05f, 0.2f, Wave::Soft);
  s.noise(0, 0.45f, 400, 1600, 0.25f, 0.05f, 0.15f, 111);
  return finish("wav/Gyrex/g2.wav", s);
}

NamedFile doubled() {
  Synth s(0.9f);
  s.bell(0, note(76), 0.4f, 0.25f);
  s.bell(0.14f, note(88), 0.4f, 0.3f);
  s.echo(0.12f, 0.35f, 2);
  return finish("wav/Gyrex/g3.wav", s);
}

}  // namespace

std::vector<NamedFile> makeSoundEffects() {
  return {click(),   gameWon(),  gameLost(),    explode(),      hover(),      land(),   arrive(),
          rowPushed(), threeRowsLeft(), bonus(), danger(),     bomb(),       launch(), newBatch(),
          groupRemoved(), colourGone(), rotate(), destroy(),    rowRises(),   doubled()};
}

}  // namespace zbgen
