#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>

#include "audio/OVolumeOut.h"
#include "platform/MciMusic.h"

namespace zb {
class MixerLines;
}

struct OMusicOptions {
  // Interval of the worker's status poll.
  int pollMs = 1000;
  // Source of the worker's random track choices; empty: the worker's own
  // generator, reseeded from zb::random() on every random play request.
  std::function<int()> random;
  // How long destruction waits for the worker.
  int quitWaitMs = 1000;
};

// Background MIDI music from a playlist, driven by a worker thread of its
// own through media-control commands on the alias "OMusic_Bkground_Music".
// The worker restarts a random track once a second after one has ended.
// Every public operation is called from the window thread.
class OMusic {
public:
  static constexpr int kRandomTrack = -999999;
  static constexpr int kSlowTracks = 7;  // "\music\slow0.mid" .. slow6
  static constexpr int kFastTracks = 8;  // "\music\fast0.mid" .. fast7

  using Options = OMusicOptions;

  // `mci` and `lines` default to the SDL_mixer music and the process's mixer.
  explicit OMusic(std::unique_ptr<zb::MediaControl> mci = nullptr, zb::MixerLines* lines = nullptr,
                  Options options = Options());
  // Tells the worker to quit and waits for it at most quitWaitMs; restores
  // the music line's volume.
  ~OMusic();
  OMusic(const OMusic&) = delete;
  OMusic& operator=(const OMusic&) = delete;

  // False, adding nothing, when the file cannot be opened for reading or is
  // no well-formed MIDI file (named once on standard error); otherwise
  // returns once the worker has put the track into the playlist.
  bool addTrack(int number, const std::string& path);
  // Removes one track; -1 empties the playlist. Returns once the worker
  // has done it.
  void removeTrack(int number);
  // Starts track `number`, or a random track of the playlist for kRandomTrack.
  void play(int number);
  // Stops and closes the music.
  void stop();
  void pause();
  void resume();
  // Stores the volume (0..65535) and sets the music line to it.
  void setVolume(int volume);

  // Stop, empty the playlist, add the existing files of the slow (or fast)
  // list from the working directory's music folder, and play a random
  // track when music is enabled.
  void useSlowPlaylist();
  void useFastPlaylist();

  // Mirrors the "Music" setting; used by the playlist switches.
  void setEnabled(bool on) { enabled_ = on; }
  bool enabled() const { return enabled_; }
  // Set by play, cleared by stop.
  bool playing() const { return playing_; }
  bool stopped() const { return stopped_; }
  int volume() const { return volume_; }
  int savedVolume() const { return savedVolume_; }

  // A snapshot of the playlist and the number of the track last started
  // (-1 before any), read under the worker's lock.
  std::map<int32_t, std::string> playlist() const;
  int lastTrack() const;
  // How many tracks the worker has started so far.
  int tracksStarted() const;

private:
  struct Worker;

  void usePlaylist(const char* pattern, int count);

  std::shared_ptr<Worker> worker_;
  std::thread thread_;
  std::set<std::string> reportedDamaged_;
  bool enabled_ = true;
  std::atomic<bool> playing_{false};
  std::atomic<bool> stopped_{true};
  int volume_ = 0;
  int savedVolume_ = -1;
  OVolumeOut volumeOut_;
};
