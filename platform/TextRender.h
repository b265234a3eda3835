#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Operating-system text for the gfx layer: a face found through fontconfig,
// rendered antialiased with SDL_ttf onto an opaque background.
namespace zb {

struct TextFont {
  std::string face = "Arial";  // family name; fontconfig picks the closest installed face
  int pixelHeight = 13;        // character (em) height in pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// A rendered line of text: rows top to bottom, 3 bytes per pixel (red, green,
// blue), width * 3 bytes per row.
struct TextPixels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// Renders one-byte-per-character (Latin-1) text in colours 0xRRGGBB. False
// when no font can be opened; empty text gives a zero-width result of the
// font's height.
bool renderText(const TextFont& font, const std::string& text, uint32_t textColour, uint32_t backColour,
                TextPixels& out);

// The size renderText would produce. False when no font can be opened.
bool measureText(const TextFont& font, const std::string& text, int& width, int& height);

// The font file fontconfig picks for a face and style ("" when none).
std::string findFontFile(const std::string& face, bool bold, bool italic);

}  // namespace zb
