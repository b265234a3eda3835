#pragma once

#include <functional>

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

private:
  void* display_ = nullptr;
  int fd_ = -1;
};

// What ends the run when the X server goes away under it. The X library
// would exit(1) at once, with the game unsaved and other threads running;
// instead `handler` runs once, on the thread that found the connection
// broken (it may save, but must not draw), and the process then ends with
// the status it returns. Without a handler the status is 0.
void setDisplayLostHandler(std::function<int()> handler);

}  // namespace zb
