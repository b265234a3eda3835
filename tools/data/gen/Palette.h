#pragma once
#include <cstdint>

#include "tools/data/gen/Canvas.h"

// The colours of the data pack. The six block colours differ in hue and in
// lightness (after the Okabe-Ito palette) so they stay apart for players
// with colour-vision deficiency; each also has an emblem shape.
namespace zbgen {

constexpr int kColours = 6;

// Block colours 0..5: vermilion, sky blue, yellow, bluish green, deep blue,
// reddish purple. Lightness (CIE L*) 54, 81, 91, 41, 23, 65: no two closer
// than 10, so even a greyscale view keeps them apart; the pairs that fall
// together for red-green or blue-yellow blindness differ in lightness.
constexpr uint32_t kBlockHex[kColours] = {0xD85A0C, 0x80D4FA, 0xF6EA60, 0x007050, 0x06347A, 0xE47CB8};

// Ring and Bars belong to the two Gyrex colours beyond the six.
enum class Emblem { Circle, Triangle, Square, Diamond, Star, Cross, Ring, Bars };
constexpr Emblem kEmblem[kColours] = {Emblem::Circle, Emblem::Triangle, Emblem::Square,
                                      Emblem::Diamond, Emblem::Star,     Emblem::Cross};

inline Rgba blockColour(int c) { return rgb(kBlockHex[c]); }
// Light colours carry a dark emblem, dark ones a light emblem, so the
// emblem stands out by brightness in every colour.
bool isLightColour(const Rgba& c);
// The emblem's ink on a face of colour `base`.
Rgba emblemInk(const Rgba& base);

// Garden tones.
constexpr uint32_t kSand = 0xD9C7A0;
constexpr uint32_t kSandDark = 0xB59F76;
constexpr uint32_t kStone = 0x6E6A64;
constexpr uint32_t kStoneDark = 0x3E3B37;
constexpr uint32_t kWood = 0x7A4E2C;
constexpr uint32_t kWoodDark = 0x4A2E18;
constexpr uint32_t kMoss = 0x5E7A3A;
constexpr uint32_t kBamboo = 0x8FA54A;
constexpr uint32_t kWater = 0x2F6F7A;
constexpr uint32_t kInk = 0x1E1A16;
constexpr uint32_t kCream = 0xF6EBD2;
constexpr uint32_t kGold = 0xE8B14A;

// The shape of an emblem centred at (cx, cy) with radius r.
Sdf emblemShape(Emblem e, float cx, float cy, float r);
// Sets the emblem into a face of colour `base`: engraved ink with a thin
// halo of the opposite brightness, so it reads on plain, glassy, grained
// and patterned faces alike.
void markEmblem(Canvas& c, Emblem e, const Rgba& base, float cx, float cy, float r);

}  // namespace zbgen
