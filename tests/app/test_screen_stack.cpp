#include <gtest/gtest.h>

#include "tests/app/EngineTestSupport.h"

using namespace enginetest;

namespace {

struct StackTest : ::testing::Test {
  Rig rig;
  OEngine*& current = rig.window.app().currentScreen;
  LogScreen below{rig.window, rig.journal, "below"};
  LogScreen dialog{rig.window, rig.journal, "dialog", 100, 100, 200, 200};
};

}  // namespace

TEST_F(StackTest, OpenPushesOverTheCurrentScreen) {
  below.open(&current);
  rig.platform.cursorX = 150;
  rig.platform.cursorY = 120;
  rig.journal.clear();
  dialog.open(&current);
  EXPECT_EQ(current, &dialog);
  EXPECT_EQ(dialog.previousScreen(), &below);
  EXPECT_TRUE(below.skipNextDraw);
  EXPECT_TRUE(dialog.isOpen());
  // Hover states are right at once.
  EXPECT_EQ(rig.journal, std::vector<std::string>{"dialog.move 150,120"});
}

namespace {

// Notes how many blits the window had seen when the pointer news arrived.
struct ProbeScreen : LogScreen {
  ProbeScreen(Rig& rig) : LogScreen(rig.window, rig.journal, "below"), platform(rig.platform) {}
  OClipControl* onMouseMove(int x, int y) override {
    blitsAtMove = platform.blits;
    return LogScreen::onMouseMove(x, y);
  }
  zb::HeadlessWindow& platform;
  int blitsAtMove = -1;
};

}  // namespace

TEST_F(StackTest, ChildClosedComesAfterRedrawAndMouseMove) {
  ProbeScreen probe(rig);
  OClip* marker = makeClip(10, 10, 0x00FF00).release();
  marker->x = 150;
  marker->y = 150;
  probe.addClip(marker);
  probe.open(&current);
  dialog.backgroundColour = 0xFF0000;
  dialog.open(&current);
  EXPECT_EQ(rig.platform.content()[155 * 800 + 155], 0xFF0000u);
  rig.platform.cursorX = 5;
  rig.platform.cursorY = 6;
  rig.journal.clear();
  int blitsBeforeClose = rig.platform.blits;
  dialog.close(3);
  EXPECT_GT(probe.blitsAtMove, blitsBeforeClose);  // redrawn before the move
  EXPECT_EQ(rig.journal, (std::vector<std::string>{"below.move 5,6", "below.childClosed 3"}));
  EXPECT_EQ(rig.platform.content()[155 * 800 + 155], 0x00FF00u);
  EXPECT_EQ(current, &probe);
  EXPECT_FALSE(dialog.isOpen());
  EXPECT_EQ(dialog.previousScreen(), nullptr);
  EXPECT_TRUE(dialog.skipNextDraw);
}

TEST_F(StackTest, ClosingTheBottomScreenKeepsTheSlot) {
  below.open(&current);
  below.close(0);
  EXPECT_EQ(current, &below);
  EXPECT_FALSE(below.isOpen());
}

TEST_F(StackTest, SetBoundsRemakesAnExistingBackBuffer) {
  dialog.setBounds(10, 20, 50, 40);
  EXPECT_EQ(dialog.backBuffer(), nullptr);
  dialog.open(&current);
  dialog.setBounds(0, 0, 60, 30);
  ASSERT_NE(dialog.backBuffer(), nullptr);
  EXPECT_EQ(dialog.backBuffer()->width(), 60);
  EXPECT_EQ(dialog.backBuffer()->height(), 30);
}

TEST_F(StackTest, OpeningTheCurrentScreenAgainKeepsTheScreenBelow) {
  below.open(&current);
  dialog.open(&current);
  dialog.open(&current);
  EXPECT_EQ(dialog.previousScreen(), &below);  // never its own previous screen
  rig.journal.clear();
  dialog.close(1);
  EXPECT_EQ(current, &below);
  EXPECT_EQ(rig.journal.back(), "below.childClosed 1");
}
