#pragma once
#include <memory>
#include <string>

// A small media-control command interpreter for background music. It
// understands, on one alias:
//   open "PATH" type sequencer alias NAME
//   play NAME | pause NAME | close NAME [wait]
//   status NAME mode [wait]      -> "playing", "paused" or "stopped"
// Anything else fails. Commands must all come from one thread.
namespace zb {

class MediaControl {
public:
  virtual ~MediaControl() = default;
  // Runs one command; false on failure. `answer` (may be null) receives the
  // reply of a status command.
  virtual bool send(const std::string& command, std::string* answer = nullptr) = 0;
};

// The interpreter on SDL_mixer music (MIDI through FluidSynth). It holds the
// shared output open; with no output device every "open" fails, so nothing
// ever plays and status queries fail as for a closed alias.
std::unique_ptr<MediaControl> makeMciMusic();

}  // namespace zb
