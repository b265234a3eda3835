// Clip files from disk: the loader must bound every size, count and index it
// reads and reject damaged JPEG payloads without leaving the process. What
// loads is then animated, copied and drawn, so half-built clips are used too.
#include <cstdint>
#include <cstdlib>

#include "gfx/OClip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OClip clip;
  clip.loadFromMemory(data, size);
  OBitmap screen;
  screen.create(64, 48, 0);
  for (int t = 0; t < 4; ++t) {
    clip.tickClip(100);
    if (const OBitmap* image = clip.currentImage()) {
      OBitmap::draw(screen, *image, image->xOffset % 64, image->yOffset % 48);
      OBitmap::drawSubPixel(screen, *image, 3.5, -2.25);
    }
  }
  OClip copy;
  copy.copyFrom(clip);
  copy.showFrame(1, 1);
  copy.setOpacity(100);
  copy.setColourKey(-1);
  if (const OBitmap* image = copy.currentImage()) OBitmap::draw(screen, *image, -5, -5);
  return 0;
}
