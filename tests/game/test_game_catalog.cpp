#include <gtest/gtest.h>

#include <set>

#include "game/GameCatalog.h"
#include "game/GameFamilies.h"
#include "game/AGameWnd.h"
#include "platform/Random.h"

namespace {

TEST(GameCatalog, RadiosRoundTripToTheirGame) {
  for (int r = 0; r < zb::kPickRadioCount; ++r) {
    const zb::PickRadio& radio = zb::pickRadio(r);
    EXPECT_EQ(zb::radioForGame(radio.family, radio.kind), r) << radio.label;
  }
  // Radio 6 is the Classic variant, radio 4 the Remover.
  EXPECT_EQ(zb::pickRadio(6).kind, 4);
  EXPECT_EQ(zb::pickRadio(4).kind, 2);
  EXPECT_EQ(zb::radioForGame(zb::kFamilySinkra, 99), 4);
}

TEST(GameCatalog, FirstStartPicksOneOfSixPreselections) {
  std::set<int> seen;
  zb::seedRandom(1);
  for (int i = 0; i < 200; ++i) seen.insert(zb::radioForGame(zb::kFamilyNone, 0));
  EXPECT_EQ(seen, (std::set<int>{0, 1, 4, 6, 9, 11}));
}

TEST(GameCatalog, RadiosFollowTheRegisteredFamilies) {
  zb::clearGameFamilies();
  auto none = [](AGameHost&) { return std::unique_ptr<AGameWnd>(); };
  zb::registerGameFamily(zb::kFamilySinkra, none, 0b0101);
  for (int r = 0; r < zb::kPickRadioCount; ++r) {
    const zb::PickRadio& radio = zb::pickRadio(r);
    bool expected = radio.family == zb::kFamilySinkra && (radio.kind == 0 || radio.kind == 2);
    EXPECT_EQ(zb::variantAvailable(radio.family, radio.kind), expected) << radio.label;
  }
  EXPECT_FALSE(zb::familyPlays(zb::kFamilySinkra, 40));
  zb::clearGameFamilies();
  zb::registerFamilies();
}

TEST(GameCatalog, EveryScreenNamesAVariantAsThePickGameListDoes) {
  for (int r = 0; r < zb::kPickRadioCount; ++r) {
    const zb::PickRadio& radio = zb::pickRadio(r);
    EXPECT_STREQ(zb::variantCaption(radio.family, radio.kind), radio.label);
    EXPECT_STREQ(zb::top10VariantCaption(radio.family, radio.kind), radio.label);
  }
  EXPECT_STREQ(zb::variantCaption(zb::kFamilySinkra, 4), "Sinkra");
  EXPECT_STREQ(zb::variantCaption(zb::kFamilySinkra, 1), "Sinkra adv");
  EXPECT_STREQ(zb::variantCaption(zb::kFamilyTessel, 3), "advanced mix");
  EXPECT_STREQ(zb::variantCaption(zb::kFamilySinkra, 7), "");
  EXPECT_STREQ(zb::top10VariantCaption(zb::kFamilyNone, 0), "");
  EXPECT_STREQ(zb::levelCaption(0), "Novice");
  EXPECT_STREQ(zb::levelCaption(2), "master");
  EXPECT_EQ(zb::scoreCategory(4, 1), "401");
  EXPECT_STREQ(zb::familySaveName(zb::kFamilySinkra), "Sinkra");
}

}  // namespace
