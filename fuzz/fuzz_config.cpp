// Configuration text from disk or hand-written rules: parsing, writing and
// every getter must cope with any bytes. String values also go through the
// Top 10 reader, as a saved game's table is one of them. A parse under the
// small files' limits never keeps more than they allow.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/OConfig.h"
#include "storage/TScoresTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  OConfig config;
  config.parse(text);
  for (const auto& entry : config.values()) {
    const std::string& path = entry.first;
    config.getInt(path, 0);
    config.getDouble(path, 0.0);
    TScoresTable scores;
    scores.parseText(config.getString(path));
    if (scores.toText().size() > 4 * size + 64) std::abort();  // never more than was read
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
  // The small files' limits are within reach of short inputs: what a
  // limited parse keeps stays inside them.
  const OConfig::Limits& small = OConfig::kSmallFileLimits;
  config.parse(text, small);
  if (config.values().size() > small.maxKeys) std::abort();
  for (const auto& [path, raw] : config.values()) {
    size_t dots = 0;
    for (char c : path) dots += c == '.';
    if (path.size() > small.maxKeyPath || dots > small.maxDepth || raw.size() > small.maxValueBytes) std::abort();
  }
  return 0;
}
