#pragma once
#include <string>
#include <vector>

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
    text += "zenbox: could not save " + f.file + ": " + f.reason;
  }
  return text;
}

}  // namespace zb
