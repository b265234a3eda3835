#pragma once
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/MciMusic.h"

namespace audiotest {

// What a fake media control did and how it behaves; shared between the
// test thread and the music worker, so every access takes the mutex.
struct MciLog {
  std::mutex mutex;
  std::condition_variable cv;
  std::vector<std::string> commands;  // everything but status queries
  int statusQueries = 0;
  int opens = 0;
  bool open = false;
  std::string path;
  std::string mode = "stopped";
  bool blockNext = false;  // the next command waits until `released`
  bool blocked = false;
  bool released = false;
  bool destroyed = false;

  std::vector<std::string> snapshot();
  int openCount();
  std::string state();  // "closed" or the mode, with the path
  void finishTrack();   // the open track reaches its end
  void release();
  void blockNextCommand();
  bool isBlocked();
  int polls();
  bool isDestroyed();
};

// Honours the worker's commands on one alias like a real sequencer.
class FakeMediaControl : public zb::MediaControl {
public:
  explicit FakeMediaControl(std::shared_ptr<MciLog> log) : log_(std::move(log)) {}
  ~FakeMediaControl() override;
  bool send(const std::string& command, std::string* answer) override;

private:
  std::shared_ptr<MciLog> log_;
};

// Polls `condition` every few milliseconds for up to `ms`.
template <typename F>
bool eventually(F condition, int ms) {
  for (int waited = 0; waited <= ms; waited += 5) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return condition();
}

}  // namespace audiotest
