#include "app/OClipControl.h"

bool OClipControl::hitMove(int, int, bool) { return false; }

bool OClipControl::hitPress(int, int) { return false; }

bool OClipControl::hitRelease(int, int) { return false; }

void OClipControl::keyDown(int, int) {}

void OClipControl::charTyped(unsigned char, int) {}

void OClipControl::setFocus(bool on) { focused = on; }

bool OClipControl::hitTest(int px, int py) const {
  int left = static_cast<int>(x);
  int top = static_cast<int>(y);
  if (px < left || py < top || px > left + width || py > top + height) return false;
  if (!shaped) return true;
  const OBitmap* image = currentImage();
  if (!image || !image->valid()) return false;
  // The frame may sit at an offset inside the clip's rectangle.
  int ix = px - (left + image->xOffset);
  int iy = py - (top + image->yOffset);
  if (ix < 0 || iy < 0 || ix >= image->width() || iy >= image->height()) return false;
  if (image->hasAlpha() && image->alphaAt(ix, iy) == 255) return false;
  return image->colourKey < 0 || static_cast<int>(image->pixel(ix, iy)) != image->colourKey;
}
