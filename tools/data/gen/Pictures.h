#pragma once
#include "tools/data/gen/ClipSpec.h"

// Every clip of the data pack, drawn procedurally. One builder per file (or
// family of files); DataPack.cpp names them.
namespace zbgen {

// Letter sets: 0 "alph" (buttons), 1 "alph2" (demo captions), 2 "alph3"
// (titles), 3 "alph4" (rows, headers, panel captions). Empty when no font.
ClipSpec letterSet(int set);

// Shared controls bt0..bt5: 0 check box, 1 radio box, 2 segmented-bar cell
// (six states each: unchecked, checked, and their pressed and hovered
// looks), 3 edit-field background, 4 up arrow, 5 down arrow (three states:
// idle, pressed, hovered).
ClipSpec controlClip(int index);
// Panel buttons but7..but12 (exit, minimise, help, window mode, options,
// new game), three states: idle, pressed, hovered.
ClipSpec panelButton(int number);

ClipSpec curtainTile();       // lc: 60 x 58, several stopped frames
ClipSpec introPicture();      // i1: 400 x 400, colour key 0x004129
ClipSpec mainBackground();    // jp8: 600 x 600 raked-sand board
ClipSpec sidePanel();         // jp9: 200 x 600
ClipSpec pausePicture();      // clp0: the bouncing pause picture
ClipSpec panelPicture();      // clp1: the panel emblem
ClipSpec separatorBar();      // Sinkra/p1: 580 wide, thin

ClipSpec blockClip(int skin, int colour);
ClipSpec specialClip(int kind);
ClipSpec removerClip(int colour);
ClipSpec sparkle();  // tessel/gst: one sequence per colour, twinkle frames

ClipSpec tesselBackground();
ClipSpec tesselBorder(bool horizontal, int colour, int skin);
constexpr int kBorderThickness = 24;  // gbh height, gbv width
constexpr int kBorderLength = 38;

ClipSpec gyrexBackground();
ClipSpec gyrexSegment(int position);  // 0 top, 1 right, 2 bottom, 3 left
ClipSpec gyrexCursor();
constexpr int kGyrexChoices = 8;

// The application icon, size x size.
Canvas appIcon(int size);

}  // namespace zbgen
