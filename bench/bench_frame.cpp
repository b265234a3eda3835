// A full frame of a busy screen: 800 x 600, 200 sprites of 48 x 48 with an
// alpha plane, 20 of them moving each tick. Compares redrawing everything
// with redrawing the changed areas, and checks that an idle loop sleeps.
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <memory>

#include "app/ADemoSprites.h"
#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "platform/HeadlessWindow.h"
#include "platform/Random.h"
#include "platform/SdlWindow.h"

namespace {

constexpr int kSprites = 200;
constexpr int kMoving = 20;

struct Scene {
  Scene() {
    window.frameInterval = 30;
    window.create("bench", "OMainWindow", 800, 600, 1);
    screen = std::make_unique<OEngine>(window, 0, 0, 800, 600);
    screen->backgroundColour = 0x102040;
    auto ball = ademo::makeBall(48, 0x40A0FF);
    zb::seedRandom(7);
    for (int i = 0; i < kSprites; ++i) {
      auto* clip = new OClip();
      clip->addImage(*ball);  // shares the pixels
      clip->x = zb::random(752);
      clip->y = zb::random(552);
      clip->z = i;
      screen->addClip(clip);
    }
    screen->open(&window.app().currentScreen);
  }
  // Moves a different group of 20 sprites each frame, a few pixels each.
  void moveSome() {
    const auto& clips = screen->clips();
    for (int i = 0; i < kMoving; ++i) {
      OClip* c = clips[(frame * kMoving + i) % clips.size()];
      c->x = std::fmod(c->x + 3, 752);
      c->y = std::fmod(c->y + 2, 552);
    }
    ++frame;
  }
  zb::HeadlessWindow platform;
  OMainWindow window{platform};
  std::unique_ptr<OEngine> screen;
  int frame = 0;
};

void BM_RedrawAll(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    scene.moveSome();
    scene.screen->redrawAll();
  }
}
BENCHMARK(BM_RedrawAll)->Unit(benchmark::kMicrosecond);

void BM_RedrawDirty(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    scene.moveSome();
    scene.screen->redrawDirty();
  }
}
BENCHMARK(BM_RedrawDirty)->Unit(benchmark::kMicrosecond);

// The whole tick in dirty mode: motion, animation and drawing.
void BM_TickDirty(benchmark::State& state) {
  Scene scene;
  scene.screen->redrawMode = OEngine::kRedrawDirty;
  for (auto _ : state) {
    scene.moveSome();
    scene.screen->tick(30);
  }
}
BENCHMARK(BM_TickDirty)->Unit(benchmark::kMicrosecond);

// Quits the run once `ms` of real time have passed.
class TimedScreen : public OEngine {
public:
  TimedScreen(OMainWindow& owner, int ms) : OEngine(owner, 0, 0, 800, 600), left_(ms) {}
  void tick(int elapsed) override {
    left_ -= elapsed;
    if (left_ <= 0) owner().app().quitRequested = true;
    OEngine::tick(elapsed);
  }

private:
  int left_;
};

// An idle game for half a second of real time: the loop must block between
// frames. Reports the share of one core the run used (near 0 when idle).
void BM_IdleLoopCpuShare(benchmark::State& state) {
  zb::SdlWindow::useDummyDrivers();
  double share = 0;
  for (auto _ : state) {
    zb::SdlWindow sdl(true, nullptr);
    OMainWindow window(sdl, [](OMainWindow& w) {
      w.app().mainScreen = std::make_unique<TimedScreen>(w, 500);
      w.app().mainScreen->redrawMode = OEngine::kRedrawDirty;
      w.app().mainScreen->open(&w.app().currentScreen);
      return true;
    });
    std::clock_t cpu0 = std::clock();
    uint32_t wall0 = zb::nowMs();
    window.run();
    double cpuMs = 1000.0 * (std::clock() - cpu0) / CLOCKS_PER_SEC;
    share = cpuMs / std::max<uint32_t>(zb::nowMs() - wall0, 1);
  }
  state.counters["cpu_share"] = share;
}
BENCHMARK(BM_IdleLoopCpuShare)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
