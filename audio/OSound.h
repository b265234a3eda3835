#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/OSoundData.h"
#include "audio/OVolumeOut.h"
#include "platform/AudioDevice.h"

namespace zb {
class MixerLines;
}

// The table of short sound effects, played by number. Numbers in use:
// 1000000..1000002 the interface sounds (1000000 is the button click),
// 0..3 Gyrex, 5..8 Tessel, 11..19 Sinkra. Everything runs on the window
// thread.
class OSound {
public:
  // `backend` and `lines` default to the SDL_mixer output and the process's mixer.
  explicit OSound(std::unique_ptr<zb::AudioBackend> backend = nullptr, zb::MixerLines* lines = nullptr);
  ~OSound();
  OSound(const OSound&) = delete;
  OSound& operator=(const OSound&) = delete;

  // Reads the whole file and stores it under `number`, replacing an earlier
  // entry. In mode 1 the effect's buffer is built too. False when the file
  // cannot be opened or read completely (or is absurdly large).
  bool load(int number, const std::string& fileName);
  // Plays the effect once, asynchronously. Unknown numbers, or the effects
  // switched off: nothing. In mode 0 a non-restarting effect is dropped
  // while another still sounds and a restarting one cuts it off; in mode 1
  // effects mix and `restart` rewinds the effect if it is still sounding.
  void play(int number, bool restart = false);
  // Frees one entry; -1 frees every entry.
  void unload(int number);
  // Switches between mode 0 (shared channel) and mode 1 (a buffer per
  // effect). False, staying in mode 0, when the mixing device is unavailable.
  bool setDirectSound(bool on);
  // Stores the volume (0..65535) and sets the effects line to it.
  void setVolume(int volume);

  // Mirrors the "Sound" setting; while false, play requests do nothing.
  void setEnabled(bool on) { enabled_ = on; }
  bool enabled() const { return enabled_; }
  int mode() const { return mode_; }
  int volume() const { return volume_; }
  int savedVolume() const { return savedVolume_; }
  bool isLoaded(int number) const { return effects_.count(number) != 0; }
  // Whether the effect has a mode-1 buffer.
  bool hasBuffer(int number) const;

private:
  struct Effect {
    std::string fileName;
    std::vector<uint8_t> image;
    std::unique_ptr<OSoundData> data;
  };

  std::unique_ptr<zb::AudioBackend> backend_;
  std::unique_ptr<zb::SoundDevice> device_;
  std::map<int32_t, Effect> effects_;
  bool enabled_ = true;
  int mode_ = 0;
  int volume_ = 0;
  int savedVolume_ = -1;
  OVolumeOut volumeOut_;
};
