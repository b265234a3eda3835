#pragma once
#include <string>
#include <vector>

#include "platform/Language.h"

namespace zb {

// A file that could not be written, and the system's words for why.
struct SaveFailure {
  std::string file;
  std::string reason;
};

// One "zenbox: could not save FILE: REASON" line per failure.
inline std::string describeSaveFailures(const std::vector<SaveFailure>& failures) {
  std::string text;
  for (const SaveFailure& f : failures) {
    if (!text.empty()) text += '\n';
    std::string line = tr("zenbox: could not save %s: %s");
    for (const std::string* part : {&f.file, &f.reason}) {
      const size_t at = line.find("%s");
      if (at != std::string::npos) line.replace(at, 2, *part);
    }
    text += line;
  }
  return text;
}

}  // namespace zb
