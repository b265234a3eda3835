#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "gyrex/RFieldPlayer.h"
#include "platform/Random.h"
#include "storage/OConfig.h"
#include "tests/gyrex/VisualFieldRig.h"

namespace {

using gyrextest::Snapshot;
using gyrextest::VisualRig;
using SpaceGyrex::RRecorder;
using SpaceGyrex::RRules;
using SpaceGyrex::RVisualField;

// Rules under which no turn destroys anything: moves only turn.
RRules quietRules() {
  RRules r;
  r.colorCount = 3;
  r.colorDestroy = 100;
  return r;
}

bool atRest(const RVisualField& f) {
  bool waiting = f.state == RVisualField::kIdle || f.state == RVisualField::kPlayLead ||
                 f.state == RVisualField::kPlayMove;
  return waiting && !f.rowPending;
}

TEST(GyrexPlayback, CursorLeadsEachMoveByLAndAtLeastS) {
  for (int speed : {0, 4}) {
    zb::seedRandom(3);
    VisualRig rig(0, quietRules());
    RVisualField& f = rig.field;
    f.speed = speed;
    rig.newGame();
    rig.recorder.Reset();
    rig.recorder.TakeField(f);
    rig.recorder.AddMove(0, 11, true, 10000);
    rig.recorder.AddMove(1, 11, true, 10010);  // closer than S to the first
    f.startPlayback();
    const int lead = RVisualField::leadTime(speed), shortLead = RVisualField::shortLeadTime(speed);
    EXPECT_EQ(lead, speed == 0 ? 750 : 150);
    EXPECT_EQ(shortLead, speed == 0 ? 250 : 50);
    EXPECT_EQ(f.clock, 10000 - 2 * lead) << "a long wait before the first move is cut to 2 x L";

    int shown[2] = {-1, -1}, moved[2] = {-1, -1};
    for (int t = 1; t < 20000 && rig.recorder.index < 2; ++t) {
      size_t before = rig.recorder.index;
      f.Update(1);
      const OClip* cursor = f.cursorSprite(0);
      for (int e = 0; e < 2; ++e) {
        if (shown[e] < 0 && before == size_t(e) && cursor->visible && cursor->x == f.elementX(e)) shown[e] = t;
      }
      if (rig.recorder.index > before) moved[before] = t;
    }
    EXPECT_NEAR(moved[0] - shown[0], lead, 1) << "speed " << speed;
    EXPECT_NEAR(moved[1] - shown[1], shortLead, 1) << "speed " << speed;
  }
}

TEST(GyrexPlayback, ReplayReproducesSeededGamesOfEveryKind) {
  RRules rules[3];
  rules[0].colorCount = 2, rules[0].startLineCount = 3;
  rules[1].colorCount = 2, rules[1].startLineCount = 8, rules[1].elemsToAdd = 6;
  rules[2].colorCount = 3, rules[2].startLineCount = 6, rules[2].addTimeMin = 300, rules[2].addTimeMax = 900;
  rules[2].elemsToAdd = 4;
  for (int kind = 0; kind < 3; ++kind) {
    zb::seedRandom(uint32_t(40 + kind));
    VisualRig rig(kind, rules[kind]);
    RVisualField& f = rig.field;
    f.speed = 2;
    rig.newGame();
    std::map<size_t, Snapshot> recorded;
    auto step = [&](int ms) {
      f.Update(ms);
      if (f.state == RVisualField::kIdle && !f.rowPending) recorded[rig.recorder.events.size()] = gyrextest::snapshot(f);
    };
    recorded[0] = gyrextest::snapshot(f);
    for (int moves = 0; moves < 400 && !f.gameOver; ++moves) {
      for (int t = 0, think = 300 + zb::random(900); t < think && !f.gameOver; t += 30) step(30);
      for (int t = 0; t < 60000 && !f.gameOver && !(f.state == RVisualField::kIdle && !f.rowPending); t += 30) step(30);
      SpaceGyrex::RMove m;
      if (f.gameOver || !SpaceGyrex::RFieldPlayer::Choose(f, m)) break;
      ASSERT_TRUE(f.applyMove(m.column, m.row, m.clockwise));
    }
    for (int t = 0; t < 60000 && !f.gameOver; t += 30) step(30);
    const std::string text = f.ElementsText();
    ASSERT_TRUE(f.gameOver) << "kind " << kind << ": the seeded game ends by itself after "
                            << rig.recorder.events.size() << " events, hint " << f.FindHint() << " state " << f.state
                            << " right " << f.rightColumn << " colours " << f.ColoursInPlay() << " segments "
                            << std::count_if(text.begin(), text.end(), [](char c) { return c > 1; });
    if (kind > 0) {
      EXPECT_GT(rig.recorder.rows.size(), 1u) << "kind " << kind << ": rows were pushed in";
    }
    const Snapshot final = gyrextest::snapshot(f);

    std::map<size_t, Snapshot> replayed;
    f.startPlayback();
    for (int t = 0; t < 4000000 && !f.gameOver; t += 30) {
      if (atRest(f)) replayed[rig.recorder.index] = gyrextest::snapshot(f);
      f.Update(30);
    }
    ASSERT_TRUE(f.gameOver) << "kind " << kind << ": the replay ends as the game did";
    replayed[rig.recorder.index] = gyrextest::snapshot(f);
    EXPECT_EQ(gyrextest::snapshot(f), final) << "kind " << kind;
    for (const auto& [events, position] : recorded) {
      ASSERT_TRUE(replayed.count(events)) << "kind " << kind << ": no rest after event " << events;
      ASSERT_EQ(replayed[events], position) << "kind " << kind << ": after event " << events;
    }
  }
}

TEST(GyrexPlayback, ARecordingThatStopsShortRestsThenReportsItsEnd) {
  zb::seedRandom(8);
  VisualRig rig(0, quietRules());
  RVisualField& f = rig.field;
  f.speed = 4;
  rig.newGame();
  const std::string start = f.ElementsText();
  rig.recorder.Reset();
  rig.recorder.TakeField(f);
  rig.recorder.AddMove(0, 11, true, 200);
  f.startPlayback();
  int ms = 0;
  while (rig.recorder.EventsLeft() && ms < 5000) f.Update(10), ms += 10;
  ASSERT_FALSE(rig.recorder.EventsLeft());
  EXPECT_NE(f.ElementsText(), start) << "the recorded turn was played";
  int rest = 0;
  while (!f.playbackDone() && rest < 5000) f.Update(10), rest += 10;
  EXPECT_FALSE(f.gameOver) << "a cut recording is not a finished game";
  EXPECT_NEAR(rest, 2 * RVisualField::leadTime(4), 20) << "the last position shows for 2 x L";

  // No events at all: the starting position, then the same end.
  rig.recorder.events.clear();
  f.startPlayback();
  EXPECT_EQ(f.ElementsText(), start);
  EXPECT_FALSE(f.playbackDone());
  for (int i = 0; i < 200 && !f.playbackDone(); ++i) f.Update(10);
  EXPECT_TRUE(f.playbackDone());
  EXPECT_EQ(f.ElementsText(), start);
}

// Clocks and event times read from disk are held to 0..kMaxClock, and a
// running clock stops there, so nothing added to them can overflow.
TEST(GyrexPlayback, ClocksFromDiskStayWithinTheirBound) {
  using SpaceGyrex::kMaxClock;
  zb::seedRandom(5);
  VisualRig rig(2, quietRules());
  RVisualField& f = rig.field;
  rig.newGame();
  OConfig tree;
  f.SaveTo(tree);
  rig.preview.SaveTo(tree);
  tree.setInt("gamefield.record_timer", INT_MAX - 10);
  ASSERT_TRUE(f.LoadFrom(tree));
  EXPECT_EQ(f.clock, kMaxClock);
  for (int i = 0; i < 10; ++i) f.Update(30);
  EXPECT_EQ(f.clock, kMaxClock);
  ASSERT_TRUE(rig.runToRest());
  ASSERT_TRUE(f.applyMove(0, 11, true));
  EXPECT_EQ(rig.recorder.events.back().time, kMaxClock);

  rig.newGame();
  RRecorder made;
  made.TakeField(f);
  made.AddMove(0, 11, true, 100);
  made.AddMove(1, 11, true, INT_MAX - 5);
  made.AddMove(2, 11, true, INT_MAX);
  made.SaveTo(tree, "ReplayData");
  ASSERT_TRUE(rig.recorder.LoadFrom(tree, "ReplayData"));
  ASSERT_EQ(rig.recorder.events.size(), 3u);
  EXPECT_EQ(rig.recorder.events[1].time, kMaxClock);
  EXPECT_EQ(rig.recorder.events[2].time, kMaxClock);
  f.startPlayback();
  for (int ms = 0; ms < 60000 && !f.playbackDone(); ms += 30) {
    f.Update(30);
    ASSERT_LE(f.clock, kMaxClock);
  }
  EXPECT_FALSE(rig.recorder.EventsLeft()) << "every event was played";
  EXPECT_TRUE(f.playbackDone());
}

TEST(GyrexPlayback, ShippedDemosPlayThroughOnTheRealField) {
  namespace fs = std::filesystem;
  const char* env = std::getenv("ZB_DATA");
  fs::path data = env && *env ? env : "build/data";
  OConfig demos, rulesTree;
  if (!demos.loadEncrypted((data / SpaceGyrex::kDemoFile).string(), SpaceGyrex::kRulesKeyText) ||
      !rulesTree.loadEncrypted((data / SpaceGyrex::kRulesFile).string(), SpaceGyrex::kRulesKeyText)) {
    GTEST_SKIP() << "no Gyrex data in " << data;
  }
  for (int kind = 0; kind < 3; ++kind) {
    RRecorder demo;
    ASSERT_TRUE(demo.LoadFrom(demos, OConfig::key("demo%d", kind))) << "demo" << kind;
    EXPECT_EQ(demo.gameKind, kind);
    VisualRig rig(kind, RRules::Read(rulesTree, demo.gameKind, demo.level));
    demo.CopyTo(rig.recorder);
    RVisualField& f = rig.field;
    f.speed = 4;
    f.startPlayback();
    int lastScore = 0, lastRight = f.rightColumn, updates = 0;
    for (; updates < 2000000 && !f.gameOver && !f.playbackDone(); ++updates) {
      f.Update(30);
      ASSERT_EQ(gyrextest::brokenInvariant(f), "") << "demo" << kind << " update " << updates;
      ASSERT_EQ(gyrextest::brokenInvariant(rig.preview), "") << "demo" << kind << " update " << updates;
      ASSERT_GE(f.score(), lastScore) << "demo" << kind << " update " << updates;
      ASSERT_LE(f.rightColumn, lastRight) << "demo" << kind << " update " << updates;
      lastScore = f.score();
      lastRight = f.rightColumn;
    }
    EXPECT_TRUE(f.gameOver) << "demo" << kind << " ends by itself";
    EXPECT_FALSE(rig.recorder.EventsLeft()) << "demo" << kind << " used all its events";
  }
}

}  // namespace
