#pragma once
#include <string>

class OClip;

namespace SpaceTessel {

// Side of a cube on the board, pixels.
constexpr int kCubePictureSize = 38;

// The file of a colour's picture in a skin: "clp/Sinkra/<skin><colour>.clp".
std::string cubePictureFile(int skin, int colour);

// Loads a colour's picture in a skin and scales its shown frame to the cube
// size into `out` (a one-frame clip). False when the file does not load.
bool loadCubePicture(int skin, int colour, OClip& out);

}  // namespace SpaceTessel
