#include "platform/MciMusic.h"

#include <SDL_mixer.h>
#include <strings.h>

#include <vector>

#include "platform/AudioDevice.h"
#include "platform/Files.h"
#include "platform/RenderedTune.h"

namespace zb {
namespace {

// Splits at spaces; a double-quoted part (a path) is one word without its quotes.
std::vector<std::string> words(const std::string& command) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < command.size()) {
    if (command[i] == ' ') {
      ++i;
    } else if (command[i] == '"') {
      size_t end = command.find('"', i + 1);
      if (end == std::string::npos) return {};  // unbalanced quote: not a command
      out.push_back(command.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      size_t end = command.find(' ', i);
      if (end == std::string::npos) end = command.size();
      out.push_back(command.substr(i, end - i));
      i = end;
    }
  }
  return out;
}

bool same(const std::string& a, const char* b) { return ::strcasecmp(a.c_str(), b) == 0; }

class SdlMciMusic : public MediaControl {
public:
  ~SdlMciMusic() override { closeMusic(); }

  bool send(const std::string& command, std::string* answer) override {
    std::vector<std::string> w = words(command);
    if (w.size() < 2) return false;
    if (same(w[0], "open")) return open(w);
    if (!isOpenAlias(w[1])) return false;  // every other command names the open alias
    if (same(w[0], "play") && w.size() == 2) return play();
    if (same(w[0], "pause") && w.size() == 2) return pause();
    if (same(w[0], "close") && (w.size() == 2 || (w.size() == 3 && same(w[2], "wait")))) {
      closeMusic();
      return true;
    }
    if (same(w[0], "status") && w.size() >= 3 && same(w[2], "mode") &&
        (w.size() == 3 || (w.size() == 4 && same(w[3], "wait")))) {
      if (answer) *answer = mode();
      return true;
    }
    return false;
  }

private:
  bool isOpenAlias(const std::string& name) const { return opened_ && same(name, alias_.c_str()); }

  // open "PATH" type sequencer alias NAME. A tune rendered ahead of time
  // beside the MIDI file is played instead of synthesising it.
  bool open(const std::vector<std::string>& w) {
    if (w.size() != 6 || !same(w[2], "type") || !same(w[3], "sequencer") || !same(w[4], "alias")) return false;
    if (opened_ || !device_.isOpen()) return false;  // alias in use / no output
    std::string midi = findFile(w[1]);
    std::string rendered = renderedTuneFor(midi);
    file_ = rendered.empty() ? midi : rendered;
    if (!load()) return false;
    opened_ = true;
    alias_ = w[5];
    started_ = false;
    return true;
  }

  // Music belongs to the device opening it was loaded under.
  bool load() {
    withOutput([&] {
      freeMusicLocked();
      music_ = Mix_LoadMUS(file_.c_str());
      generation_ = outputGeneration();
    });
    return music_ != nullptr;
  }

  bool play() {
    // A paused track resumes; a new or finished one starts from the beginning.
    bool ok = false;
    bool reload = false;
    withOutput([&] {
      reload = outputGeneration() != generation_;  // asked awake: waking counts as an opening
      if (!reload && started_ && Mix_PlayingMusic()) {
        if (Mix_PausedMusic()) Mix_ResumeMusic();
        ok = true;
      }
    });
    if (ok) return true;
    // The device slept since the load: the music is loaded anew.
    if (reload && !load()) return started_ = false;
    withOutput([&] { started_ = Mix_PlayMusic(music_, 0) == 0; });
    setMusicHolds(started_);
    return started_;
  }

  bool pause() {
    whileAwake([&] {
      if (started_ && Mix_PlayingMusic()) Mix_PauseMusic();
    });
    return true;
  }

  // A paused track still counts as playing to SDL_mixer, so that is asked
  // first. A device that slept holds no track: it had ended.
  std::string mode() const {
    std::string answer = "stopped";
    whileAwake([&] {
      if (started_ && generation_ == outputGeneration() && Mix_PlayingMusic())
        answer = Mix_PausedMusic() ? "paused" : "playing";
    });
    return answer;
  }

  void closeMusic() {
    if (!opened_) return;
    setMusicHolds(false);
    whileAwake([&] {
      if (started_) Mix_HaltMusic();
    });
    withoutDevice([&] { freeMusicLocked(); });
    opened_ = false;
    alias_.clear();
    started_ = false;
  }

  // Freeing needs no device; the shared lock keeps it from closing meanwhile.
  template <class F>
  void withoutDevice(F f) {
    if (!whileAwake(f)) f();
  }

  void freeMusicLocked() {
    if (music_) Mix_FreeMusic(music_);
    music_ = nullptr;
  }

  AudioDeviceRef device_;  // first member: the output outlives the music
  Mix_Music* music_ = nullptr;
  std::string file_;
  std::string alias_;
  uint64_t generation_ = 0;
  bool opened_ = false;
  bool started_ = false;
};

}  // namespace

std::unique_ptr<MediaControl> makeMciMusic() { return std::make_unique<SdlMciMusic>(); }

}  // namespace zb
