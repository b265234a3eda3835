#pragma once
#include <string>

// The twelve game variants, their names on the various screens and the
// pick-game radio table. Pure data and lookups, shared by the controller,
// the game frame, the pick-game screen and the Top 10 screen.
namespace zb {

enum GameFamily : int {
  kFamilyTessel = 0,
  kFamilySinkra = 1,
  kFamilyGyrex = 2,
  kFamilyNone = 255,
};

constexpr int kPickRadioCount = 12;

// One radio of the pick-game screen: its label, the game it stands for and
// where its box sits (the label goes 40 right and 5 down of the box).
struct PickRadio {
  const char* label;
  int family;
  int kind;
  int boxX;
  int boxY;
};

// Radio i (0..11); an index out of range gives radio 0.
const PickRadio& pickRadio(int radio);

// The radio that stands for a game. Family kFamilyNone (or any unknown
// family) draws one of the six first-start preselections from zb::random().
int radioForGame(int family, int kind);

// True when the family registered the variant as playable (GameFamilies.h).
bool variantAvailable(int family, int kind);

// Side-panel captions of the game frame.
const char* familyCaption(int family);          // "Tessel", "Sinkra", "Gyrex", "" otherwise
// A variant's name, the same on every screen: its pick-game label
// ("Sinkra adv", "advanced mix", ...; "" when unknown).
const char* variantCaption(int family, int kind);
const char* levelCaption(int level);            // "Novice", "expert", "master"

// Top 10 header name of a variant: the same name.
const char* top10VariantCaption(int family, int kind);

// Family word of the saved-game files ("Sinkra", ...); "DefaultGame" otherwise.
const char* familySaveName(int family);

// Score-table category of a variant and skill level: kind * 100 + level.
std::string scoreCategory(int kind, int level);

}  // namespace zb
