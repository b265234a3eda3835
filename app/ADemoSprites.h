#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/OBitmap.h"

// Pictures made in code for the demonstration screen, so it runs without
// any data files.
namespace ademo {

// A shaded ball with a soft alpha edge.
std::unique_ptr<OBitmap> makeBall(int size, uint32_t colour);
// A five-pointed star on a colour-keyed background (key 0xFF00FF).
std::unique_ptr<OBitmap> makeStar(int size, uint32_t colour);
// A bar through the centre at `angle` radians, colour-keyed (0xFF00FF).
std::unique_ptr<OBitmap> makeBar(int size, double angle, uint32_t colour);
// A checkerboard of two colours.
std::unique_ptr<OBitmap> makeChecker(int width, int height, int cell, uint32_t a, uint32_t b);
// Text with an alpha plane (antialiased edges blend), in the given point size.
std::unique_ptr<OBitmap> makeText(const std::string& text, uint32_t colour, int points, bool bold);
// A button face: rounded panel with a centred label.
std::unique_ptr<OBitmap> makeButtonFace(int width, int height, uint32_t panel, const std::string& label);

}  // namespace ademo
