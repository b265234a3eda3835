#pragma once
#include "tools/data/gen/ClipRecipe.h"

// Every clip of the data pack, drawn procedurally. One builder per file (or
// family of files); DataPack.cpp names them.
namespace zbgen {

// Letter sets: 0 "alph" (buttons), 1 "alph2" (demo captions), 2 "alph3"
// (titles), 3 "alph4" (rows, headers, panel captions). Empty when no font.
ClipRecipe letterSet(int set);

// Shared controls bt0..bt5: 0 check box, 1 radio box, 2 segmented-bar cell
// (six states each: unchecked, checked, and their pressed and hovered
// looks), 3 edit-field background, 4 up arrow, 5 down arrow (three states:
// idle, pressed, hovered).
ClipRecipe controlClip(int index);
// Panel buttons but7..but12 (exit, minimise, help, window mode, options,
// new game), three states: idle, pressed, hovered.
ClipRecipe panelButton(int number);

ClipRecipe curtainTile();       // lc: 60 x 58, several stopped frames
ClipRecipe introPicture();      // i1: 400 x 400, colour key 0x004129
ClipRecipe mainBackground();    // jp8: 600 x 600 raked-sand board
ClipRecipe sidePanel();         // jp9: 200 x 600
ClipRecipe pausePicture();      // clp0: the bouncing pause picture
ClipRecipe panelPicture();      // clp1: the panel emblem
ClipRecipe separatorBar();      // Sinkra/p1: 580 wide, thin

ClipRecipe blockClip(int skin, int colour);
ClipRecipe specialClip(int kind);
ClipRecipe removerClip(int colour);
ClipRecipe chameleonMarkClip();  // Sinkra/cm: laid over chameleon blocks
ClipRecipe sparkle();  // tessel/gst: one sequence per colour, twinkle frames

ClipRecipe tesselBackground();
ClipRecipe tesselBorder(bool horizontal, int colour, int skin);
constexpr int kBorderThickness = 24;  // gbh height, gbv width
constexpr int kBorderLength = 38;
constexpr int kBorderJoint = 2;  // gbh/gbv: the dark joint of an idle piece, the light rim of a lit one

ClipRecipe gyrexBackground();
ClipRecipe gyrexSegment(int position);  // 0 top, 1 right, 2 bottom, 3 left
ClipRecipe gyrexCursor();
constexpr int kGyrexChoices = 8;

// The application icon, size x size.
Canvas appIcon(int size);

}  // namespace zbgen
