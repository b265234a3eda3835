#include "platform/Random.h"

namespace zb {
namespace {
uint32_t g_state = 1;
}

int random() {
  g_state = g_state * 22695477u + 1u;
  return static_cast<int>((g_state >> 16) & 0x7FFF);
}

int random(int n) { return n <= 0 ? 0 : random() % n; }

void seedRandom(uint32_t seed) { g_state = seed; }

uint32_t randomState() { return g_state; }

}  // namespace zb
