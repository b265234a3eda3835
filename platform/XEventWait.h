#pragma once

struct SDL_Window;

namespace zb {

// Sleeps until an X11 window's connection has input, without SDL's own wait:
// that reads the connection three times over on every call, and a frame loop
// that has just drained SDL's queue needs none of it.
class XEventWait {
public:
  // False (and wait unusable) when the window is not on X11.
  bool attach(SDL_Window* window);
  bool attached() const { return fd_ >= 0; }
  // Sends what is buffered, then sleeps until input or timeoutMs. Events the
  // X library already holds end the wait at once; SDL's own queue must have
  // been emptied by the caller.
  void wait(int timeoutMs);
  // True once the connection to the X server broke (the server ended or the
  // session closed): the library is told to carry on rather than end the
  // process, so the game can still be saved, and every later X call
  // returns at once.
  static bool displayLost();

private:
  void* display_ = nullptr;
  int fd_ = -1;
};

}  // namespace zb
