#include "platform/MciMusic.h"

#include <SDL_mixer.h>
#include <strings.h>

#include <vector>

#include "platform/AudioDevice.h"
#include "platform/Files.h"

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
  bool isOpenAlias(const std::string& name) const { return music_ && same(name, alias_.c_str()); }

  // open "PATH" type sequencer alias NAME
  bool open(const std::vector<std::string>& w) {
    if (w.size() != 6 || !same(w[2], "type") || !same(w[3], "sequencer") || !same(w[4], "alias")) return false;
    if (music_ || !device_.isOpen()) return false;  // alias in use / no output
    music_ = Mix_LoadMUS(findFile(w[1]).c_str());
    if (!music_) return false;
    alias_ = w[5];
    started_ = false;
    return true;
  }

  bool play() {
    // A paused track resumes; a new or finished one starts from the beginning.
    if (started_ && Mix_PlayingMusic()) {
      if (Mix_PausedMusic()) Mix_ResumeMusic();
      return true;
    }
    started_ = Mix_PlayMusic(music_, 0) == 0;
    return started_;
  }

  bool pause() {
    if (started_ && Mix_PlayingMusic()) Mix_PauseMusic();
    return true;
  }

  // A paused track still counts as playing to SDL_mixer, so that is asked first.
  std::string mode() const {
    if (!started_ || !Mix_PlayingMusic()) return "stopped";
    return Mix_PausedMusic() ? "paused" : "playing";
  }

  void closeMusic() {
    if (!music_) return;
    if (started_) Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
    alias_.clear();
    started_ = false;
  }

  AudioDeviceRef device_;  // first member: the output outlives the music
  Mix_Music* music_ = nullptr;
  std::string alias_;
  bool started_ = false;
};

}  // namespace

std::unique_ptr<MediaControl> makeMciMusic() { return std::make_unique<SdlMciMusic>(); }

}  // namespace zb
