#include <gtest/gtest.h>

#include "tests/app/EngineTestSupport.h"

using namespace enginetest;

namespace {

struct TickTest : ::testing::Test {
  Rig rig;
  LogScreen screen{rig.window, rig.journal, "s"};
  OClip* add(std::unique_ptr<OClip> clip) {
    OClip* raw = clip.release();
    screen.addClip(raw);
    return raw;
  }
};

}  // namespace

TEST_F(TickTest, FreeMotionTakesWholeStepsCappedAtFive) {
  OClip* c = add(makeClip(4, 4));
  c->vx = 1;
  c->vy = -2;
  c->vz = 0.5;
  screen.tick(200);  // 6.67 frames, but at most 5 steps
  EXPECT_DOUBLE_EQ(c->x, 5);
  EXPECT_DOUBLE_EQ(c->y, -10);
  EXPECT_DOUBLE_EQ(c->z, 2.5);
  screen.tick(59);  // one whole step only
  EXPECT_DOUBLE_EQ(c->x, 6);
  screen.tick(29);  // no whole step
  EXPECT_DOUBLE_EQ(c->x, 6);
  c->moves = false;
  screen.tick(90);
  EXPECT_DOUBLE_EQ(c->x, 6);
}

TEST_F(TickTest, VerticalWaypointKeepsTinySidewaysSpeedAndArrivesExactly) {
  OClip* c = add(makeClip(4, 4));
  c->x = 10;
  c->y = 10;
  c->addWaypoint(OWaypoint{10, 100, 7, 4});
  screen.tick(30);
  EXPECT_DOUBLE_EQ(c->vx, 0.00001);
  EXPECT_DOUBLE_EQ(c->vy, 4);
  EXPECT_DOUBLE_EQ(c->y, 14);
  for (int i = 0; i < 40 && !c->waypoints.empty(); ++i) screen.tick(30);
  EXPECT_TRUE(c->waypoints.empty());
  EXPECT_EQ(c->x, 10.0);
  EXPECT_EQ(c->y, 100.0);
  EXPECT_EQ(c->vx, 0.0);
  EXPECT_EQ(c->vy, 0.0);
  EXPECT_EQ(rig.journal.back(), "s.arrived 7");
}

TEST_F(TickTest, DiagonalWaypointsReportPassingAndArrival) {
  OClip* c = add(makeClip(4, 4));
  c->addWaypoint(OWaypoint{30, 40, 1, 5});  // 50 away at 5 a step
  c->addWaypoint(OWaypoint{30, 0, 2, 100});
  screen.tick(30);
  EXPECT_NEAR(c->x, 3, 1e-9);
  EXPECT_NEAR(c->y, 4, 1e-9);
  screen.tick(150);  // five steps: 25 more, still short of 50
  EXPECT_NEAR(c->x, 18, 1e-9);
  screen.tick(150);  // would overshoot: lands exactly
  EXPECT_EQ(c->x, 30.0);
  EXPECT_EQ(c->y, 40.0);
  ASSERT_EQ(rig.journal.size(), 1u);
  EXPECT_EQ(rig.journal[0], "s.waypoint 1");
  screen.tick(30);
  EXPECT_EQ(c->y, 0.0);
  EXPECT_EQ(rig.journal.back(), "s.arrived 2");
}

TEST_F(TickTest, WaypointDoesNotMoveWithoutAWholeStep) {
  OClip* c = add(makeClip(4, 4));
  c->addWaypoint(OWaypoint{50, 0, 0, 5});
  screen.tick(10);
  EXPECT_EQ(c->x, 0.0);
  EXPECT_EQ(c->waypoints.size(), 1u);
}

TEST_F(TickTest, ExpiredClipLeavesInTheSameTickAndTheNextIsStillProcessed) {
  OClip* a = add(makeClip(4, 4));
  OClip* b = add(makeClip(4, 4));
  a->lifetime = 30;
  b->vx = 2;
  screen.tick(30);
  ASSERT_EQ(screen.clips().size(), 1u);
  EXPECT_EQ(screen.clips()[0], b);
  EXPECT_DOUBLE_EQ(b->x, 2);
  EXPECT_EQ(rig.journal, std::vector<std::string>{"s.expired"});
}

TEST_F(TickTest, LifetimeRunsOnRealElapsedTime) {
  OClip* a = add(makeClip(4, 4));
  a->lifetime = 100;
  screen.tick(70);
  EXPECT_EQ(a->lifetime, 30);
  EXPECT_EQ(screen.clips().size(), 1u);
  screen.tick(45);
  EXPECT_TRUE(screen.clips().empty());
}

TEST_F(TickTest, SortIsStableLargestDepthFirst) {
  OClip* a = add(makeClip(2, 2));
  OClip* b = add(makeClip(2, 2));
  OClip* c = add(makeClip(2, 2));
  OClip* d = add(makeClip(2, 2));
  a->z = 1;
  b->z = 5;
  c->z = 1;
  d->z = 5;
  screen.sortClips();
  EXPECT_EQ(screen.clips(), (std::vector<OClip*>{b, d, a, c}));
}

