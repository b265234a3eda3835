#include "platform/XEventWait.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>

namespace zb {

bool XEventWait::attach(SDL_Window* window) {
  display_ = nullptr;
  fd_ = -1;
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display_ = info.info.x11.display;
  fd_ = XConnectionNumber(info.info.x11.display);
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
