#pragma once
#include <cstdint>
#include <vector>

#include "platform/FrameBuffer.h"

namespace zb {

// Fits a view (the top-left part of a FrameBuffer) into an output of device
// pixels: the largest picture of the view's proportions that fits, centred,
// black bars around it. A whole-number scale copies pixels, so a zoomed
// picture is an exact enlargement; any other scale blends the four nearest
// pixels. Only the output areas that changed need drawing.
class FrameScaler {
public:
  using Rect = FrameBuffer::Rect;

  // Recomputes the layout; cheap when nothing changed.
  void setLayout(int viewWidth, int viewHeight, int outWidth, int outHeight);
  // Where the view lands in the output (empty when either side is empty).
  const Rect& picture() const { return picture_; }
  // n when the picture is exactly n times the view, else 0.
  int wholeScale() const { return whole_; }

  // The view pixel shown under an output position; positions off the
  // picture map to positions off the view (negative or past its size).
  void toView(int outX, int outY, int& viewX, int& viewY) const {
    toView(picture_, viewW_, viewH_, outX, outY, viewX, viewY);
  }
  // The same without a scaler: `picture` as `fit` gives it.
  static Rect fit(int viewWidth, int viewHeight, int outWidth, int outHeight);
  static void toView(const Rect& picture, int viewWidth, int viewHeight, int outX, int outY, int& viewX, int& viewY);
  // The output area that changed view area `area` touches, rounded outwards
  // (empty when it touches nothing).
  Rect outputArea(const Rect& area) const;

  // Draws output area `area` (clipped to the picture) from `frame` into
  // `out`, the output's top-left pixel, rows `pitch` bytes apart, pixels
  // 0x00RRGGBB with `alphaBits` added.
  void draw(const FrameBuffer& frame, const Rect& area, uint32_t* out, int pitch, uint32_t alphaBits) const;
  // Paints the output around the picture black.
  void drawBars(uint32_t* out, int pitch, uint32_t alphaBits) const;

private:
  // Per output column (or row) of the picture: the first and second view
  // pixel it takes and the second one's weight out of 256.
  struct Tap {
    int first, second, weight;
  };
  static std::vector<Tap> taps(int viewSize, int pictureSize, bool whole);
  // Draws the output rectangle at a scale that is not a whole number.
  void drawBlended(const FrameBuffer& frame, int left, int top, int right, int bottom, uint32_t* out, int pitch,
                   uint32_t alphaBits) const;
  // Output columns left..right of view row `src`, blended across, into `out`.
  void scaleAcross(const uint32_t* src, int left, int right, uint32_t* out) const;

  int viewW_ = 0, viewH_ = 0, outW_ = 0, outH_ = 0;
  Rect picture_;
  int whole_ = 0;
  std::vector<Tap> cols_, rows_;
  mutable std::vector<uint32_t> across_[2];  // view rows scaled across
};

}  // namespace zb
