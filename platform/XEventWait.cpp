#include "platform/XEventWait.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>

#include <atomic>
#include <cstdio>

namespace zb {

namespace {

std::atomic<bool> lost{false};

#if defined(SDL_VIDEO_DRIVER_X11)
// The library's own handler would exit(1) at once, with the game unsaved
// and other threads still running; these say so and let the run end.
int onIOError(Display*) {
  if (!lost.exchange(true)) std::fprintf(stderr, "zenbox: the connection to the display was lost\n");
  return 0;
}
void onConnectionBroken(Display*, void*) { lost = true; }
#endif

}  // namespace

bool XEventWait::displayLost() { return lost; }

bool XEventWait::attach(SDL_Window* window) {
  display_ = nullptr;
  fd_ = -1;
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display_ = info.info.x11.display;
  fd_ = XConnectionNumber(info.info.x11.display);
  XSetIOErrorHandler(onIOError);
  XSetIOErrorExitHandler(info.info.x11.display, onConnectionBroken, nullptr);
#endif
  return attached();
}

void XEventWait::wait(int timeoutMs) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (!attached() || lost) return;
  auto* display = static_cast<Display*>(display_);
  // A request left in the buffer could be what the server's answer waits on.
  XFlush(display);
  if (XEventsQueued(display, QueuedAlready) > 0) return;
  pollfd p{fd_, POLLIN, 0};
  // An interrupting signal ends the wait early, as input would.
  poll(&p, 1, std::max(timeoutMs, 0));
#else
  (void)timeoutMs;
#endif
}

}  // namespace zb
