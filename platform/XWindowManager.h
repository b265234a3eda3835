#pragma once

struct SDL_Window;

namespace zb {

// Whether a window manager runs that can take a full-screen request: on X11
// one that announces itself on the root window; elsewhere the system's own
// window handling is taken to. Without one a full-screen request is never
// carried out, while SDL counts the window at the desktop's size.
bool windowManagerRuns(SDL_Window* window);

}  // namespace zb
