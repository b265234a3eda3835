// The whole game headless on the data pack: start-up to the first drawn
// frame, and the cost of one frame of the main screen while the rising-row
// variant plays its demo. Needs ZB_DATA (default build/data).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <memory>
#include <string>
#include <vector>

#include "app/AMainWnd.h"
#include "app/AStartup.h"
#include "game/GameFamilies.h"
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
  const fs::path& dir() const { return dir_; }

private:
  fs::path dir_, old_;
  bool ok_ = false;
};

struct Game {
  zb::ManualClock clock;
  zb::HeadlessWindow platform{&clock};
  OMainWindow window{platform, (zb::registerFamilies(), zb::startZenbox)};
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
    platform.present();
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
    auto game = std::make_unique<Game>();
    // create() builds every screen and opens the intro, which draws its first frame.
    bool ok = game->start();
    benchmark::DoNotOptimize(ok);
    game->platform.present();
    state.PauseTiming();  // the end of the run is not part of the start
    game.reset();
    state.ResumeTiming();
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
  // CPU time of this thread, which runs the whole frame (the music worker
  // and the audio callback have threads of their own).
  auto cpuMicros = [] {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
  };
  std::vector<double> times;
  for (auto _ : state) {
    double t0 = cpuMicros();
    game.frame();
    times.push_back(cpuMicros() - t0);
  }
  std::sort(times.begin(), times.end());
  state.counters["median_cpu_us"] = times[times.size() / 2];
  state.counters["p99_cpu_us"] = times[times.size() * 99 / 100];
  state.counters["worst_cpu_us"] = times.back();
  state.counters["peak_kB"] = double(peakKilobytes());
}
BENCHMARK(BM_RisingRowDemoFrame)->Unit(benchmark::kMicrosecond)->Iterations(4000);

// The game program next to the bench folder (ZB_ZENBOX overrides).
fs::path zenboxProgram() {
  const char* env = std::getenv("ZB_ZENBOX");
  if (env && *env) return env;
  std::error_code ec;
  return fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "zenbox";
}

// The peak resident size of a running process in kB (VmHWM), 0 once gone.
// Read from /proc because the child's own rusage starts from this
// process's peak: the spawn shares its memory until the exec.
long residentPeakKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string word;
  while (status >> word) {
    if (word == "VmHWM:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
  }
  return 0;
}

// A finished child process: wall time to exit, when `watch` appeared, peak memory.
struct Child {
  bool ok = false;
  double exitMs = 0, watchMs = -1;
  long peakKb = 0;
};

// Runs zenbox headless on the scratch folder with a script; while it runs,
// notes when the file `watch` (if any) appears.
Child runZenbox(const Home& home, const std::string& script, const fs::path& watch) {
  Child out;
  fs::path prog = zenboxProgram();
  fs::path file = home.dir() / "bench.zbs";
  std::ofstream(file) << script;
  std::string data = home.dir().string(), scriptArg = file.string(), progArg = prog.string();
  char* argv[] = {progArg.data(), const_cast<char*>("--headless"), const_cast<char*>("--data"), data.data(),
                  const_cast<char*>("--script"), scriptArg.data(), nullptr};
  std::error_code ec;
  fs::remove(watch, ec);
  auto t0 = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) return out;
  int status = 0;
  for (;;) {
    out.peakKb = std::max(out.peakKb, residentPeakKb(pid));
    pid_t done = waitpid(pid, &status, WNOHANG);
    auto now = std::chrono::steady_clock::now();
    if (out.watchMs < 0 && !watch.empty() && fs::exists(watch, ec))
      out.watchMs = std::chrono::duration<double, std::milli>(now - t0).count();
    if (done == pid) {
      out.exitMs = std::chrono::duration<double, std::milli>(now - t0).count();
      break;
    }
    if (done < 0) return out;
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  out.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return out;
}

// From spawning the program to its first frame written out by a script's
// shot (the shot waits one frame); also the time to its exit.
void BM_ProcessStartToFirstShot(benchmark::State& state) {
  Home home;
  if (!home.ok() || !fs::exists(zenboxProgram())) {
    state.SkipWithError("no data pack or no zenbox program");
    return;
  }
  fs::path shot = home.dir() / "first.png";
  std::vector<double> first, exit;
  long peak = 0;
  for (auto _ : state) {
    fs::remove(home.dir() / "zenbox.cfg");
    Child c = runZenbox(home, "wait 30\nshot " + shot.string() + "\nquit\n", shot);
    if (!c.ok || c.watchMs < 0) {
      state.SkipWithError("zenbox failed or wrote no shot");
      return;
    }
    first.push_back(c.watchMs);
    exit.push_back(c.exitMs);
    peak = std::max(peak, c.peakKb);
  }
  std::sort(first.begin(), first.end());
  std::sort(exit.begin(), exit.end());
  state.counters["first_frame_ms"] = first[first.size() / 2];
  state.counters["to_exit_ms"] = exit[exit.size() / 2];
  state.counters["peak_kB"] = double(peak);
}
BENCHMARK(BM_ProcessStartToFirstShot)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Peak memory of the whole program: first start, "Sinkra adv" chosen on the
// pick-game screen, its demo for two minutes of game time, quit.
void BM_ProcessPeakMemoryDemo(benchmark::State& state) {
  Home home;
  if (!home.ok() || !fs::exists(zenboxProgram())) {
    state.SkipWithError("no data pack or no zenbox program");
    return;
  }
  long peak = 0;
  for (auto _ : state) {
    fs::remove(home.dir() / "zenbox.cfg");
    Child c = runZenbox(home, "wait 9000\nclick 56 280\nwait 300\nclick 70 545\nwait 120000\nquit\n", {});
    if (!c.ok) {
      state.SkipWithError("zenbox failed");
      return;
    }
    peak = std::max(peak, c.peakKb);
  }
  state.counters["peak_kB"] = double(peak);
}
BENCHMARK(BM_ProcessPeakMemoryDemo)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
