// A saved Tessel game from disk. With a first byte '#' the rest is the text
// of a game record (the replay text of a saved game): it is parsed as the
// game parses it, then played back as a replay until it ends or fails.
// Otherwise the input is the configuration text of a saved game: it loads
// into a board or is refused, the board plays some launches, and what it
// writes back must load again. Any broken board (a cube on the ring, a
// cube's clip missing from the screen or there twice, a score out of range)
// aborts.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "app/OEngine.h"
#include "app/OffscreenScreen.h"
#include "gfx/OBitmap.h"
#include "gfx/OClip.h"
#include "platform/Random.h"
#include "storage/OConfig.h"
#include "tessel/AGameField.h"
#include "tessel/AReplayBuffer.h"

namespace {

using namespace SpaceTessel;

// The off-screen screen and pictures, made once for the run.
struct Screen : zb::OffscreenScreen {
  std::unique_ptr<OClip> cubes[7];
  std::unique_ptr<OClip> sparkle = zb::makeSparkPicture(1, 6, 0xFFFF00);

  Screen() : zb::OffscreenScreen(30) {
    for (int c = 1; c <= 6; ++c) {
      cubes[c] = std::make_unique<OClip>();
      auto img = std::make_unique<OBitmap>();
      img->create(38, 38, 0x203040u * static_cast<unsigned>(c));
      cubes[c]->addImage(std::move(img));
    }
  }

  void install() {
    AFieldShared& s = shared();
    s.reset();
    for (int c = 1; c <= 6; ++c) s.cubePictures[c] = cubes[c].get();
    s.sparklePicture = sparkle.get();
  }
};

Screen& screen() {
  static Screen* s = new Screen;  // lives to the end of the process
  return *s;
}

void check(const AGameField& board, const OEngine& engine) {
  const auto& clips = engine.clips();
  for (int i = 0; i < kCells; ++i) {
    const ACube* cube = board.CubeAt(i);
    if (!cube) continue;
    int row = i / kSize, column = i % kSize;
    if (row == 0 || column == 0 || row == kSize - 1 || column == kSize - 1) std::abort();
    if (std::count(clips.begin(), clips.end(), cube) != 1) std::abort();
  }
  if (board.Score < 0 || board.Score > kMaxScore) std::abort();
}

void settle(AGameField& board, Screen& s) {
  for (int f = 0; f < 400 && (board.moveBusy || !shared().noDyingCubes); ++f) {
    s.engine->tick(30);
    board.Update(30);
  }
  if (board.moveBusy) std::abort();  // a launch that never lands
  check(board, *s.engine);
}

// Plays the record the way a replay does; stops at the first failure.
void replay(const std::string& text, Screen& s) {
  AReplayBuffer buffer;
  buffer.parse(text);
  std::istringstream in(text);
  AGameField board(s.engine.get(), 1, 0);
  if (!board.ReadSnapshot(in)) return;
  board.VV = 36;
  check(board, *s.engine);
  for (int move = 0; move < 40; ++move) {
    int side, row, column, flag;
    if (!(in >> side >> row >> column >> board.currentColorUp >> board.currentColorDown >>
          board.currentColorLeft >> board.currentColorRight >> board.nextColorUp >> board.nextColorDown >>
          board.nextColorLeft >> board.nextColorRight >> flag))
      return;
    shared().newCubesNeeded = flag != 0;
    if (!board.Shoot(side, row, column)) return;
    settle(board, s);
    if (shared().newCubesNeeded && !board.IsFinished() && !board.ReplayNewCubes(in)) return;
    check(board, *s.engine);
  }
}

void loadAndPlay(const std::string& text, const uint8_t* data, size_t size, Screen& s) {
  OConfig tree;
  tree.parse(text);
  AGameField board(s.engine.get(), 2, 1);
  board.FillCheckerboard();
  if (!board.LoadFrom(tree)) {
    check(board, *s.engine);  // a refused load leaves the board it had
    return;
  }
  board.VV = 36;
  check(board, *s.engine);
  for (size_t i = 0; i < std::min<size_t>(size, 24) && !board.IsFinished(); ++i) {
    int side = data[i] % 4 + 1;
    int line = data[i] / 4 % 11 + 1;
    int row = side == kSideDown ? kSize : side == kSideUp ? 0 : line;
    int column = side == kSideRight ? kSize : side == kSideLeft ? 0 : line;
    if (!board.Shoot(side, row, column)) continue;
    settle(board, s);
    if (shared().newCubesNeeded && !board.IsFinished()) board.AddNewCubes(nullptr);
    board.PromoteNextColors(side);
    board.PickNextColors(side);
    check(board, *s.engine);
  }
  OConfig saved;
  board.SaveTo(saved);
  AGameField again(s.engine.get(), 0, 0);
  if (!again.LoadFrom(saved)) std::abort();  // what a board writes must load
  check(again, *s.engine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  Screen& s = screen();
  s.install();
  zb::seedRandom(11);
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] == '#')
    replay(text, s);
  else
    loadAndPlay(std::string(reinterpret_cast<const char*>(data), size), data, size, s);
  // The boards took their cubes back; sparkles fade and leave.
  for (int f = 0; f < 20; ++f) s.engine->tick(30);
  if (s.engine->clips().size() > 0) {
    for (OClip* clip : s.engine->clips())
      if (dynamic_cast<ACube*>(clip)) std::abort();
  }
  return 0;
}
