// Whole Gyrex games on the model: scoring at the settle, rows pushed in,
// seeded games of every kind and level played out by the computer player
// and replayed from their recordings, and the shipped demos.
#include <gtest/gtest.h>

#include <vector>

#include "gyrex/RFieldGame.h"
#include "gyrex/RFieldPlayer.h"
#include "platform/Random.h"
#include "tests/gyrex/model/GyrexModelSupport.h"
#include "tools/data/gen/GyrexDemos.h"
#include "tools/data/gen/Rules.h"

namespace {

using namespace SpaceGyrex;
using gyrextest::at;
using gyrextest::put;

// A Strip mania game on a hand-made field.
RFieldGame stripGame(void (*layout)(RField&), int rightColumn) {
  RFieldGame g;
  RRules rules;
  rules.startLineCount = 1;
  g.Start(0, 0, rules);
  g.field.Clear();
  layout(g.field);
  g.field.rightColumn = rightColumn;
  g.score.Start(g.field, true);
  return g;
}

TEST(GyrexGame, ScoreCountsTheWholeChainAtTheSettle) {
  // Four destroyed by the turn, nothing else moves: 4 x 5.
  RFieldGame four = stripGame(
      [](RField& f) {
        put(f, 0, 11, "3110");
        put(f, 1, 11, "1301");  // a counter-clockwise turn faces its 1s left and down
        put(f, 2, 11, "1000");
      },
      2);
  ASSERT_TRUE(four.Move(1, 11, false));
  EXPECT_EQ(four.score.score, 20);
  EXPECT_EQ(four.doublings, 0);

  // Four, then an element falls into the gap and makes five more: 9 x 10.
  RFieldGame chain = stripGame(
      [](RField& f) {
        put(f, 0, 11, "0110");
        put(f, 0, 10, "2222");
        put(f, 0, 9, "1200");
        put(f, 1, 11, "1001");
        put(f, 1, 10, "0302");
      },
      1);
  ASSERT_TRUE(chain.Move(1, 11, false));
  EXPECT_EQ(chain.score.score, 90);
  EXPECT_EQ(chain.doublings, 0);
  EXPECT_EQ(at(chain.field, 0, 11), "1200");
  EXPECT_EQ(at(chain.field, 1, 11), "0300");
}

TEST(GyrexGame, LostColourAndLostColumnsDoubleTheScore) {
  RScore s;
  s.score = 100, s.previousColours = 3, s.previousRightColumn = 11;
  s.chainTotal = 4;
  EXPECT_EQ(s.Settle(2, 11), 1);  // a colour vanished
  EXPECT_EQ(s.score, 240);
  s.chainTotal = 4;
  EXPECT_EQ(s.Settle(2, 9), 2);  // two columns lost in one move
  EXPECT_EQ(s.score, 1040);
  EXPECT_EQ(s.previousRightColumn, 9);
  // After a rising row nothing is scored or doubled, and the previous
  // values still follow the field.
  s.noScoreOnSettle = true;
  s.chainTotal = 10;
  EXPECT_EQ(s.Settle(1, 8), 0);
  EXPECT_EQ(s.score, 1040);
  EXPECT_EQ(s.previousColours, 1);
  EXPECT_FALSE(s.noScoreOnSettle);
}

TEST(GyrexGame, AnEmptyElementIsNotTurnedNorRecorded) {
  zb::seedRandom(5);
  RFieldGame g;
  RRules rules;
  rules.startLineCount = 4;
  g.Start(1, 0, rules);
  const std::string before = g.field.ElementsText();
  EXPECT_FALSE(g.Move(0, 0, true));
  EXPECT_FALSE(g.Move(12, 11, true));
  EXPECT_TRUE(g.recorder.events.empty());
  EXPECT_EQ(g.field.ElementsText(), before);
  EXPECT_TRUE(g.Move(0, 11, true));
  ASSERT_EQ(g.recorder.events.size(), 1u);
  EXPECT_EQ(g.recorder.events[0].clock, 1);
}

TEST(GyrexGame, AFullPreviewRisesOrEndsTheGameOnAnOccupiedTopRow) {
  RRules rules;
  rules.addTimeMin = rules.addTimeMax = 500;
  for (int lines : {6, 12}) {
    zb::seedRandom(9);
    RFieldGame g;
    rules.startLineCount = lines;
    g.Start(2, 0, rules);
    g.preview.visibleElems = kRowTextLength;  // every segment shown
    const std::string row = g.preview.RowText();
    g.Idle(500);
    if (lines == 12) {
      EXPECT_TRUE(g.gameOver);
      EXPECT_EQ(g.pushes, 0);
    } else {
      EXPECT_EQ(g.pushes, 1);
      EXPECT_EQ(g.preview.visibleElems, 0);
      ASSERT_EQ(g.recorder.rows.size(), 2u);
      EXPECT_EQ(g.recorder.rows[1], g.preview.RowText());
      EXPECT_EQ(g.score.score, 0);  // groups the row completes score nothing
      EXPECT_EQ(g.field.TopmostRow(), kRows - lines - 1);
    }
    ASSERT_EQ(g.recorder.events.size(), 1u);
    EXPECT_EQ(g.recorder.events[0].event, RecData::kReveal);
    (void)row;
  }
}

struct Snapshot {
  size_t events;
  std::string field;
  int score;
};

void expectSound(const RFieldGame& g) {
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      for (int s = 0; s < kSegments; ++s) {
        ASSERT_GE(g.field.elements[c][r][s], 0);
        ASSERT_LE(g.field.elements[c][r][s], g.rules.colorCount);
        if (c > g.field.rightColumn) {
          ASSERT_EQ(g.field.elements[c][r][s], 0);
        }
      }
}

// Plays a seeded game to its end, checking the field after every move, then
// plays its recording back and expects the same field and score wherever
// the original stood after a move.
void playAndReplay(int kind, int level, uint32_t seed) {
  SCOPED_TRACE(testing::Message() << "kind " << kind << " level " << level << " seed " << seed);
  const RRules rules = RRules::Read(gyrextest::shippedRules(), kind, level);
  zb::seedRandom(seed);
  RFieldGame g;
  g.Start(kind, level, rules);
  std::vector<Snapshot> shots;
  int right = g.field.rightColumn, score = 0;
  for (int i = 0; i < 300 && !g.gameOver; ++i) {
    g.Idle(RFieldPlayer::ThinkMs());
    RMove m;
    if (g.gameOver || !RFieldPlayer::Choose(g.field, m)) break;
    ASSERT_TRUE(g.Move(m.column, m.row, m.clockwise));
    expectSound(g);
    ASSERT_LE(g.field.rightColumn, right);
    ASSERT_GE(g.score.score, score);
    right = g.field.rightColumn, score = g.score.score;
    shots.push_back({g.recorder.events.size(), g.field.ElementsText(), g.score.score});
  }
  ASSERT_TRUE(g.gameOver) << "moves " << g.moves;

  RFieldGame replay;
  ASSERT_TRUE(replay.StartPlayback(g.recorder, rules));
  size_t played = 0;
  for (const Snapshot& s : shots) {
    while (played < s.events && replay.PlayNextEvent()) ++played;
    ASSERT_EQ(played, s.events);
    ASSERT_EQ(replay.field.ElementsText(), s.field) << "after event " << played;
    ASSERT_EQ(replay.score.score, s.score);
  }
  while (replay.PlayNextEvent()) {
  }
  EXPECT_TRUE(replay.gameOver);
  EXPECT_EQ(replay.score.score, g.score.score);
  EXPECT_EQ(replay.pushes, g.pushes);
}

TEST(GyrexGame, ComputerPlayerFinishesEveryKindAndLevelAndReplaysMatch) {
  // Seeds whose games the player brings to their end within 300 moves.
  const uint32_t seeds[3][3] = {{1, 1, 2}, {1, 2, 6}, {1, 1, 2}};
  for (int kind = 0; kind < 3; ++kind)
    for (int level = 0; level < 3; ++level) playAndReplay(kind, level, seeds[kind][level]);
}

TEST(GyrexGame, ShippedDemosPlayThroughToTheirEnd) {
  OConfig demos;
  ASSERT_TRUE(demos.parse(zbgen::gyrexDemoText(zbgen::gyrexRulesText())));
  for (int kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    RRecorder rec;
    ASSERT_TRUE(rec.LoadFrom(demos, OConfig::key("demo%d", kind)));
    EXPECT_EQ(rec.gameKind, kind);
    ASSERT_FALSE(rec.events.empty());
    RFieldGame g;
    ASSERT_TRUE(g.StartPlayback(rec, RRules::Read(gyrextest::shippedRules(), kind, rec.level)));
    size_t n = 0;
    while (!g.gameOver && g.PlayNextEvent()) ++n;
    // The game ends on the last recorded event, not before.
    EXPECT_TRUE(g.gameOver);
    EXPECT_EQ(n, rec.events.size());
  }
}

}  // namespace
