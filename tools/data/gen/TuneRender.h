#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/data/gen/Synth.h"

// The pack's tunes rendered ahead of time: the MIDI file synthesised with
// FluidSynth and the General MIDI soundfont the game would use live, then
// stored as Ogg Vorbis beside it. Playing a rendered tune costs a decoder
// instead of a synthesizer.
namespace zbgen {

constexpr int kRenderRate = 44100;  // the game's output rate: no resampling when played
constexpr int kRenderChannels = 2;
// Synthesizer gain of the rendering: the gain SDL_mixer gives FluidSynth
// at full music volume, so a rendered tune is as loud as the live one.
constexpr double kRenderGain = 1.2;
// Vorbis quality (-0.1 .. 1): about 80 kbit/s for these tunes, where the
// spectrum stays within a fraction of a decibel of the synthesis.
constexpr float kRenderQuality = 0.1f;

// Interleaved stereo float samples at kRenderRate.
using Pcm = std::vector<float>;

// Synthesises the MIDI file until its last event, then lets the release
// and reverb ring out (at most two seconds, until silent). False with
// `error` set when the soundfont or the file cannot be read.
bool synthesizeMidi(const std::vector<uint8_t>& midi, const std::string& soundFont, Pcm& out, std::string& error);

// Ogg Vorbis of the samples with the given comments; the same input gives
// the same bytes (fixed stream serial number).
std::vector<uint8_t> encodeOggVorbis(const Pcm& pcm, const std::vector<std::pair<std::string, std::string>>& comments);

// Decodes an Ogg Vorbis image to interleaved stereo float samples; false
// when it is not one (or not stereo at kRenderRate).
bool decodeOggVorbis(const std::vector<uint8_t>& ogg, Pcm& out);

// The value of comment `key` ("KEY=value") of an Ogg Vorbis image, or "".
std::string oggComment(const std::vector<uint8_t>& ogg, const std::string& key);

// A digest of the soundfont file's bytes ("" when it cannot be read).
std::string soundFontDigest(const std::string& soundFont);

// What a rendering depends on: the MIDI bytes, the soundfont (its digest)
// and the rendering settings, as a hex text stored in the rendered file.
std::string renderStamp(const std::vector<uint8_t>& midi, const std::string& fontDigest);

// The rendered file of a tune: "music/slow0.mid" -> "music/slow0.ogg".
std::string renderedName(const std::string& midiName);

struct RenderOutcome {
  std::vector<NamedFile> files;  // one .ogg per tune, in the order of the tunes
  int rendered = 0;              // tunes synthesised and encoded in this run
  int reused = 0;                // tunes whose earlier rendering in `packDir` was still current
  std::string error;             // why nothing was rendered (no soundfont ...), or ""
};

// Renders every tune (on every core), reusing a rendering already in one of
// `reuseDirs` (pack folders) whose stamp matches: generating the pack again
// costs nothing for unchanged tunes, and gives the same bytes either way.
RenderOutcome renderTunes(const std::vector<NamedFile>& tunes, const std::vector<std::string>& reuseDirs,
                          const std::string& soundFont);

}  // namespace zbgen
