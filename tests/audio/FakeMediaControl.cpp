#include "tests/audio/FakeMediaControl.h"

namespace audiotest {
namespace {
const std::string kAlias = "OMusic_Bkground_Music";
}

std::vector<std::string> MciLog::snapshot() {
  std::lock_guard<std::mutex> lock(mutex);
  return commands;
}

int MciLog::openCount() {
  std::lock_guard<std::mutex> lock(mutex);
  return opens;
}

std::string MciLog::state() {
  std::lock_guard<std::mutex> lock(mutex);
  return open ? mode + " " + path : "closed";
}

void MciLog::finishTrack() {
  std::lock_guard<std::mutex> lock(mutex);
  mode = "stopped";
}

void MciLog::release() {
  std::lock_guard<std::mutex> lock(mutex);
  released = true;
  cv.notify_all();
}

void MciLog::blockNextCommand() {
  std::lock_guard<std::mutex> lock(mutex);
  blockNext = true;
  released = false;
}

bool MciLog::isBlocked() {
  std::lock_guard<std::mutex> lock(mutex);
  return blocked;
}

int MciLog::polls() {
  std::lock_guard<std::mutex> lock(mutex);
  return statusQueries;
}

bool MciLog::isDestroyed() {
  std::lock_guard<std::mutex> lock(mutex);
  return destroyed;
}

FakeMediaControl::~FakeMediaControl() {
  std::lock_guard<std::mutex> lock(log_->mutex);
  log_->destroyed = true;
}

bool FakeMediaControl::send(const std::string& command, std::string* answer) {
  std::unique_lock<std::mutex> lock(log_->mutex);
  MciLog& l = *log_;
  if (l.blockNext) {
    l.blockNext = false;
    l.blocked = true;
    l.cv.wait(lock, [&] { return l.released; });
    l.blocked = false;
  }
  if (command == "status " + kAlias + " mode wait") {
    ++l.statusQueries;
    if (!l.open) return false;
    if (answer) *answer = l.mode;
    return true;
  }
  l.commands.push_back(command);
  const std::string openHead = "open \"";
  const std::string openTail = "\" type sequencer alias " + kAlias;
  if (command.rfind(openHead, 0) == 0 && command.size() > openHead.size() + openTail.size() &&
      command.compare(command.size() - openTail.size(), openTail.size(), openTail) == 0) {
    if (l.open) return false;
    l.open = true;
    l.mode = "stopped";
    l.path = command.substr(openHead.size(), command.size() - openHead.size() - openTail.size());
    ++l.opens;
    return true;
  }
  if (!l.open) return false;
  if (command == "play " + kAlias) {
    l.mode = "playing";
  } else if (command == "pause " + kAlias) {
    l.mode = "paused";
  } else if (command == "close " + kAlias || command == "close " + kAlias + " wait") {
    l.open = false;
  } else {
    return false;
  }
  return true;
}

}  // namespace audiotest
