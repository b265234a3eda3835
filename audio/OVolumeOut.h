#pragma once
#include <functional>

namespace zb {
class MixerLines;
}

// One volume line of the mixer: reads and sets its level (0..65535) and
// reports changes made to that line by anyone.
class OVolumeOut {
public:
  enum Kind { kWaveOut = 0, kSynth = 1, kSpeakers = 2 };
  using ChangeCallback = std::function<void(int volume, void* user)>;

  // Binds the line of `kind`; `lines` defaults to the process's mixer.
  explicit OVolumeOut(int kind, zb::MixerLines* lines = nullptr);
  virtual ~OVolumeOut();
  OVolumeOut(const OVolumeOut&) = delete;
  OVolumeOut& operator=(const OVolumeOut&) = delete;

  // Sound on the line again / silence it, keeping the level.
  virtual void unmute();
  virtual void mute();
  // Step count, minimum and maximum of the volume control; -1 when not ready.
  virtual int steps();
  virtual int minimum();
  virtual int maximum();
  // The line's level, or -1 when not ready.
  virtual int getVolume();
  // Sets the level; ignored (not clamped) outside minimum..maximum or when not ready.
  virtual void setVolume(int volume);
  // `callback` gets (new level, user) after every change of the line.
  virtual void setOnChange(ChangeCallback callback, void* user);

  int kind() const { return kind_; }
  bool available() const { return available_; }
  bool ready() const { return ready_; }
  bool hasVolume() const { return hasVolume_; }

  // The options screen's 0..9 bar: bar = volume * 9 >> 16; volume = bar * 65535 / 9.
  static int toBar(int volume) { return (volume * 9) >> 16; }
  static int fromBar(int bar) { return bar * 65535 / 9; }

private:
  void onLineChanged(int kind, int volume);

  int kind_;
  zb::MixerLines* lines_ = nullptr;
  bool available_ = false;
  bool ready_ = false;
  bool hasVolume_ = false;
  int listenerId_ = -1;
  ChangeCallback onChange_;
  void* user_ = nullptr;
};
