#pragma once
#include <cstdint>

namespace zb {

// The virtual key for an SDL key code; 0 for keys the game does not know.
int vkFromSdlKey(int32_t sdlKeycode);

}  // namespace zb
