// Scripts are hand-written files; the parser must refuse anything odd with a
// message, never crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<zb::ScriptStep> steps;
  std::string error;
  if (!zb::parseScript(text, steps, error) && error.empty()) __builtin_trap();
  return 0;
}
