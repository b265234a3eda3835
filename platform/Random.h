#pragma once
#include <cstdint>

// The one process-wide random generator. Every random choice in the system
// is zbRandom() % n, so a seeded run replays exactly.
namespace zb {

// state = state * 22695477 + 1 (wrapping); each draw is (state >> 16) & 0x7FFF.
int random();
// Random number in 0..n-1; n <= 0 gives 0.
int random(int n);
void seedRandom(uint32_t seed);
uint32_t randomState();

}  // namespace zb
