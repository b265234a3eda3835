#include <gtest/gtest.h>

#include "platform/KeyCodes.h"
#include "tests/app/EngineTestSupport.h"

using namespace enginetest;

namespace {

struct InputTest : ::testing::Test {
  TestControl* control(int x, int y) {
    auto* c = new TestControl();
    c->x = x;
    c->y = y;
    screen.addControl(c);
    return c;
  }
  Rig rig;
  LogScreen screen{rig.window, rig.journal, "s", 100, 50, 400, 300};
};

}  // namespace

TEST_F(InputTest, PointerCoordinatesAreScreenRelativeAndInvisibleControlsSkipped) {
  TestControl* a = control(10, 10);
  TestControl* b = control(10, 10);
  b->visible = false;
  EXPECT_EQ(screen.onMouseMove(115, 65), a);
  EXPECT_EQ(a->lastX, 15);
  EXPECT_EQ(a->lastY, 15);
  EXPECT_EQ(b->lastX, -1);
  EXPECT_FALSE(a->lastLeftHeld);
  screen.onLButtonDown(115, 65);
  EXPECT_TRUE(screen.leftButtonHeld());
  screen.onMouseMove(116, 65);
  EXPECT_TRUE(a->lastLeftHeld);
}

TEST_F(InputTest, LastControlThatAnswersIsTheResult) {
  TestControl* a = control(0, 0);
  TestControl* b = control(5, 5);
  EXPECT_EQ(screen.onMouseMove(107, 57), b);
  EXPECT_EQ(screen.onMouseMove(102, 52), a);
  EXPECT_EQ(screen.onLButtonDown(107, 57), b);
  EXPECT_TRUE(a->pressed);
  EXPECT_TRUE(b->pressed);
}

TEST_F(InputTest, ReleaseClicksFirstPressedControlAndStops) {
  TestControl* a = control(0, 0);
  TestControl* b = control(0, 0);
  TestControl* c = control(0, 0);
  b->pressed = true;
  c->pressed = true;
  EXPECT_EQ(screen.onLButtonUp(105, 55), b);
  EXPECT_EQ(screen.clicked, b);
  EXPECT_TRUE(b->pressed);   // kept for the screen to see
  EXPECT_TRUE(c->pressed);   // never reached
  EXPECT_FALSE(a->pressed);
  EXPECT_FALSE(screen.leftButtonHeld());
}

TEST_F(InputTest, ReleaseOutsideClearsPressedWithoutClick) {
  TestControl* a = control(0, 0);
  a->pressed = true;
  EXPECT_EQ(screen.onLButtonUp(300, 300), nullptr);
  EXPECT_FALSE(a->pressed);
  EXPECT_EQ(screen.clicked, nullptr);
}

TEST_F(InputTest, TabWithoutFocusDoesNothing) {
  TestControl* a = control(0, 0);
  TestControl* b = control(30, 0);
  screen.onKeyDown(zb::vk::Tab, 0);
  EXPECT_FALSE(a->focused);
  EXPECT_FALSE(b->focused);
  EXPECT_TRUE(a->keys.empty());
}

TEST_F(InputTest, TabMovesFocusOnAndWrapsFromLastToFirst) {
  TestControl* a = control(0, 0);
  TestControl* b = control(30, 0);
  TestControl* c = control(60, 0);
  a->focused = true;
  screen.onKeyDown(zb::vk::Tab, 0);
  EXPECT_FALSE(a->focused);
  EXPECT_TRUE(b->focused);
  screen.onKeyDown(zb::vk::Tab, zb::ModShift);
  EXPECT_TRUE(c->focused);
  screen.onKeyDown(zb::vk::Tab, 0);
  EXPECT_TRUE(a->focused);
  EXPECT_FALSE(b->focused);
  EXPECT_FALSE(c->focused);
}

namespace {

// Keeps its focus whatever it is told.
struct StickyControl : TestControl {
  void setFocus(bool) override { focused = true; }
};

}  // namespace

TEST_F(InputTest, TabEndsEvenWhenControlsKeepTheirFocus) {
  auto* a = new StickyControl();
  auto* b = new StickyControl();
  b->focused = true;
  screen.addControl(a);
  screen.addControl(b);
  screen.onKeyDown(zb::vk::Tab, 0);  // wraps onto a and must still return
  EXPECT_TRUE(a->focused);
}

TEST_F(InputTest, PasteFeedsAtMostHundredCharactersToFocusedControls) {
  TestControl* a = control(0, 0);
  TestControl* b = control(30, 0);
  TestControl* idle = control(60, 0);
  a->focused = b->focused = true;
  rig.platform.clipboard = std::string(150, 'x');
  rig.platform.clipboard[0] = 'A';
  screen.onKeyDown('V', zb::ModCtrl);
  EXPECT_EQ(a->typed.size(), 100u);
  EXPECT_EQ(a->typed[0], 'A');
  EXPECT_EQ(b->typed, a->typed);
  EXPECT_TRUE(idle->typed.empty());
  EXPECT_TRUE(a->keys.empty());  // the paste key itself is not passed on
}

TEST_F(InputTest, PasteKeysAndPlainKeys) {
  TestControl* a = control(0, 0);
  a->focused = true;
  rig.platform.clipboard = "ab";
  screen.onKeyDown(zb::vk::Insert, zb::ModShift);
  screen.onKeyDown(zb::vk::Numpad0, zb::ModShift);
  EXPECT_EQ(a->typed, "abab");
  screen.onKeyDown('V', 0);
  screen.onKeyDown(zb::vk::Insert, 0);
  EXPECT_EQ(a->keys, (std::vector<int>{'V', zb::vk::Insert}));
  screen.onChar(0xE9, zb::ModShift);
  EXPECT_EQ(a->typed.back(), static_cast<char>(0xE9));
}

TEST_F(InputTest, ShapedHitTestIgnoresKeyColouredPixels) {
  TestControl* a = control(0, 0);
  a->shaped = true;
  OBitmap* img = a->currentImage();
  img->setPixel(3, 4, 0xFF00FF);
  img->colourKey = 0xFF00FF;
  EXPECT_FALSE(a->hitTest(3, 4));
  EXPECT_TRUE(a->hitTest(4, 4));
  a->shaped = false;
  EXPECT_TRUE(a->hitTest(3, 4));
  EXPECT_TRUE(a->hitTest(20, 20));   // both ends count
  EXPECT_FALSE(a->hitTest(21, 20));
}
