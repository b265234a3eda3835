#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A structural check of Standard MIDI Files, so a damaged tune is known
// before the synthesizer stumbles over it.
namespace zb {

// Music files are a few tens of kilobytes; anything this large is not one.
constexpr size_t kMaxMidiBytes = 16 * 1024 * 1024;

// True when the bytes hold a header chunk (format 0 to 2, at least one
// track, a non-zero division) followed by as many track chunks as it
// announces, each a well-formed event list inside its chunk. Foreign
// chunks with a four-letter name are skipped.
bool isWellFormedMidi(const uint8_t* data, size_t size);

// Reads the file (at most kMaxMidiBytes) and checks it.
bool isWellFormedMidiFile(const std::string& path);

}  // namespace zb
