// The record of a Tessel game read back from a saved game ("Game.OldGame",
// "Game.CurrentGameReplay"): any text must either replay on a board
// without a screen or stop cleanly, in bounded time and memory, and leave a
// consistent board (no cube on the launch ring, score in range).
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "platform/Random.h"
#include "tessel/AGameField.h"
#include "tessel/AReplayBuffer.h"
#include "tessel/AReplayMove.h"

namespace {

using namespace SpaceTessel;

constexpr int kMaxMoves = 300;
constexpr int kMaxUpdatesPerMove = 2000;

void check(const AGameField& board) {
  for (int i = 0; i < kSize; ++i) {
    for (int r : {0, kSize - 1}) {
      if (board.CubeAt(r, i) || board.CubeAt(i, r)) std::abort();
    }
  }
  if (board.Score < 0 || board.Score > kMaxScore) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  AReplayBuffer buffer;
  if (buffer.parse(text) && buffer.text().size() > AReplayBuffer::kMaxTextBytes + 1) std::abort();
  if (buffer.size() > AReplayBuffer::kMaxValues) std::abort();

  shared().reset();
  zb::seedRandom(7);
  std::istringstream in(text);
  AGameField board(nullptr, 0, 0);
  if (!board.ReadSnapshot(in)) return 0;
  check(board);
  for (int move = 0; move < kMaxMoves && !board.IsFinished(); ++move) {
    AReplayMove m;
    if (!m.read(in) || !board.CanLaunch(m.side, m.line())) break;
    m.applyColors(board);
    shared().newCubesNeeded = m.newCubes != 0;
    if (!board.Shoot(m.side, m.row, m.column)) break;
    for (int u = 0; u < kMaxUpdatesPerMove && (board.moveBusy || !shared().noDyingCubes); ++u) board.Update(30);
    if (board.moveBusy) std::abort();  // a launch must land
    check(board);
    if (shared().newCubesNeeded && !board.IsFinished() && !board.ReplayNewCubes(in)) break;
    check(board);
  }
  return 0;
}
