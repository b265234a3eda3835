// The Sinkra board's hot paths: one update of a 16 x 14 board while nearly
// all of it explodes with sparks, the demo players' choice of a group, and
// the turn-play opponent's look-ahead on the largest turn-play board.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "app/OffscreenScreen.h"
#include "platform/HeadlessWindow.h"
#include "platform/Random.h"
#include "sinkra/CAI_.h"
#include "sinkra/CGameField.h"
#include "sinkra/CGameMap.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"

using namespace SpaceSinkra;

namespace {

// A field whose demo choice can be called from here.
class BenchField : public CGameField {
public:
  using CGameField::chooseDemoGroup;
};

std::unique_ptr<OClip> makeStar() { return zb::makeSparkPicture(4, 16, 0xFFFF80); }

std::vector<int> randomColours(int cells, int colours) {
  std::vector<int> out(static_cast<size_t>(cells));
  for (int& c : out) c = zb::random(colours);
  return out;
}

// A headless screen; fields are destroyed before it.
struct Screen : zb::OffscreenScreen {
  Screen() {
    CGlobal::instance().reset();
    CGlobal::instance().beginGame(0);
  }
  ~Screen() {
    engine.reset();
    CGlobal::instance().reset();
  }
};

void ExplosionUpdate16x14(benchmark::State& state) {
  Screen screen;
  auto star = makeStar();
  CGlobal& g = CGlobal::instance();
  g.star = star.get();
  {
    BenchField field;
    field.attach(screen.engine.get(), {}, {}, 10, 10, 580, 580);
    std::vector<int> board(16 * 14, 0);
    board.back() = 1;  // one block stays, so 223 explode
    field.setBoard(16, 14, board);
    field.click(0);
    for (auto _ : state) {
      // Hold the fade early, where every block still sheds sparks.
      g.explosionProgress = 40;
      field.update(15);
      state.PauseTiming();
      screen.engine->tick(30);  // sparks age and leave as in a frame
      state.ResumeTiming();
    }
    state.counters["sparks"] = static_cast<double>(screen.engine->clips().size());
  }
  g.star = nullptr;
}
BENCHMARK(ExplosionUpdate16x14)->Unit(benchmark::kMicrosecond);

void DemoChoice16x14(benchmark::State& state) {
  Screen screen;
  BenchField field;
  field.attach(screen.engine.get(), {}, {}, 10, 10, 580, 580);
  zb::seedRandom(3);
  field.setBoard(16, 14, randomColours(16 * 14, 6));
  for (auto _ : state) {
    int best = 0;
    benchmark::DoNotOptimize(field.chooseDemoGroup(best));
  }
}
BENCHMARK(DemoChoice16x14)->Unit(benchmark::kMicrosecond);

void OpponentChooseMove(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  zb::seedRandom(11);
  std::vector<int> colours = randomColours(side * side, 6);
  // Candidates as the game builds them: every cell of a group of two.
  CGameMap map;
  map.resize(side, side);
  for (int i = 0; i < side * side; ++i) map.put(i, std::make_unique<CPiece>(colours[i]));
  std::vector<int> candidates;
  for (int i = 0; i < side * side; ++i)
    if (map.groupSize(i) == 2) candidates.push_back(i);
  CAI_ ai;
  ai.loadColours(side, side, colours, candidates);
  for (auto _ : state) benchmark::DoNotOptimize(ai.chooseMove(2));
  state.counters["candidates"] = static_cast<double>(candidates.size());
}
BENCHMARK(OpponentChooseMove)->Arg(12)->Arg(16)->Unit(benchmark::kMicrosecond);

}  // namespace
