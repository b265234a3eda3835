#include <gtest/gtest.h>

#include "platform/Random.h"
#include "tests/app/EngineTestSupport.h"

using namespace enginetest;

namespace {

struct DrawTest : ::testing::Test {
  DrawTest() {
    screen.redrawMode = OEngine::kRedrawDirty;
    screen.backgroundColour = 0x000080;
  }
  OClip* add(int x, int y, int w, int h, uint32_t colour) {
    OClip* c = makeClip(w, h, colour).release();
    c->x = x;
    c->y = y;
    screen.addClip(c);
    return c;
  }
  void openScreen() {
    screen.open(&rig.window.app().currentScreen);
    rig.platform.blitAreas.clear();
  }
  uint32_t windowPixel(int x, int y) { return rig.platform.content()[y * 800 + x]; }
  using Area = zb::HeadlessWindow::Area;
  static bool same(const Area& a, int l, int t, int r, int b) {
    return a.left == l && a.top == t && a.right == r && a.bottom == b;
  }

  Rig rig;
  LogScreen screen{rig.window, rig.journal, "s"};
};

}  // namespace

TEST(DirtyList, MergesOnlyStrictOverlapsAndReusesNodes) {
  ODirtyList list;
  list.add(ORect{0, 0, 10, 10});
  list.add(ORect{10, 0, 20, 10});  // touches: kept apart
  EXPECT_EQ(list.size(), 2);
  list.add(ORect{5, 5, 15, 8});  // overlaps both: one union
  ASSERT_EQ(list.size(), 1);
  list.forEach([](const ORect& r) {
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 20);
    EXPECT_EQ(r.bottom, 10);
  });
  list.add(ORect{3, 3, 3, 9});  // empty: not added
  EXPECT_EQ(list.size(), 1);
  list.add(ORect{30, 30, 31, 31});
  list.add(ORect{40, 30, 41, 31});
  int grown = list.capacity();
  for (int frame = 0; frame < 50; ++frame) {
    list.clear();
    for (int i = 0; i < 3; ++i) list.add(ORect{i * 10, 0, i * 10 + 5, 5});
  }
  EXPECT_EQ(list.capacity(), grown);
  EXPECT_EQ(list.size(), 3);
}

TEST_F(DrawTest, OverlappingChangesMergeIntoOneRectangle) {
  OClip* a = add(10, 10, 20, 20, 0xFF0000);
  OClip* b = add(25, 10, 20, 20, 0x00FF00);
  openScreen();
  a->x = 12;
  b->x = 26;
  screen.tick(30);
  ASSERT_EQ(rig.platform.blitAreas.size(), 1u);
  EXPECT_TRUE(same(rig.platform.blitAreas[0], 10, 10, 46, 30));
  EXPECT_EQ(windowPixel(10, 15), 0x000080u);  // uncovered by a's move
  EXPECT_EQ(windowPixel(12, 15), 0xFF0000u);
  EXPECT_EQ(windowPixel(45, 15), 0x00FF00u);  // b is later in the list: in front
}

TEST_F(DrawTest, TouchingChangesStayTwoRectangles) {
  OClip* a = add(10, 10, 20, 20, 0xFF0000);
  OClip* b = add(30, 10, 20, 20, 0x00FF00);
  openScreen();
  a->setOpacity(100);
  b->setOpacity(100);
  screen.tick(30);
  ASSERT_EQ(rig.platform.blitAreas.size(), 2u);
  EXPECT_TRUE(same(rig.platform.blitAreas[0], 10, 10, 30, 30));
  EXPECT_TRUE(same(rig.platform.blitAreas[1], 30, 10, 50, 30));
}

TEST_F(DrawTest, UnchangedScreenSendsNothing) {
  add(10, 10, 20, 20, 0xFF0000);
  openScreen();
  screen.tick(30);
  EXPECT_TRUE(rig.platform.blitAreas.empty());
}

TEST_F(DrawTest, ClipShownAgainIsRedrawnAndHiddenOneErased) {
  OClip* a = add(10, 10, 20, 20, 0xFF0000);
  a->visible = false;
  openScreen();
  EXPECT_EQ(windowPixel(15, 15), 0x000080u);
  a->visible = true;
  screen.tick(30);
  EXPECT_EQ(windowPixel(15, 15), 0xFF0000u);
  a->visible = false;
  screen.tick(30);
  EXPECT_EQ(windowPixel(15, 15), 0x000080u);
}

