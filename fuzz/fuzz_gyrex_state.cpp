// A saved Gyrex field or recording from disk. The first byte picks what the
// rest (a configuration text) is read as: '0' the two saved fields, anything
// else a recording under "ReplayData". Whatever loads must stay in range,
// write back what it read and, for a recording, play back to its end
// without a crash.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gyrex/RFieldGame.h"
#include "platform/Random.h"
#include "storage/OConfig.h"

namespace {

using namespace SpaceGyrex;

void checkField(const RField& f) {
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      for (int s = 0; s < kSegments; ++s)
        if (f.elements[c][r][s] < 0 || f.elements[c][r][s] > kMaxColour) std::abort();
  if (f.rightColumn < 0 || f.rightColumn >= kColumns || f.visibleElems < 0 || f.visibleElems > kRowTextLength)
    std::abort();
}

void fields(OConfig& tree) {
  RFieldGame g;
  RRules rules;
  rules.colorCount = 4;
  g.Start(1, 0, rules);
  if (g.field.LoadFrom(tree)) {
    checkField(g.field);
    OConfig again;
    g.field.SaveTo(again);
    RField copy;
    if (!copy.LoadFrom(again) || copy.ElementsText() != g.field.ElementsText()) std::abort();
    for (int i = 0; i < 20 && !g.gameOver; ++i) g.Move(i % kColumns, kRows - 1 - i / kColumns, i % 2);
    checkField(g.field);
  }
  if (g.preview.LoadFrom(tree)) checkField(g.preview);
}

void recording(OConfig& tree) {
  RRecorder rec;
  if (!rec.LoadFrom(tree, "ReplayData")) return;
  if (rec.events.size() > RRecorder::kMaxEvents || rec.rows.size() > RRecorder::kMaxRows) std::abort();
  OConfig again;
  rec.SaveTo(again, "ReplayData");
  RRecorder copy;
  if (!copy.LoadFrom(again, "ReplayData") || copy.events.size() != rec.events.size()) std::abort();
  RFieldGame g;
  RRules rules;
  rules.colorCount = 4;
  if (!g.StartPlayback(rec, rules)) return;
  for (int i = 0; i < 3000 && g.PlayNextEvent(); ++i) checkField(g.field);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  zb::seedRandom(7);
  OConfig tree;
  tree.parse(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  if (data[0] == '0')
    fields(tree);
  else
    recording(tree);
  return 0;
}
