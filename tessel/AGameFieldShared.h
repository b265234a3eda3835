#pragma once
#include <functional>

class OClip;

namespace SpaceTessel {

// State the board shares with the game window, one set per program: the
// pictures the window loads, its effect player and animation setting, and
// the flags through which board and window agree on the rhythm of a move.
struct AFieldShared {
  // Prototype picture of each colour 1..6 (index 0 unused), 38 x 38; not
  // owned. Cubes of a colour without a picture are empty clips, which keeps
  // boards usable without a screen.
  OClip* cubePictures[7] = {};
  // The sparkle picture, one frame set per colour; not owned. Without it
  // (or without a screen) no sparkles are made.
  OClip* sparklePicture = nullptr;
  // Width of the vertical and height of the horizontal border pieces; they
  // place the cells on the screen.
  int borderW = 0;
  int borderH = 0;
  // The "Animation" setting.
  bool animation = true;
  // Plays a sound effect by slot; empty plays nothing.
  std::function<void(int slot)> playSound;

  // A batch of new cubes is due once the current launch has settled.
  bool newCubesNeeded = false;
  // Some cube is still fading in.
  bool cubesFadingIn = false;
  // The board has no removed cubes left fading out.
  bool noDyingCubes = true;
  // How often in a row the next colours repeated the current ones; kept
  // from one game to the next.
  int repeatCounter = 1;
  // The last load of a board (saved game, undo point or replay snapshot)
  // was refused.
  bool saveDamaged = false;

  // Back to the start of the program (pictures and callbacks included).
  void reset() { *this = AFieldShared(); }
};

// The program's one set.
AFieldShared& shared();

}  // namespace SpaceTessel
