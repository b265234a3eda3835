#pragma once
#include <functional>

// Volume lines of the game's own audio output, in the settings' 0..65535
// scale: line 0 the sound effects, 1 the music, 2 the master level that
// scales both. Levels are process-wide like a system mixer's: they outlive
// the objects that set them and are applied whenever an output is open.
namespace zb {

enum MixerLineKind { kLineEffects = 0, kLineMusic = 1, kLineMaster = 2 };

class MixerLines {
public:
  // Called with (line kind, new level) after any level or mute change.
  using Listener = std::function<void(int kind, int volume)>;

  virtual ~MixerLines() = default;
  virtual bool hasLine(int kind) = 0;
  // The line's level, or -1 when there is no such line.
  virtual int volume(int kind) = 0;
  // Sets the level (0..65535); false and no change when out of range or no line.
  virtual bool setVolume(int kind, int volume) = 0;
  // A muted line is silent but keeps its level.
  virtual void setMuted(int kind, bool muted) = 0;
  virtual bool isMuted(int kind) = 0;
  // Listeners are called on the thread that made the change, outside any lock.
  virtual int addListener(Listener listener) = 0;
  virtual void removeListener(int id) = 0;
};

// The process's lines on the SDL_mixer output.
MixerLines& systemMixerLines();

}  // namespace zb
