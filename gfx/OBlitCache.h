#pragma once
#include <cstdint>
#include <vector>

// Derived per-image data that makes blits copy runs instead of testing every
// pixel. Lives in the shared pixel record; each entry remembers the record
// version (and colour key) it was built from and is rebuilt when they differ,
// so blits stay exactly what a per-pixel loop would give.
struct OSpan {
  int32_t start;   // first column
  int32_t length;
  int32_t packed;  // byte offset of its pixels in OKeySpans::packed
};

// Runs of pixels that are not the colour key, per image row.
struct OKeySpans {
  bool built = false;
  uint32_t version = 0;
  int key = -1;
  std::vector<int32_t> rowFirst;  // height + 1 indices into spans
  std::vector<OSpan> spans;
  // The pixels of all runs back to back: a whole-width blit reads them as
  // one stream instead of picking them out of the rows.
  std::vector<uint8_t> packed;
};

// Runs of the alpha plane, per image row: fully opaque runs (alpha 0) and
// partly transparent runs (1..254); fully transparent pixels are left out.
struct OAlphaRun {
  int32_t start;
  int32_t length;
  int32_t opaque;  // 1: alpha 0 throughout; 0: partly transparent
};

struct OAlphaRuns {
  bool built = false;
  uint32_t version = 0;
  std::vector<int32_t> rowFirst;
  std::vector<OAlphaRun> runs;
};

struct OBlitCache {
  // Two key entries, so frames that share pixels but differ in key do not
  // rebuild on every draw.
  OKeySpans keyed[2];
  int nextKeyed = 0;
  OAlphaRuns alpha;
};
