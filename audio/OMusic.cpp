#include "audio/OMusic.h"

#include <strings.h>

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "audio/WakeEvents.h"
#include "platform/Files.h"
#include "platform/MciMusic.h"
#include "platform/MidiCheck.h"
#include "platform/Random.h"

namespace {

const std::string kAlias = "OMusic_Bkground_Music";

// Wake-up events of the worker, in order of priority.
enum Event { kQuit = 0, kPlay, kStop, kResume, kPause, kRemove, kAdd };

// Status answers are read into a buffer of this size.
constexpr size_t kAnswerBytes = 1024;

bool startsWithNoCase(const std::string& s, const char* prefix) {
  size_t n = std::char_traits<char>::length(prefix);
  return s.size() >= n && ::strncasecmp(s.c_str(), prefix, n) == 0;
}

bool readable(const std::string& path) {
  FILE* f = zb::openFile(path, "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace

// Everything the worker thread touches. The thread co-owns it, so a worker
// that outlives its OMusic (stuck in a slow command at destruction) still
// runs on valid state.
struct OMusic::Worker {
  std::unique_ptr<zb::MediaControl> mci;
  Options options;
  WakeEvents events;

  // The one lock, over everything below.
  std::mutex mutex;
  std::condition_variable changed;
  std::map<int32_t, std::string> playlist;
  int pendingPlay = -1;
  int pendingRemove = -1;
  int pendingAdd = -1;
  std::string pendingPath;
  bool addPending = false;
  bool removePending = false;
  uint64_t addsRequested = 0, addsDone = 0, removesRequested = 0, removesDone = 0;
  int lastTrack = -1;
  int started = 0;
  uint32_t rngState = 1;
  bool finished = false;

  void run();
  bool send(const std::string& command, std::string* answer = nullptr) { return mci->send(command, answer); }
  void onPlay();
  void onRemove();
  void onAdd();
  void poll();
  // Picks a random entry of `list` (under the lock when it is the playlist).
  bool chooseRandom(const std::map<int32_t, std::string>& list, int& number, std::string& path);
  int drawLocked();
  void start(int number, const std::string& path);
};

void OMusic::Worker::run() {
  for (;;) {
    int event = events.wait(std::chrono::milliseconds(options.pollMs));
    switch (event) {
      case kQuit: {
        send("close " + kAlias);
        std::lock_guard<std::mutex> lock(mutex);
        finished = true;
        changed.notify_all();
        return;
      }
      case kPlay: onPlay(); break;
      case kStop: send("close " + kAlias + " wait"); break;
      case kResume: send("play " + kAlias); break;
      case kPause: send("pause " + kAlias); break;
      case kRemove: onRemove(); break;
      case kAdd: onAdd(); break;
      default: poll(); break;
    }
  }
}

int OMusic::Worker::drawLocked() {
  if (options.random) return options.random();
  rngState = rngState * 22695477u + 1u;
  return static_cast<int>((rngState >> 16) & 0x7FFF);
}

bool OMusic::Worker::chooseRandom(const std::map<int32_t, std::string>& list, int& number, std::string& path) {
  if (list.empty()) return false;
  unsigned steps = static_cast<unsigned>(drawLocked()) % list.size();
  auto it = list.begin();
  std::advance(it, steps);
  number = it->first;
  path = it->second;
  return true;
}

void OMusic::Worker::onPlay() {
  int request;
  {
    std::lock_guard<std::mutex> lock(mutex);
    request = pendingPlay;
  }
  send("close " + kAlias + " wait");
  int number = request;
  std::string path;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (request == kRandomTrack) {
      if (!chooseRandom(playlist, number, path)) return;
    } else {
      auto it = playlist.find(number);
      if (it == playlist.end()) return;
      path = it->second;
    }
  }
  start(number, path);
}

void OMusic::Worker::start(int number, const std::string& path) {
  send("close " + kAlias);
  send("open \"" + path + "\" type sequencer alias " + kAlias);
  send("play " + kAlias);
  std::lock_guard<std::mutex> lock(mutex);
  lastTrack = number;
  ++started;
}

void OMusic::Worker::onRemove() {
  std::lock_guard<std::mutex> lock(mutex);
  if (!removePending) return;
  if (pendingRemove == -1) {
    playlist.clear();
  } else {
    playlist.erase(pendingRemove);
  }
  removePending = false;
  ++removesDone;
  changed.notify_all();
}

void OMusic::Worker::onAdd() {
  std::lock_guard<std::mutex> lock(mutex);
  if (!addPending) return;
  playlist[pendingAdd] = pendingPath;
  pendingAdd = -1;
  addPending = false;
  ++addsDone;
  changed.notify_all();
}

// Once a second: a track that is neither playing nor paused has ended, and
// another random one follows (a failed query means nothing is open).
void OMusic::Worker::poll() {
  std::string answer;
  if (!send("status " + kAlias + " mode wait", &answer)) return;
  if (answer.size() >= kAnswerBytes) answer.resize(kAnswerBytes - 1);
  if (startsWithNoCase(answer, "play") || startsWithNoCase(answer, "pause")) return;
  int number;
  std::string path;
  {
    std::lock_guard<std::mutex> lock(mutex);
    std::map<int32_t, std::string> copy = playlist;
    if (!chooseRandom(copy, number, path)) return;
  }
  start(number, path);
}

OMusic::OMusic(std::unique_ptr<zb::MediaControl> mci, zb::MixerLines* lines, Options options)
    : worker_(std::make_shared<Worker>()), volumeOut_(OVolumeOut::kSynth, lines) {
  worker_->mci = mci ? std::move(mci) : zb::makeMciMusic();
  if (options.pollMs < 1) options.pollMs = 1;
  worker_->options = std::move(options);
  savedVolume_ = volumeOut_.getVolume();
  volume_ = savedVolume_ < 0 ? 0 : savedVolume_;
  thread_ = std::thread([w = worker_] { w->run(); });
}

OMusic::~OMusic() {
  worker_->events.signal(kQuit);
  bool ended;
  {
    std::unique_lock<std::mutex> lock(worker_->mutex);
    ended = worker_->changed.wait_for(lock, std::chrono::milliseconds(worker_->options.quitWaitMs),
                                      [this] { return worker_->finished; });
  }
  // A worker stuck in a slow command is let go; it closes the music and
  // ends on its own as soon as the command returns.
  if (ended) {
    thread_.join();
  } else {
    thread_.detach();
  }
  if (savedVolume_ >= 0) volumeOut_.setVolume(savedVolume_);
}

bool OMusic::addTrack(int number, const std::string& path) {
  if (!readable(path)) return false;
  // A damaged tune would fail anew every time the poll picks it: it is
  // named once and left out.
  if (!zb::isWellFormedMidiFile(zb::findFile(path))) {
    if (reportedDamaged_.insert(path).second)
      std::fprintf(stderr, "zenbox: music file %s is damaged; it is left out\n", path.c_str());
    return false;
  }
  Worker& w = *worker_;
  std::unique_lock<std::mutex> lock(w.mutex);
  w.changed.wait(lock, [&] { return !w.addPending || w.finished; });
  if (w.finished) return false;
  w.pendingAdd = number;
  w.pendingPath = path;
  w.addPending = true;
  uint64_t ticket = ++w.addsRequested;
  w.events.signal(kAdd);
  w.changed.wait(lock, [&] { return w.addsDone >= ticket || w.finished; });
  return w.addsDone >= ticket;
}

void OMusic::removeTrack(int number) {
  Worker& w = *worker_;
  std::unique_lock<std::mutex> lock(w.mutex);
  w.changed.wait(lock, [&] { return !w.removePending || w.finished; });
  if (w.finished) return;
  w.pendingRemove = number;
  w.removePending = true;
  uint64_t ticket = ++w.removesRequested;
  w.events.signal(kRemove);
  // Waiting keeps a following play from running ahead of the removal.
  w.changed.wait(lock, [&] { return w.removesDone >= ticket || w.finished; });
}

void OMusic::play(int number) {
  {
    std::lock_guard<std::mutex> lock(worker_->mutex);
    worker_->pendingPlay = number;
    // The worker's own generator follows the process-wide one from here on,
    // without the worker ever touching that one.
    if (number == kRandomTrack) worker_->rngState = static_cast<uint32_t>(zb::random());
  }
  // A later request replaces opposing ones the worker has not taken yet,
  // so the last call wins whatever the events' priority.
  worker_->events.reset(kStop);
  worker_->events.reset(kPause);
  worker_->events.reset(kResume);
  worker_->events.signal(kPlay);
  playing_ = true;
  stopped_ = false;
}

void OMusic::stop() {
  worker_->events.reset(kPlay);
  worker_->events.reset(kPause);
  worker_->events.reset(kResume);
  worker_->events.signal(kStop);
  playing_ = false;
  stopped_ = true;
}

void OMusic::pause() {
  worker_->events.reset(kResume);
  worker_->events.signal(kPause);
}

void OMusic::resume() {
  worker_->events.reset(kPause);
  worker_->events.signal(kResume);
}

void OMusic::setVolume(int volume) {
  volume_ = volume;
  volumeOut_.setVolume(volume);
}

void OMusic::useSlowPlaylist() { usePlaylist("\\music\\slow%d.mid", kSlowTracks); }

void OMusic::useFastPlaylist() { usePlaylist("\\music\\fast%d.mid", kFastTracks); }

void OMusic::usePlaylist(const char* pattern, int count) {
  stop();
  removeTrack(-1);
  std::error_code ec;
  std::string dir = std::filesystem::current_path(ec).string();
  for (int i = 0; i < count; ++i) {
    // The number is formatted into the suffix alone, so a '%' in the
    // directory name cannot act as a format; and only the suffix, our own
    // name, is resolved, so a backslash in the directory name is no separator.
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, pattern, i);
    const char* relative = suffix;
    while (*relative == '\\' || *relative == '/') ++relative;
    addTrack(i, dir + "/" + zb::resolvePath(relative));
  }
  if (enabled_) play(kRandomTrack);
}

std::map<int32_t, std::string> OMusic::playlist() const {
  std::lock_guard<std::mutex> lock(worker_->mutex);
  return worker_->playlist;
}

int OMusic::lastTrack() const {
  std::lock_guard<std::mutex> lock(worker_->mutex);
  return worker_->lastTrack;
}

int OMusic::tracksStarted() const {
  std::lock_guard<std::mutex> lock(worker_->mutex);
  return worker_->started;
}
