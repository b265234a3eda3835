// Configuration text from disk or hand-written rules: parsing, writing and
// every getter must cope with any bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/OConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  OConfig config;
  config.parse(text);
  for (const auto& entry : config.values()) {
    const std::string& path = entry.first;
    config.getInt(path, 0);
    config.getDouble(path, 0.0);
    config.getString(path);
    config.getCString(path);
    config.getIntArray(path);
    config.hasSection(path);
    if (config.failed()) std::abort();  // the key path is present
  }
  // Reading back the written text exercises the reader on its own output.
  const std::string written = config.write();
  OConfig again;
  again.parse(written);
  config.parse(text.c_str());
  return 0;
}
