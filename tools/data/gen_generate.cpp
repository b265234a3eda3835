// zenbox-data generate DIR: writes the data pack.
// zenbox-data pack-sheet CLIP OUT.png: a contact sheet of a clip as the game loads it.
#include <cstdio>

#include "gfx/OClip.h"
#include "tools/data/Command.h"
#include "tools/data/gen/ClipRecipe.h"
#include "tools/data/gen/DataPack.h"

namespace {

int generate(const std::vector<std::string>& args) {
  bool reuse = args.size() == 3 && args[1] == "--reuse";
  if (args.size() != 1 && !reuse) return zbdata::usageError("generate");
  zbgen::PackResult r = zbgen::generateDataPack(args[0], reuse ? args[2] : "");
  if (!r.ok) {
    std::fprintf(stderr, "zenbox-data generate: %s\n", r.error.c_str());
    return 1;
  }
  for (const std::string& note : r.notes) std::printf("%s\n", note.c_str());
  std::printf("wrote %zu files to %s\n", r.files.size(), args[0].c_str());
  return 0;
}

// The loaded frames of a clip become canvases again (alpha plane and key
// applied), laid out one sequence per row.
zbgen::Canvas toCanvas(const OBitmap& b) {
  zbgen::Canvas c(b.width(), b.height());
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) {
      uint32_t p = b.pixel(x, y);
      float a = b.hasAlpha() ? 1.0f - b.alphaAt(x, y) / 255.0f
                             : (b.colourKey >= 0 && static_cast<int>(p) == b.colourKey ? 0.0f : 1.0f);
      c.at(x, y) = zbgen::rgb(p, a);
    }
  return c;
}

int packSheet(const std::vector<std::string>& args) {
  if (args.size() != 2) return zbdata::usageError("pack-sheet");
  OClip clip;
  if (!clip.load(args[0])) {
    std::fprintf(stderr, "zenbox-data pack-sheet: cannot load %s\n", args[0].c_str());
    return 1;
  }
  zbgen::ClipRecipe recipe;
  auto addFrames = [&](const OClip& target) {
    std::vector<zbgen::ClipFrame> seq;
    for (const auto& img : target.images) {
      zbgen::ClipFrame f;
      f.image = recipe.add(toCanvas(*img));
      f.x = img->xOffset, f.y = img->yOffset;
      seq.push_back(f);
    }
    recipe.sequences.push_back(seq);
  };
  if (clip.sequences.empty()) addFrames(clip);
  for (const auto& s : clip.sequences) addFrames(*s);
  if (!zbgen::writePng(args[1], zbgen::contactSheet(recipe, 1200))) {
    std::fprintf(stderr, "zenbox-data pack-sheet: cannot write %s\n", args[1].c_str());
    return 1;
  }
  return 0;
}

zbdata::CommandRegistrar gen({"generate", "DIR [--reuse OLDDIR]",
                              "write the complete data pack into DIR (current tune renderings in DIR or OLDDIR are kept)",
                              generate});
zbdata::CommandRegistrar sheet({"pack-sheet", "CLIP OUT.png",
                                "contact sheet of every frame of a clip as loaded (for checking the pack)", packSheet});

}  // namespace
