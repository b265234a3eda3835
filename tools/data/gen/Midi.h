#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/data/gen/Synth.h"

// Standard MIDI File (format 1) writing and the procedural composer of the
// background music.
namespace zbgen {

constexpr int kTicksPerBeat = 480;

class MidiTrack {
public:
  explicit MidiTrack(std::string name) : name_(std::move(name)) {}
  void program(int channel, int program);
  void controller(int channel, int number, int value);
  void tempo(uint32_t tick, double bpm);
  void timeSignature(int numerator, int denominatorPow2);
  void keySignature(int sharps, bool minor);
  // A note from `tick` lasting `length` ticks; velocity 1..127.
  void note(int channel, uint32_t tick, uint32_t length, int key, int velocity);
  // The track chunk ("MTrk"), events sorted by time, note-offs first at a tie.
  std::vector<uint8_t> chunk() const;

private:
  struct Event {
    uint32_t tick;
    int order;  // note-offs (0) before controllers (1) before note-ons (2)
    std::vector<uint8_t> bytes;
  };
  void add(uint32_t tick, int order, std::vector<uint8_t> bytes);
  std::string name_;
  std::vector<Event> events_;
};

// A format 1 file with the given tracks.
std::vector<uint8_t> encodeSmf(const std::vector<MidiTrack>& tracks, int ticksPerBeat = kTicksPerBeat);

// One tune: calm (slow) or driving (fast), varied by index. Returns the
// file bytes; `seconds` receives its length.
std::vector<uint8_t> composeTune(bool fast, int index, double* seconds = nullptr);

// Every tune of the data pack: music/slow0..6.mid and music/fast0..7.mid.
std::vector<NamedFile> makeMusic();

}  // namespace zbgen
