// The music check must answer for any bytes without reading past them.
#include <cstddef>
#include <cstdint>

#include "platform/MidiCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zb::isWellFormedMidi(data, size);
  return 0;
}