TEST_F(TickTest, EmptyClipsAreRefused) {
  auto empty = std::make_unique<OClip>();
  screen.addClip(empty.get());
  EXPECT_TRUE(screen.clips().empty());
}

TEST_F(TickTest, RemoveExpiredTakesOnlyLifetimeZero) {
  OClip* a = add(makeClip(2, 2));
  OClip* b = add(makeClip(2, 2));
  OClip* c = add(makeClip(2, 2));
  a->lifetime = 0;
  b->lifetime = -1;
  c->lifetime = 0;
  screen.removeExpiredClips(false);
  EXPECT_EQ(screen.clips(), std::vector<OClip*>{b});
  EXPECT_EQ(a->lifetime, -1);
  delete a;
  delete c;
}

namespace {

// A clip that notes its removal notification and its deletion.
struct NotingClip : OClip {
  explicit NotingClip(std::vector<std::string>& journal) : journal(journal) {
    auto frame = std::make_unique<OBitmap>();
    frame->create(4, 4, 0xFF0000);
    addImage(std::move(frame));
  }
  ~NotingClip() override { journal.push_back("deleted"); }
  void onRemoved() override { journal.push_back("removed"); }
  std::vector<std::string>& journal;
};

// A screen that deletes clips from inside its notifications, as a game
// tidying up finished sprites would.
struct TidyScreen : LogScreen {
  using LogScreen::LogScreen;
  void onClipExpired(OClip* clip) override {
    LogScreen::onClipExpired(clip);
    removeClip(clip, true);
  }
  void onClipArrived(OClip* clip, const OWaypoint& wp) override {
    LogScreen::onClipArrived(clip, wp);
    removeClip(clip, true);
    // Freed memory is usually handed out again at once: a stray write to
    // the deleted clip would land in this one.
    replacement = std::make_unique<NotingClip>(journal);
    replacement->vx = 7;
  }
  std::vector<std::string> journal;  // declared first: outlives the replacement
  std::unique_ptr<NotingClip> replacement;
};

}  // namespace

TEST_F(TickTest, ClipsDeletedByTheScreenDuringTheTickAreLeftAlone) {
  TidyScreen tidy{rig.window, rig.journal, "t"};
  auto* expiring = new NotingClip(tidy.journal);
  auto* arriving = new NotingClip(tidy.journal);
  OClip* after = makeClip(4, 4).release();
  tidy.addClip(expiring);
  tidy.addClip(arriving);
  tidy.addClip(after);
  expiring->lifetime = 30;
  arriving->addWaypoint(OWaypoint{1, 0, 5, 10});
  after->vx = 3;
  tidy.tick(30);
  EXPECT_EQ(tidy.journal, (std::vector<std::string>{"deleted", "deleted"}));  // no call after deletion
  ASSERT_EQ(tidy.clips().size(), 1u);
  EXPECT_EQ(tidy.clips()[0], after);
  EXPECT_DOUBLE_EQ(after->x, 3);  // the clip behind them still moved
  ASSERT_NE(tidy.replacement, nullptr);
  EXPECT_EQ(tidy.replacement->vx, 7);
  EXPECT_EQ(rig.journal, (std::vector<std::string>{"t.expired", "t.arrived 5"}));
}

TEST_F(TickTest, AClipAddedTwiceIsHeldOnceSoDeletingItLeavesNoDanglingEntry) {
  OClip* a = add(makeClip(2, 2));
  screen.addClip(a);
  auto* control = new TestControl;
  screen.addControl(control);
  screen.addControl(control);
  EXPECT_EQ(screen.clips().size(), 2u);
  EXPECT_EQ(screen.controls().size(), 1u);
  screen.removeClip(a, true);
  screen.removeControl(control, true);
  EXPECT_TRUE(screen.clips().empty());
  EXPECT_TRUE(screen.controls().empty());
  screen.tick(30);
}

// A screen is at rest only while a tick would change nothing on it.
TEST_F(TickTest, AtRestOnlyWhileNothingMovesAnimatesExpiresOrWaitsToBeDrawn) {
  screen.redrawMode = OEngine::kRedrawDirty;
  screen.restful = true;
  OClip* still = add(makeClip(4, 4));
  EXPECT_FALSE(screen.atRest());  // never drawn yet
  screen.tick(30);
  EXPECT_TRUE(screen.atRest());
  still->x = 50;  // moved by hand: drawn at the next tick
  EXPECT_FALSE(screen.atRest());
  screen.tick(30);
  EXPECT_TRUE(screen.atRest());

  still->vx = 1;
  EXPECT_FALSE(screen.atRest());
  still->vx = 0;
  still->lifetime = 500;
  EXPECT_FALSE(screen.atRest());
  still->lifetime = -1;

  // Two frames that advance on their own; stopped, they are still.
  OClip* film = add(makeClip(4, 4, 0x00FF00));
  film->addImage(*makeClip(4, 4, 0x0000FF)->images[0]);
  screen.tick(30);
  EXPECT_FALSE(screen.atRest());
  film->stopped = true;
  screen.tick(30);
  EXPECT_TRUE(screen.atRest());
}
