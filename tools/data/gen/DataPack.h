#pragma once
#include <string>
#include <vector>

// Writes the complete data folder the game plays from: pictures (clip
// files), the two rules files, sound effects, music, help pages and the
// window icon. The output is the same, byte for byte, on every run.
namespace zbgen {

struct PackResult {
  bool ok = false;
  std::string error;               // what failed, when !ok
  std::vector<std::string> files;  // paths written, relative to the folder
  std::vector<std::string> notes;  // what the user should know (tunes rendered or left to live synthesis)
};

// Tunes rendered earlier into `dir` or into the pack folder `reuseDir`
// are taken over when still current instead of being rendered again.
PackResult generateDataPack(const std::string& dir, const std::string& reuseDir = "");

// The window icons: "icon/icon101.bmp" (64 x 64, large) and
// "icon/icon102.bmp" (16 x 16, small), 32-bit BMP with an alpha channel.
std::vector<uint8_t> encodeBmp32(int width, int height, const std::vector<uint8_t>& rgba);

}  // namespace zbgen
