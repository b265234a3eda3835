#include <gtest/gtest.h>

#include "app/AMenuWnd.h"
#include "game/AGameWnd.h"
#include "sinkra/AMyGame.h"
#include "sinkra/ASinkraOptionsWnd.h"
#include "sinkra/CGameField.h"
#include "tests/game/FlowRig.h"
#include "ui/AClipString.h"
#include "ui/AFramedWnd.h"
#include "ui/ARadioGroup.h"
#include "ui/OClipButton.h"
#include "audio/OMusic.h"
#include "audio/OSound.h"
#include "ui/AProgressBar.h"
#include "ui/OClipCheckBox.h"

namespace {

using flowtest::FlowRig;

// Opens the menu through its text and chooses an item.
bool menuChoice(FlowRig& rig, const std::string& item) {
  const AClipString* menu = rig.main()->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  if (!rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); })) return false;
  return rig.clickText(item);
}

TEST(FlowVariants, CollectorRemoverAndTurnPlayEachPlay) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  struct Case {
    int radio;
    int kind;
    const char* caption;
  } cases[] = {{5, 0, "Collector"}, {4, 2, "Remover"}, {8, 3, "Turn Play"}};
  bool first = true;
  for (const Case& c : cases) {
    if (!first) {
      ASSERT_TRUE(menuChoice(rig, "Pick Game"));
    }
    first = false;
    ASSERT_TRUE(rig.pick(c.radio)) << c.caption;
    ASSERT_TRUE(rig.waitPlaying()) << c.caption;
    AGameWnd* game = rig.main()->game();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->kind, c.kind);
    ASSERT_NE(game->variantCaption(), nullptr);
    EXPECT_EQ(game->variantCaption()->text(), c.caption);
    EXPECT_EQ(game->score, 0);
    ASSERT_TRUE(rig.playMoves(3)) << c.caption;
    EXPECT_GT(game->score, 0) << c.caption;
    rig.run(900);
    rig.shot(std::string("flow3_") + std::to_string(c.kind) + "_" + c.caption);
  }
}

TEST(FlowVariants, ChangingTheLevelAsksForANewGame) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(5));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(rig.playMoves(1));
  AMainWnd* main = rig.main();
  OClipButton* options = main->button(AMainWnd::kOptions);
  rig.click(int(options->x) + options->width / 2, int(options->y) + options->height / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == main->game()->optionsScreen(); }));
  auto* screen = static_cast<SpaceSinkra::ASinkraOptionsWnd*>(rig.current());
  rig.run(1500);
  rig.shot("flow3_options");
  EXPECT_EQ(screen->level(), 0);
  // "Expert" is the second skill radio.
  rig.click(screen->x() + 60 + 15, screen->y() + 105 + 15);
  EXPECT_EQ(screen->level(), 1);
  // Unticked together with the level: it must survive the restart question.
  ASSERT_TRUE(main->settings().globalAutosave);
  rig.click(screen->x() + 400 + 15, screen->y() + 65 + 15);
  ASSERT_TRUE(rig.clickText("OK"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Restart); }));
  rig.run(1200);
  rig.shot("flow3_restart");
  ASSERT_NE(rig.findText("Start new Game?"), nullptr);
  ASSERT_TRUE(rig.clickText("Yes"));
  ASSERT_TRUE(rig.waitPlaying());
  rig.run(300);
  EXPECT_EQ(main->game()->level, 1);
  EXPECT_FALSE(main->settings().globalAutosave);
  EXPECT_EQ(main->game()->score, 0);
  EXPECT_FALSE(main->newGameNeeded);
  ASSERT_NE(main->game()->levelCaption(), nullptr);
  EXPECT_EQ(main->game()->levelCaption()->text(), "expert");
}

