#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/data/gen/Canvas.h"

// A clip as the generator builds it, before it is written through the
// project's clip writer: images drawn on canvases plus the frame records of
// each sequence.
namespace zbgen {

// Never matches a pixel: for opaque pictures.
constexpr int kNoKey = -2;
// Transparent pixels of pictures with an alpha plane are stored in this
// colour and the frame keys name it, so hit tests and any keyed drawing agree
// with the alpha plane.
constexpr uint32_t kKeyColour = 0xFF00FF;

enum class Store { Raw, RawAlpha, Jpeg, JpegAlpha };

struct ClipImage {
  Canvas pic;
  Store store = Store::RawAlpha;
  int quality = 90;  // JPEG quality
};

struct ClipFrame {
  int image = 0;
  int x = 0, y = 0;
  int key = static_cast<int>(kKeyColour);
  int action = 0, arg1 = 0, arg2 = 0;
};

struct ClipRecipe {
  std::vector<ClipImage> images;
  // Empty: every image is a frame of the clip (no frame records).
  std::vector<std::vector<ClipFrame>> sequences;

  // Adds an image and returns its index.
  int add(Canvas pic, Store store = Store::RawAlpha, int quality = 90);
  // A one-frame sequence showing image i with the usual key for its store.
  std::vector<ClipFrame> single(int image) const;
  // The key that suits an image's store: kKeyColour with alpha, else none.
  int keyFor(int image) const;
};

// 8-bit pixels of a canvas: blue, green, red per pixel, rows top to bottom,
// and the alpha plane (0 opaque, 255 transparent). Fully transparent pixels
// take `keyColour`.
void toBgr(const Canvas& pic, std::vector<uint8_t>& bgr, std::vector<uint8_t>& alpha,
           uint32_t keyColour = kKeyColour);

// Writes the clip through the project's clip writer. False on any failure.
bool writeClip(const std::string& path, const ClipRecipe& clip);

// A contact sheet of every frame of every sequence on a checkerboard, for
// judging the pictures by eye.
Canvas contactSheet(const ClipRecipe& clip, int maxWidth = 1000);
// A minimal (uncompressed) PNG of a canvas.
bool writePng(const std::string& path, const Canvas& pic);

}  // namespace zbgen
