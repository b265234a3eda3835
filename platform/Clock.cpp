#include "platform/Clock.h"

#include <SDL.h>

namespace zb {
namespace {

class SdlClock : public Clock {
public:
  uint32_t nowMs() override { return SDL_GetTicks(); }
};

SdlClock g_sdlClock;
Clock* g_clock = &g_sdlClock;

}  // namespace

uint32_t nowMs() { return g_clock->nowMs(); }

void setClock(Clock* clock) { g_clock = clock ? clock : &g_sdlClock; }

}  // namespace zb