TEST_F(DrawTest, RemovedClipErasesOldAndNewPlace) {
  OClip* a = add(0, 0, 10, 10, 0xFF0000);
  openScreen();
  a->x = 50;
  screen.removeClip(a, true);
  ASSERT_EQ(screen.dirtyList().size(), 1);
  screen.dirtyList().forEach([](const ORect& r) {
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 10);
  });
  screen.tick(30);
  EXPECT_EQ(windowPixel(5, 5), 0x000080u);
}

TEST_F(DrawTest, SkipNextDrawSkipsOneTick) {
  OClip* a = add(0, 0, 10, 10, 0xFF0000);
  openScreen();
  a->x = 20;
  screen.skipNextDraw = true;
  screen.tick(30);
  EXPECT_TRUE(rig.platform.blitAreas.empty());
  EXPECT_FALSE(screen.skipNextDraw);
  screen.tick(30);
  EXPECT_FALSE(rig.platform.blitAreas.empty());
}

TEST_F(DrawTest, FullRedrawModeAndOffscreenScreens) {
  add(0, 0, 10, 10, 0xFF0000);
  screen.redrawMode = OEngine::kRedrawAll;
  openScreen();
  screen.tick(30);
  ASSERT_EQ(rig.platform.blitAreas.size(), 1u);
  EXPECT_TRUE(same(rig.platform.blitAreas[0], 0, 0, 800, 600));
  screen.drawToWindow = false;
  screen.tick(30);
  EXPECT_EQ(rig.platform.blitAreas.size(), 1u);
  EXPECT_EQ(screen.backBuffer()->pixel(5, 5), 0xFF0000u);
}

TEST_F(DrawTest, ScreenOffsetPlacesItsPictureInTheWindow) {
  LogScreen dialog(rig.window, rig.journal, "d", 100, 50, 200, 100);
  dialog.backgroundColour = 0x112233;
  OClip* c = makeClip(10, 10, 0xFFFF00).release();
  dialog.addClip(c);
  dialog.open(&rig.window.app().currentScreen);
  EXPECT_EQ(windowPixel(105, 55), 0xFFFF00u);
  EXPECT_EQ(windowPixel(150, 120), 0x112233u);
  EXPECT_EQ(windowPixel(99, 55), 0xFFFFFFu);  // outside the dialog: untouched
  dialog.close(0);
}

TEST_F(DrawTest, ClosedScreenDrawsNothing) {
  add(0, 0, 10, 10, 0xFF0000);
  screen.redrawAll();
  screen.redrawDirty();
  EXPECT_TRUE(rig.platform.blitAreas.empty());
}

TEST_F(DrawTest, ClipNeverDrawnDirtiesOnlyWhereItIs) {
  openScreen();
  OClip* a = add(300, 200, 10, 10, 0xFF0000);
  screen.removeClip(a, true);
  ASSERT_EQ(screen.dirtyList().size(), 1);
  screen.dirtyList().forEach([](const ORect& r) {
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right, 310);
  });
}

// More clips than one word of overlap bits, stacked and moving: the dirty
// redraw must leave exactly the picture a full redraw paints, depth order
// included.
TEST_F(DrawTest, DirtyRedrawOfManyStackedClipsEqualsFullRedraw) {
  zb::seedRandom(3);
  std::vector<OClip*> clips;
  for (int i = 0; i < 150; ++i)
    clips.push_back(add(zb::random(300), zb::random(200), 8 + zb::random(40), 8 + zb::random(40),
                        uint32_t(zb::random(0x1000000))));
  openScreen();
  for (int round = 0; round < 5; ++round) {
    for (int k = 0; k < 12; ++k) {
      OClip* c = clips[size_t(zb::random(150))];
      c->x = zb::random(320);
      c->y = zb::random(220);
      c->visible = zb::random(5) != 0;
    }
    screen.redrawDirty();
    const std::vector<uint32_t> dirty(rig.platform.content(), rig.platform.content() + 800 * 600);
    screen.redrawAll();
    const std::vector<uint32_t> full(rig.platform.content(), rig.platform.content() + 800 * 600);
    ASSERT_TRUE(dirty == full) << "round " << round;
  }
}
