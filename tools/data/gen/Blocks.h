#pragma once
#include "tools/data/gen/ClipRecipe.h"

// Block pictures: six skins of the six colours, the special blocks and the
// colour removers. Blocks are square and large enough to scale down to any
// cell size.
namespace zbgen {

constexpr int kBlockSize = 64;
constexpr int kSkins = 6;

// Skin 0 gem with the colour's emblem, 1 glass, 2 stone, 3 wood, 4 flat,
// 5 pattern.
// `plain` leaves the emblem off (for pieces that are not blocks).
Canvas blockPicture(int skin, int colour, int size = kBlockSize, bool plain = false);
// A board block: the skin picture set in a dark square joint that fills
// the whole picture.
Canvas boardBlockPicture(int skin, int colour);
// The special block pictures b0..b7 (row, column, lone blocks, board flip,
// bomb, neighbour groups, all groups, recolour).
Canvas specialPicture(int kind, int size = kBlockSize);
// The mark laid over a chameleon block (transparent but for the mark).
Canvas chameleonMarkPicture(int size = kBlockSize);
// A remover of one block colour.
Canvas colourRemoverPicture(int colour, int size = kBlockSize);

}  // namespace zbgen
