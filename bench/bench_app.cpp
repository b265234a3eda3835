// The whole game headless on the data pack: start-up to the first drawn
// frame, and the cost of one frame of the main screen while the rising-row
// variant plays its demo. Needs ZB_DATA (default build/data).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AMainWnd.h"
#include "app/AStartup.h"
#include "app/OMainWindow.h"
#include "game/AGameWnd.h"
#include "platform/Clock.h"
#include "platform/HeadlessWindow.h"
#include "platform/KeyCodes.h"
#include "ui/APickGameWnd.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder that sees the data pack, entered for the run.
class Home {
public:
  Home() {
    const char* env = std::getenv("ZB_DATA");
    fs::path data = fs::absolute(env && *env ? env : "build/data");
    dir_ = fs::temp_directory_path() / ("zb_bench_" + std::to_string(getpid()));
    fs::create_directories(dir_);
    for (const char* sub : {"clp", "cfg", "wav", "music", "help"}) {
      std::error_code ec;
      fs::create_directory_symlink(data / sub, dir_ / sub, ec);
    }
    old_ = fs::current_path();
    fs::current_path(dir_);
    ok_ = fs::exists(data / "clp" / "alph.clp");
  }
  ~Home() {
    fs::current_path(old_);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  bool ok() const { return ok_; }

private:
  fs::path dir_, old_;
  bool ok_ = false;
};

struct Game {
  zb::ManualClock clock;
  zb::HeadlessWindow platform{&clock};
  OMainWindow window{platform, zb::startZenbox};
  Game() { zb::setClock(&clock); }
  ~Game() {
    window.onDestroy();
    zb::setClock(nullptr);
  }
  bool start() {
    window.frameInterval = 30;
    window.app().forceWindowed = true;
    return window.create("Zenbox", "OMainWindow", 800, 600, 1);
  }
  void frame() {
    zb::WindowEvent e;
    while (platform.pollEvent(e)) window.dispatch(e);
    clock.advance(30);
    window.onTick(30);
  }
};

long peakKilobytes() {
  rusage use{};
  getrusage(RUSAGE_SELF, &use);
  return use.ru_maxrss;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
  Home home;
  if (!home.ok()) {
    state.SkipWithError("no data pack");
    return;
  }
  for (auto _ : state) {
    Game game;
    // create() builds every screen and opens the intro, which draws its first frame.
    bool ok = game.start();
    benchmark::DoNotOptimize(ok);
    game.platform.present();
  }
  state.counters["peak_kB"] = double(peakKilobytes());
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RisingRowDemoFrame(benchmark::State& state) {
  Home home;
  if (!home.ok()) {
    state.SkipWithError("no data pack");
    return;
  }
  Game game;
  game.start();
  game.window.app().currentScreen->onKeyDown(zb::vk::Space, 0);  // past the intro
  OEngine* pickScreen = game.window.app().screen(ScreenId::PickGame);
  for (int i = 0; i < 400 && game.window.app().currentScreen != pickScreen; ++i) game.frame();
  for (int i = 0; i < 60; ++i) game.frame();
  auto* pick = static_cast<APickGameWnd*>(pickScreen);
  pick->select(7);
  AMainWnd* main = AMainWnd::of(game.window);
  main->demoRequested = true;
  pick->accept();
  for (int i = 0; i < 400 && !(game.window.app().currentScreen == main && main->tilesShown() == 0); ++i)
    game.frame();
  if (!main->game() || !main->game()->demo()) {
    state.SkipWithError("the demo did not start");
    return;
  }
  std::vector<double> times;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    game.frame();
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(times.begin(), times.end());
  state.counters["median_us"] = times[times.size() / 2];
  state.counters["worst_us"] = times.back();
  state.counters["peak_kB"] = double(peakKilobytes());
}
BENCHMARK(BM_RisingRowDemoFrame)->Unit(benchmark::kMicrosecond)->Iterations(4000);

}  // namespace
