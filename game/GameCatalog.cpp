#include "game/GameCatalog.h"

#include "game/GameFamilies.h"

#include "platform/Random.h"
#include "platform/Language.h"

namespace zb {
namespace {

const PickRadio kRadios[kPickRadioCount] = {
    {"Unicolor", kFamilyTessel, 0, 460, 140},
    {"quadcolor", kFamilyTessel, 1, 460, 190},
    {"smart mix", kFamilyTessel, 2, 460, 240},
    {"advanced mix", kFamilyTessel, 3, 460, 295},
    {"Remover", kFamilySinkra, 2, 35, 140},
    {"Collector", kFamilySinkra, 0, 35, 180},
    {"Sinkra", kFamilySinkra, 4, 35, 215},
    {"Sinkra adv", kFamilySinkra, 1, 35, 255},
    {"Turn Play", kFamilySinkra, 3, 35, 290},
    {"Strip mania", kFamilyGyrex, 0, 270, 425},
    {"Shift Mania", kFamilyGyrex, 1, 270, 465},
    {"Time Mania", kFamilyGyrex, 2, 270, 500},
};

// The radio of a known variant, -1 otherwise: every screen names a variant
// as the pick-game list does.
int radioIndex(int family, int kind) {
  for (int i = 0; i < kPickRadioCount; ++i)
    if (kRadios[i].family == family && kRadios[i].kind == kind) return i;
  return -1;
}

}  // namespace

const PickRadio& pickRadio(int radio) {
  if (radio < 0 || radio >= kPickRadioCount) return kRadios[0];
  return kRadios[radio];
}

int radioForGame(int family, int kind) {
  switch (family) {
    case kFamilyTessel: return kind >= 0 && kind < 4 ? kind : 0;
    case kFamilySinkra:
      switch (kind) {
        case 0: return 5;
        case 1: return 7;
        case 3: return 8;
        case 4: return 6;
        default: return 4;
      }
    case kFamilyGyrex: return kind >= 0 && kind < 3 ? kind + 9 : 9;
    default: {
      static const int kFirstStart[6] = {0, 1, 6, 4, 9, 11};
      return kFirstStart[random() % 6];
    }
  }
}

bool variantAvailable(int family, int kind) { return familyPlays(family, kind); }

const char* familyCaption(int family) {
  switch (family) {
    case kFamilyTessel: return "Tessel";
    case kFamilySinkra: return "Sinkra";
    case kFamilyGyrex: return "Gyrex";
    default: return "";
  }
}

const char* variantCaption(int family, int kind) {
  int i = radioIndex(family, kind);
  return i < 0 ? "" : kRadios[i].label;
}

const char* levelCaption(int level) {
  switch (level) {
    case 1: return N_("expert");
    case 2: return N_("master");
    default: return N_("Novice");
  }
}

const char* top10VariantCaption(int family, int kind) { return variantCaption(family, kind); }

const char* familySaveName(int family) {
  const char* name = familyCaption(family);
  return *name ? name : "DefaultGame";
}

std::string scoreCategory(int kind, int level) { return std::to_string(kind * 100 + level); }

}  // namespace zb
