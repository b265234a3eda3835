#pragma once
#include <cstdint>
#include <string_view>

namespace zb {

// Reads a number the way atol does: leading white space, an optional sign,
// decimal digits up to the first other character, 0 without digits. Values
// outside 32 bits saturate instead of overflowing.
int32_t readAtol(std::string_view text);

}  // namespace zb
