#pragma once
#include <string>

namespace zbgen {

// The text of "cfg/Gyx_demo.dat": one recorded game per Gyrex kind under
// "demo0", "demo1", "demo2", played by the computer player on the real
// field under the rules of `rulesText`. Deterministic: each demo is the
// first seed whose game ends by itself within the length bounds.
std::string gyrexDemoText(const std::string& rulesText);

// Level the demos are played at.
constexpr int kGyrexDemoLevel = 0;

}  // namespace zbgen
