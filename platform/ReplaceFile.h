#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whole-file writes that never leave a cut file behind.
namespace zb {

// Writes `bytes` as the file at `path`, a path on disk used as it is. A
// regular (or new) file is written to "<path>.tmp-XXXXXX" beside it and
// renamed over it, so readers see the old file or the whole new one; a
// symbolic link is followed and its target replaced, the link kept. An
// existing file that is not a regular one (a device, a pipe) is written in
// place. Every write and the close are checked: false when any failed (a
// full disk, a read-only file or folder), and the old file is then intact.
// Temporaries of the same kind of file (same extension) left in that folder
// by a writer that was killed are removed on the way. On failure `reason`
// (when given) gets the system's words for the first error met.
bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason = nullptr);

// How old a temporary must be before it counts as left behind; a younger one
// may still be written by another process.
constexpr long kStaleTemporarySeconds = 60;

}  // namespace zb
