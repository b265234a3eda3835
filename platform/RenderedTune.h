#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A tune of the pack is stored twice: as MIDI, and rendered ahead of time
// as Ogg Vorbis beside it ("slow0.mid" and "slow0.ogg"). The rendered file
// names the MIDI file it was made from, so a tune replaced by the player
// (or a rendering left over from another tune) is never played in its place.
namespace zb {

// The Vorbis comment that holds the digest of the MIDI file rendered.
constexpr const char* kRenderedFromTag = "ZENBOX_MIDI";

// The digest stored in that comment: CRC-32 and size of the MIDI bytes, in hex.
std::string midiDigest(const uint8_t* data, size_t size);

// The rendered file beside `midiPath` (same folder and name, ".ogg")
// when it exists and was made from exactly this MIDI file; "" otherwise.
std::string renderedTuneFor(const std::string& midiPath);

}  // namespace zb
