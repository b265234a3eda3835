#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/Random.h"
#include "tessel/AGameFieldDemo.h"
#include "tests/support/TestSupport.h"
#include "tests/tessel/TesselTestSupport.h"

using namespace SpaceTessel;
using tesseltest::boardRows;

namespace {

constexpr int kMoveLimit = 3000;

struct Played {
  std::vector<int> record;  // snapshot, then moves and batches
  std::vector<std::vector<std::string>> boards;  // after every move
  std::vector<int> scores;
  int moves = 0;
  bool ended = false;
};

// The computer plays a whole game on a screen, the invariants checked
// after every frame.
Played playDemo(tesseltest::Rig& rig, int rules, int level) {
  Played p;
  AGameField board(rig.engine.get(), rules, level);
  board.FillCheckerboard();
  board.PromoteNextColors(0);
  board.VV = 0;  // the raw slowest speed stands in the record
  board.WriteSnapshot(p.record);
  board.VV = 36;
  while (p.moves < kMoveLimit) {
    if (board.IsFinished()) {
      p.ended = true;
      break;
    }
    ADemoMove m = ChooseDemoMove(board);
    std::string broken = rig.check(board);
    EXPECT_EQ(broken, "") << "before move " << p.moves;
    if (!broken.empty()) break;
    p.record.insert(p.record.end(), {m.side, m.row(), m.column(), board.currentColorUp, board.currentColorDown,
                                     board.currentColorLeft, board.currentColorRight, board.nextColorUp,
                                     board.nextColorDown, board.nextColorLeft, board.nextColorRight});
    EXPECT_TRUE(board.Shoot(m.side, m.row(), m.column()));
    for (int f = 0; f < 2000 && (board.moveBusy || !shared().noDyingCubes); ++f) {
      rig.frame(board);
      broken = rig.check(board);
      if (!broken.empty()) break;
    }
    EXPECT_EQ(broken, "") << "move " << p.moves;
    if (!broken.empty()) break;
    p.record.push_back(shared().newCubesNeeded ? 1 : 0);
    if (shared().newCubesNeeded && !board.IsFinished()) board.AddNewCubes(&p.record);
    board.PromoteNextColors(board.shotSide);
    board.PickNextColors(board.shotSide);
    ++p.moves;
    p.boards.push_back(boardRows(board));
    p.scores.push_back(board.Score);
  }
  return p;
}

// Replays the record on a board without a screen and compares it with
// the game after every move.
void expectReplayMatches(const Played& p, int rules, int level) {
  std::ostringstream text;
  for (int v : p.record) text << v << ' ';
  std::istringstream in(text.str());
  AGameField board(nullptr, rules, level);
  ASSERT_TRUE(board.ReadSnapshot(in));
  board.VV = 36;
  for (int move = 0; move < p.moves; ++move) {
    int side, row, column, flag;
    ASSERT_TRUE(in >> side >> row >> column >> board.currentColorUp >> board.currentColorDown >>
                board.currentColorLeft >> board.currentColorRight >> board.nextColorUp >> board.nextColorDown >>
                board.nextColorLeft >> board.nextColorRight >> flag);
    shared().newCubesNeeded = flag != 0;
    ASSERT_TRUE(board.Shoot(side, row, column)) << move;
    for (int f = 0; f < 2000 && (board.moveBusy || !shared().noDyingCubes); ++f) board.Update(30);
    if (shared().newCubesNeeded && !board.IsFinished()) {
      ASSERT_TRUE(board.ReplayNewCubes(in)) << move;
    }
    ASSERT_EQ(boardRows(board), p.boards[static_cast<size_t>(move)]) << "move " << move;
    ASSERT_EQ(board.Score, p.scores[static_cast<size_t>(move)]) << "move " << move;
  }
  int rest = 0;
  EXPECT_FALSE(in >> rest);  // the record ends with the last move
}

}  // namespace

TEST(DemoGames, EveryVariantAndLevelPlaysToItsEndAndReplaysExactly) {
  static const char* const kNames[4] = {"Unicolor", "quadcolor", "smart mix", "advanced mix"};
  for (int rules = 0; rules < 4; ++rules) {
    for (int level = 0; level < 3; ++level) {
      tesseltest::Rig rig;
      zb::seedRandom(1000u + static_cast<unsigned>(rules * 3 + level));
      Played p = playDemo(rig, rules, level);
      EXPECT_TRUE(p.ended) << kNames[rules] << " level " << level;
      std::printf("[ demo     ] %-12s level %d: %4d moves, score %7d\n", kNames[rules], level, p.moves,
                  p.scores.empty() ? 0 : p.scores.back());
      expectReplayMatches(p, rules, level);
      if (level == 0) {
        std::ofstream seed(zbtest::fuzzSeedDir("fuzz_tessel_state") + "/record" + std::to_string(rules) + ".txt");
        seed << '#';
        for (int v : p.record) seed << v << ' ';
      }
    }
  }
}
