#include "platform/XWindowManager.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace zb {

bool windowManagerRuns(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
  Display* display = info.info.x11.display;
  Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType, &type,
                                  &format, &count, &after, &data);
  if (data) XFree(data);
  return status == Success && type != None && count > 0;
#else
  (void)window;
  return true;
#endif
}

}  // namespace zb
