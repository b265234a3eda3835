#include "tessel/CubePictures.h"

#include <cstdio>
#include <memory>

#include "gfx/OClip.h"

namespace SpaceTessel {

std::string cubePictureFile(int skin, int colour) {
  char file[40];
  std::snprintf(file, sizeof file, "clp/Sinkra/%d%d.clp", skin, colour);
  return file;
}

bool loadCubePicture(int skin, int colour, OClip& out) {
  OClip source;
  out.clear();
  if (!source.load(cubePictureFile(skin, colour))) return false;
  const OBitmap* src = source.currentImage();
  if (!src || !src->valid()) return false;
  auto scaled = std::make_unique<OBitmap>();
  if (!OBitmap::scale(*scaled, *src, kCubePictureSize, kCubePictureSize)) return false;
  scaled->xOffset = scaled->yOffset = 0;
  out.addImage(std::move(scaled));
  return true;
}

}  // namespace SpaceTessel
