#pragma once
#include <string>

// Whether a video driver puts anything in front of a person.
namespace zb {

// True for drivers that show nothing (SDL's dummy and off-screen ones)
// unless `requested` (the SDL_VIDEODRIVER setting, a comma list, may be
// null) names that driver: SDL falls back to them when no display can be
// opened, and a window nobody can see would run unnoticed until killed.
bool refusesInvisibleDriver(const char* driver, const char* requested);

// The message given when no display was found, with the reason.
std::string noDisplayMessage(const std::string& reason);

}  // namespace zb
