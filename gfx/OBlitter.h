#pragma once
#include "gfx/OBitmap.h"
#include "gfx/OBlitCache.h"

// The part of a source that lands inside a destination.
struct OBlitArea {
  int sx = 0, sy = 0;  // top-left in the source
  int dx = 0, dy = 0;  // top-left in the destination
  int w = 0, h = 0;
  ORect source;  // the requested source rectangle clipped to the source
};

// The blit loops behind OBitmap::draw and OBitmap::drawSubPixel. Clipping is
// done once per call; each loop then works row by row on raw memory.
class OBlitter {
public:
  // False when nothing is to be drawn.
  static bool clip(const OBitmap& dst, const OBitmap& src, long long x, long long y, const ORect* srcRect,
                   OBlitArea& area);

  static void drawAlpha(OBitmap& dst, const OBitmap& src, const OBlitArea& a);
  static void drawKeyed(OBitmap& dst, const OBitmap& src, const OBlitArea& a);
  static void drawTranslucent(OBitmap& dst, const OBitmap& src, const OBlitArea& a);
  static void drawSilhouette(OBitmap& dst, const OBitmap& src, const OBlitArea& a);
  static void drawSubPixel(OBitmap& dst, const OBitmap& src, double x, double y, const ORect* srcRect);

  // The cached runs of an image, rebuilt when stale. Exposed for tests.
  static const OKeySpans* keySpans(const OBitmap& image);
  static const OAlphaRuns* alphaRuns(const OBitmap& image);

private:
  static uint8_t* dstRow(OBitmap& dst, int r);
  static const uint8_t* srcRow(const OBitmap& src, int r);
};