TEST(FlowVariants, OptionsCancelRestoresVolumesAndOkTakesSkins) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  AMainWnd* main = rig.main();
  OClipButton* options = main->button(AMainWnd::kOptions);
  auto open = [&] {
    rig.click(int(options->x) + options->width / 2, int(options->y) + options->height / 2);
    EXPECT_TRUE(rig.runUntil([&] { return rig.current() == main->game()->optionsScreen(); }));
    rig.settle();
    return static_cast<SpaceSinkra::ASinkraOptionsWnd*>(rig.current());
  };
  auto* screen = open();
  int soundBefore = main->sound()->volume();
  int musicBefore = main->music()->volume();
  OClip* last = screen->soundBar()->cell(9);
  rig.click(screen->x() + int(last->x) + 5, screen->y() + int(last->y) + 5);
  EXPECT_EQ(main->sound()->volume(), 65535);
  OClip* first = screen->musicBar()->cell(0);
  rig.click(screen->x() + int(first->x) + 5, screen->y() + int(first->y) + 5);
  EXPECT_EQ(main->music()->volume(), 0);
  ASSERT_TRUE(rig.clickText("Cancel"));
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_EQ(main->sound()->volume(), soundBefore);
  EXPECT_EQ(main->music()->volume(), musicBefore);

  screen = open();
  // The first colour's sample moves on to the next picture set; explosions off.
  rig.click(screen->x() + 300 + 20, screen->y() + 240 + 20);
  EXPECT_EQ(screen->skin(0), 1);
  OClip* box = screen->box(AOptionsWnd::kExplosion);
  rig.click(screen->x() + int(box->x) + 10, screen->y() + int(box->y) + 10);
  ASSERT_TRUE(rig.clickText("OK"));
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_EQ(main->game()->skins[0], 1);
  EXPECT_FALSE(main->game()->explosionEffect());
  EXPECT_FALSE(main->newGameNeeded);
}

}  // namespace

namespace {

// The family options rows the three families share: level labels 50 right
// of and 5 below their boxes, "Low" 10 left of the speed bar and 43 below
// its top, as under the volume bars.
TEST(FlowVariants, FamilyOptionsPlaceTheirLabelsBesideTheirBoxes) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  struct Case {
    int radio;
    int lowX, lowY;
  } cases[] = {{0, 280, 305}, {5, 290, 345}, {9, 340, 305}};
  bool first = true;
  for (const Case& c : cases) {
    if (!first) {
      ASSERT_TRUE(menuChoice(rig, "Pick Game"));
    }
    first = false;
    ASSERT_TRUE(rig.pick(c.radio)) << c.radio;
    ASSERT_TRUE(rig.waitPlaying()) << c.radio;
    AMainWnd* main = rig.main();
    OClipButton* options = main->button(AMainWnd::kOptions);
    rig.click(int(options->x) + options->width / 2, int(options->y) + options->height / 2);
    ASSERT_TRUE(rig.runUntil([&] { return rig.current() == main->game()->optionsScreen(); })) << c.radio;
    rig.settle();
    const char* names[3] = {"Novice", "Expert", "Master"};
    for (int l = 0; l < 3; ++l) {
      const AClipString* label = rig.findText(names[l]);
      ASSERT_NE(label, nullptr) << c.radio << " " << names[l];
      EXPECT_EQ(label->x(), 60 + 50) << c.radio << " " << names[l];
      EXPECT_EQ(label->y(), 65 + 40 * l + 5) << c.radio << " " << names[l];
    }
    const AClipString* low = nullptr;
    for (AClipString* t : static_cast<AFramedWnd*>(rig.current())->texts())
      if (t->text() == "Low" && (!low || t->y() < low->y())) low = t;  // the speed bar's, above the volumes'
    ASSERT_NE(low, nullptr) << c.radio;
    EXPECT_EQ(low->x(), c.lowX) << c.radio;
    EXPECT_EQ(low->y(), c.lowY) << c.radio;
    ASSERT_TRUE(rig.clickText("Cancel")) << c.radio;
    ASSERT_TRUE(rig.waitPlaying()) << c.radio;
  }
}

}  // namespace
