#include "platform/XEventWait.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace zb {

namespace {

std::atomic<bool> lost{false};

std::function<int()>& lostHandler() {
  static std::function<int()> handler;
  return handler;
}

#if defined(SDL_VIDEO_DRIVER_X11)
// Never returns: once this handler returns, the library would either exit
// or, told not to, leave any wait for the server spinning forever.
int onIOError(Display*) {
  if (lost.exchange(true)) std::_Exit(1);  // broken again while ending
  std::fprintf(stderr, "zenbox: the connection to the display was lost\n");
  const int status = lostHandler() ? lostHandler()() : 0;
  std::fflush(nullptr);
  std::_Exit(status);
}
#endif

}  // namespace

void setDisplayLostHandler(std::function<int()> handler) { lostHandler() = std::move(handler); }

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
#endif
  return attached();
}

void XEventWait::wait(int timeoutMs) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (!attached()) return;
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
