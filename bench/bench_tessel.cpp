// The Tessel board's hot paths: the computer's choice of a launch (44 tries
// on scratch copies) on a busy board, and the update in which a launch
// removes a group of about a hundred cubes with their sparkles.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "app/OffscreenScreen.h"
#include "platform/HeadlessWindow.h"
#include "platform/Random.h"
#include "tessel/AGameField.h"
#include "tessel/AGameFieldDemo.h"

using namespace SpaceTessel;

namespace {

// A headless screen with cube and sparkle pictures; boards go before it.
struct Screen : zb::OffscreenScreen {
  Screen() : OffscreenScreen(30) {
    shared().reset();
    for (int c = 1; c <= 6; ++c) {
      cubes.push_back(std::make_unique<OClip>());
      auto img = std::make_unique<OBitmap>();
      img->create(38, 38, 0x203040u * static_cast<unsigned>(c));
      cubes.back()->addImage(std::move(img));
      shared().cubePictures[c] = cubes.back().get();
    }
    sparkle = zb::makeSparkPicture(4, 16, 0xFFFF80);
    shared().sparklePicture = sparkle.get();
  }
  ~Screen() {
    engine.reset();
    shared().reset();
  }
  std::vector<std::unique_ptr<OClip>> cubes;
  std::unique_ptr<OClip> sparkle;
};

// 81 cubes of four colours filling the middle; all 44 launches are open.
void fillBusy(AGameField& board) {
  zb::seedRandom(2024);
  for (int row = 1; row <= 11; ++row)
    for (int column = 1; column <= 11; ++column) board.SetCell(row, column, zb::random(4) + 1);
  for (int line = 1; line <= 11; ++line) {
    board.SetCell(1, line, 0);
    board.SetCell(11, line, 0);
    board.SetCell(line, 1, 0);
    board.SetCell(line, 11, 0);
  }
}

void BM_TesselDemoChoice(benchmark::State& state) {
  Screen screen;
  AGameField board(screen.engine.get(), 1, 2);
  fillBusy(board);
  for (auto _ : state) {
    ADemoMove m = ChooseDemoMove(board);
    benchmark::DoNotOptimize(m);
  }
  state.counters["cubes"] = board.CubeCount();
}
BENCHMARK(BM_TesselDemoChoice)->Unit(benchmark::kMillisecond);

void BM_TesselLargeRemoval(benchmark::State& state) {
  Screen screen;
  int removed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto board = std::make_unique<AGameField>(screen.engine.get(), 1, 0);
    for (int row = 1; row <= 11; ++row)
      for (int column = 1; column <= 11; ++column) board->SetCell(row, column, (row * 3 + column) % 7 == 0 ? 2 : 1);
    board->SetCell(1, 6, 0);
    board->SetCell(2, 6, 0);
    board->currentColorUp = 1;
    board->VV = 500;
    board->Shoot(kSideUp, 0, 6);
    screen.engine->tick(30);  // the launch reaches its cell
    state.ResumeTiming();
    board->Update(30);  // lands, removes the group, makes the sparkles
    state.PauseTiming();
    removed = static_cast<int>(board->DyingCubes().size());
    board.reset();
    screen.engine->removeAllClips(true);  // the sparkles
    state.ResumeTiming();
  }
  state.counters["removed"] = removed;
}
BENCHMARK(BM_TesselLargeRemoval)->Unit(benchmark::kMicrosecond);

}  // namespace
