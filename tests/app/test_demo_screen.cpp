#include <gtest/gtest.h>

#include <vector>

#include "app/ADemoWnd.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "platform/HeadlessWindow.h"
#include "platform/Script.h"
#include "platform/ScriptedWindow.h"

namespace {

// Runs the demonstration screen headless under a script; `onShot` sees the
// running window at every shot step.
struct DemoRun {
  using ShotCheck = std::function<void(const std::string&, OMainWindow&, zb::HeadlessWindow&)>;

  explicit DemoRun(const std::string& script, ShotCheck check) {
    zb::setClock(&clock);
    std::vector<zb::ScriptStep> steps;
    std::string error;
    EXPECT_TRUE(zb::parseScript(script, steps, error)) << error;
    scripted = std::make_unique<zb::ScriptedWindow>(
        platform, steps,
        [this, check](const std::string& name, const zb::PlatformWindow&) {
          check(name, *window, platform);
          return true;
        },
        true, true);
    window = std::make_unique<OMainWindow>(*scripted, ADemoWnd::startup);
    result = window->run();
  }
  ~DemoRun() { zb::setClock(nullptr); }

  zb::ManualClock clock;
  zb::HeadlessWindow platform{&clock};
  std::unique_ptr<zb::ScriptedWindow> scripted;
  std::unique_ptr<OMainWindow> window;
  int result = -1;
};

std::vector<uint32_t> region(const zb::HeadlessWindow& w, int left, int top, int right, int bottom) {
  std::vector<uint32_t> out;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) out.push_back(w.content()[y * 800 + x]);
  return out;
}

ADemoWnd& demoOf(OMainWindow& w) { return static_cast<ADemoWnd&>(*w.app().mainScreen); }

}  // namespace

TEST(DemoScreen, ChangedAreasAddUpToAFullRedraw) {
  int checked = 0;
  DemoRun run("wait 450\nshot a\nwait 1370\nshot b\nclick 720 38\nwait 500\nshot c\n",
              [&](const std::string&, OMainWindow& w, zb::HeadlessWindow& p) {
                std::vector<uint32_t> incremental(p.content(), p.content() + 800 * 600);
                demoOf(w).redrawAll();
                std::vector<uint32_t> full(p.content(), p.content() + 800 * 600);
                size_t differing = 0;
                for (size_t i = 0; i < full.size(); ++i) differing += incremental[i] != full[i];
                EXPECT_EQ(differing, 0u);
                ++checked;
              });
  EXPECT_EQ(checked, 3);
  EXPECT_EQ(run.result, 0);
}

TEST(DemoScreen, ButtonPausesTheMotion) {
  std::vector<std::vector<uint32_t>> arena;
  std::vector<bool> paused;
  std::vector<int> elapsed;
  // The arena's left part holds only bouncing balls (sparks and the fading
  // ball are elsewhere).
  DemoRun run("wait 300\nshot 1\nwait 300\nshot 2\nclick 720 38\nwait 60\nshot 3\nwait 300\nshot 4\n",
              [&](const std::string&, OMainWindow& w, zb::HeadlessWindow& p) {
                arena.push_back(region(p, 100, 215, 320, 585));
                paused.push_back(demoOf(w).paused());
                elapsed.push_back(demoOf(w).elapsedMs());
              });
  ASSERT_EQ(arena.size(), 4u);
  EXPECT_NE(arena[0], arena[1]);
  EXPECT_EQ(paused, (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(arena[2], arena[3]);
  EXPECT_GT(elapsed[3], elapsed[2]);  // time still runs while paused
}

TEST(DemoScreen, EscapeEndsTheRun) {
  int shots = 0;
  DemoRun run("wait 100\nkey Escape\nwait 200\nshot never\n",
              [&](const std::string&, OMainWindow&, zb::HeadlessWindow&) { ++shots; });
  EXPECT_EQ(shots, 0);
  EXPECT_FALSE(run.platform.isOpen());
}

TEST(DemoScreen, StartsCentredAndShowsItsPicture) {
  DemoRun run("wait 100\nshot x\n", [&](const std::string&, OMainWindow&, zb::HeadlessWindow& p) {
    EXPECT_EQ(p.windowX, (1920 - 800) / 2);
    EXPECT_EQ(p.windowY, (1080 - 600) / 2);
    EXPECT_EQ(p.content()[595 * 800 + 795], 0x0E1A33u);  // background corner
    EXPECT_NE(p.content()[38 * 800 + 690], 0x0E1A33u);   // the button
  });
}
