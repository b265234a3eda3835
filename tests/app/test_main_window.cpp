#include <gtest/gtest.h>

#include "platform/KeyCodes.h"
#include "tests/app/EngineTestSupport.h"

using namespace enginetest;
using zb::WindowEvent;

namespace {

WindowEvent event(WindowEvent::Kind kind, int x = 0, int y = 0, int key = 0) {
  WindowEvent e;
  e.kind = kind;
  e.x = x;
  e.y = y;
  e.key = key;
  return e;
}

// A screen whose pointer handling takes time, as a slow handler would.
struct SlowScreen : LogScreen {
  SlowScreen(Rig& rig) : LogScreen(rig.window, rig.journal, "slow"), clock(rig.clock) {}
  OClipControl* onMouseMove(int x, int y) override {
    clock.advance(10);
    return LogScreen::onMouseMove(x, y);
  }
  zb::ManualClock& clock;
};

struct MainTest : ::testing::Test {
  MainTest() { rig.clock.set(1000); }
  OAppState& app() { return rig.window.app(); }
  LogScreen* makeMain() {
    auto s = std::make_unique<LogScreen>(rig.window, rig.journal, "main");
    LogScreen* raw = s.get();
    app().mainScreen = std::move(s);
    return raw;
  }
  LogScreen* makeTable(ScreenId id, const std::string& name, int w = 200, int h = 100) {
    auto s = std::make_unique<LogScreen>(rig.window, rig.journal, name, 0, 0, w, h);
    LogScreen* raw = s.get();
    app().screens[static_cast<size_t>(id)] = std::move(s);
    return raw;
  }
  Rig rig;
};

}  // namespace

TEST_F(MainTest, BusyQueueHoldsTheTickWhichThenGetsTheWholeElapsedTime) {
  SlowScreen screen(rig);
  screen.open(&app().currentScreen);
  rig.platform.onWait = [&](int wait) {
    if (wait == 1)
      for (int i = 0; i < 20; ++i) rig.platform.push(event(WindowEvent::MouseMove, i, i));
    if (wait == 2) rig.platform.push(event(WindowEvent::Quit));
  };
  rig.window.runLoop();
  // First wait: 30 ms, tick. Then 20 handlers of 10 ms each without a tick;
  // that frame is long overdue, so it runs at once with all 200 ms, and the
  // next one a frame later, before the quit is taken.
  EXPECT_EQ(screen.tickTimes, (std::vector<int>{30, 200, 30}));
  EXPECT_EQ(rig.platform.waits, 2);
}

namespace {

// A screen whose frames take `workMs` each, then `stallMs` once on frame `stallAt`.
struct BusyScreen : LogScreen {
  BusyScreen(Rig& rig, int work) : LogScreen(rig.window, rig.journal, "busy"), clock(rig.clock), workMs(work) {}
  void tick(int elapsed) override {
    LogScreen::tick(elapsed);
    tickAt.push_back(clock.nowMs());
    clock.advance(static_cast<uint32_t>(ticks == stallAt ? stallMs : workMs));
  }
  zb::ManualClock& clock;
  int workMs;
  int stallAt = -1, stallMs = 0;
  std::vector<uint32_t> tickAt;
};

}  // namespace

// Frames start every 30 ms on the clock, whatever part of it their own work
// takes: the loop waits only for what is left of the interval.
TEST(MainLoop, FramesKeepTheirIntervalWhateverTheirWorkTakes) {
  for (int work : {0, 12, 29}) {
    Rig local;
    local.clock.set(1000);
    BusyScreen screen(local, work);
    screen.open(&local.window.app().currentScreen);
    local.platform.onWait = [&](int) {
      if (screen.ticks == 19) local.platform.push(event(WindowEvent::Quit));  // taken after the next frame
    };
    local.window.runLoop();
    ASSERT_EQ(screen.ticks, 20) << work;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(screen.tickAt[size_t(i)], 1030u + 30u * i) << work << " frame " << i;
    for (int t : screen.tickTimes) EXPECT_EQ(t, 30) << work;
  }
}

// A frame late by a little is made up at once.
TEST_F(MainTest, AFrameALittleLateIsMadeUp) {
  BusyScreen small(rig, 0);
  small.stallAt = 3;
  small.stallMs = 50;  // frame 4 starts 20 ms late, frame 5 on time again
  small.open(&app().currentScreen);
  rig.platform.onWait = [&](int) {
    if (small.ticks == 5) rig.platform.push(event(WindowEvent::Quit));
  };
  rig.window.runLoop();
  EXPECT_EQ(small.tickAt, (std::vector<uint32_t>{1030, 1060, 1090, 1140, 1150, 1180}));
}

// After a long stall the clock starts afresh instead of running a burst of frames.
TEST_F(MainTest, AStallResynchronisesTheFrameClock) {
  BusyScreen stalled(rig, 0);
  stalled.stallAt = 2;
  stalled.stallMs = 1000;
  stalled.open(&app().currentScreen);
  rig.platform.onWait = [&](int) {
    if (stalled.ticks == 4) rig.platform.push(event(WindowEvent::Quit));
  };
  rig.window.runLoop();
  // The stall's frame gets the whole time; the next ones follow 30 ms apart.
  EXPECT_EQ(stalled.tickAt, (std::vector<uint32_t>{1030, 1060, 2060, 2090, 2120}));
  EXPECT_EQ(stalled.tickTimes, (std::vector<int>{30, 30, 1000, 30, 30}));
}

TEST_F(MainTest, IdleLoopWaitsAFrameBetweenTicks) {
  LogScreen screen(rig.window, rig.journal, "s");
  screen.open(&app().currentScreen);
  rig.platform.onWait = [&](int wait) {
    if (wait == 10) rig.platform.push(event(WindowEvent::Quit));
  };
  rig.window.runLoop();
  EXPECT_EQ(screen.ticks, 10);
  EXPECT_EQ(rig.platform.presents, 10);
}

// A screen at rest stops the ticks: the loop only waits, and input brings
// the ticks back with a frame's time, not the time spent resting.
TEST_F(MainTest, RestingScreenIsNotTickedUntilInputComes) {
  LogScreen screen(rig.window, rig.journal, "s");
  screen.redrawMode = OEngine::kRedrawDirty;
  screen.restful = true;
  screen.open(&app().currentScreen);
  rig.platform.onWait = [&](int wait) {
    if (wait == 5) rig.platform.push(event(WindowEvent::MouseMove, 3, 3));
    if (wait == 8) rig.platform.push(event(WindowEvent::Quit));
  };
  rig.window.runLoop();
  EXPECT_EQ(screen.tickTimes, (std::vector<int>{30, 30}));
  // Waits 2-5 and 7-8 rested, far longer than frames.
  EXPECT_GT(rig.clock.nowMs(), 1000u + 6 * 500);
  EXPECT_EQ(rig.platform.presents, 2);
}

TEST_F(MainTest, DragStripIsFifteenOnDialogsAndFiveOnTheMainScreen) {
  LogScreen dialog(rig.window, rig.journal, "d", 0, 0, 200, 100);
  dialog.open(&app().currentScreen);
  rig.window.onLButtonDown(50, 15);
  EXPECT_FALSE(rig.window.dragging());
  rig.window.onLButtonUp(50, 15);
  rig.window.onLButtonDown(50, 14);
  EXPECT_TRUE(rig.window.dragging());
  EXPECT_TRUE(dialog.leftButtonHeld());  // the press still reaches the screen
  rig.window.onLButtonUp(50, 14);
  dialog.close(0);

  LogScreen* main = makeMain();
  main->open(&app().currentScreen);
  rig.window.onLButtonDown(50, 5);
  EXPECT_FALSE(rig.window.dragging());
  rig.window.onLButtonUp(50, 5);
  rig.window.onLButtonDown(50, 4);
  EXPECT_TRUE(rig.window.dragging());
}

TEST_F(MainTest, DraggingMovesTheWindowAndDoesNotTickTheScreen) {
  LogScreen dialog(rig.window, rig.journal, "d", 0, 0, 200, 100);
  dialog.open(&app().currentScreen);
  rig.window.moveTo(100, 100, 0, 0);
  rig.window.onLButtonDown(40, 10);
  rig.platform.cursorX = 60;  // the pointer moved 20 right, 5 up
  rig.platform.cursorY = 5;
  rig.window.onTick(30);
  EXPECT_EQ(dialog.ticks, 0);
  EXPECT_EQ(rig.platform.windowX, 120);
  EXPECT_EQ(rig.platform.windowY, 95);
  EXPECT_EQ(rig.platform.windowWidth, 800);
  rig.window.onLButtonUp(60, 5);
  rig.window.onTick(30);
  EXPECT_EQ(dialog.ticks, 1);
}

TEST_F(MainTest, F4TogglesFullScreenAndRecordsTheModeReached) {
  rig.window.onKeyDown(zb::vk::F4, 0);
  EXPECT_TRUE(rig.window.fullScreen());
  EXPECT_TRUE(app().windowMode);
  rig.window.onKeyDown(zb::vk::F4, 0);
  EXPECT_FALSE(rig.window.fullScreen());
  EXPECT_FALSE(app().windowMode);
  rig.platform.fullScreenPossible = false;
  rig.window.onKeyDown(zb::vk::F4, 0);
  EXPECT_FALSE(rig.window.fullScreen());
  EXPECT_FALSE(app().windowMode);
  EXPECT_FALSE(rig.platform.fullScreen);
}

TEST_F(MainTest, MoveIsIgnoredInFullScreen) {
  rig.window.moveTo(10, 20, 400, 400);
  rig.window.enterFullScreen();
  rig.window.moveTo(50, 50, 0, 0);
  EXPECT_EQ(rig.window.windowX(), 10);
  rig.window.leaveFullScreen();
  EXPECT_EQ(rig.platform.windowX, 10);
  EXPECT_EQ(rig.platform.windowWidth, 400);
}

TEST_F(MainTest, CtrlPlusAndMinusWalkTheZoomStepsAndSayWhatHappened) {
  LogScreen screen(rig.window, rig.journal, "s");
  screen.open(&app().currentScreen);
  rig.platform.maxZoom = 200;
  const int walk[] = {125, 150, 175, 200};
  for (int percent : walk) {
    rig.window.onKeyDown(percent % 50 ? zb::vk::OemPlus : zb::vk::Add, zb::ModCtrl);
    EXPECT_EQ(rig.platform.zoomNow, percent);
    EXPECT_EQ(app().zoom, percent);
    EXPECT_EQ(rig.window.zoomNotice().text(), "Zoom " + std::to_string(percent) + " %");
  }
  // The next step does not fit: nothing changes, but the player is told.
  rig.window.onKeyDown(zb::vk::OemPlus, zb::ModCtrl);
  EXPECT_EQ(rig.platform.zoomNow, 200);
  EXPECT_EQ(app().zoom, 200);
  EXPECT_EQ(rig.window.zoomNotice().text(), "Zoom 300 % does not fit the screen");
  rig.window.onKeyDown(zb::vk::Subtract, zb::ModCtrl);
  rig.window.onKeyDown(zb::vk::OemMinus, zb::ModCtrl);
  EXPECT_EQ(app().zoom, 150);
  EXPECT_EQ(rig.window.zoomNotice().text(), "Zoom 150 %");
  for (int i = 0; i < 4; ++i) rig.window.onKeyDown(zb::vk::OemMinus, zb::ModCtrl);
  EXPECT_EQ(app().zoom, 100);  // the smallest step stays
  rig.window.onKeyDown(zb::vk::OemPlus, 0);  // without Ctrl the key is the screen's
  EXPECT_EQ(app().zoom, 100);
}

TEST_F(MainTest, ZoomLineShowsForASecondThenTheScreensRepaintItsPlace) {
  LogScreen screen(rig.window, rig.journal, "s");
  screen.open(&app().currentScreen);
  auto pixelUnderLine = [&] { return rig.platform.content()[42 * rig.platform.contentWidth() + 400]; };
  const uint32_t before = pixelUnderLine();
  rig.window.onKeyDown(zb::vk::OemPlus, zb::ModCtrl);
  ASSERT_TRUE(rig.window.zoomNotice().active());
  EXPECT_FALSE(rig.window.atRest());  // the line must be ticked away
  rig.window.onTick(600);
  EXPECT_TRUE(rig.window.zoomNotice().active());
  EXPECT_EQ(pixelUnderLine(), 0x131F3Bu);
  rig.window.onTick(600);
  EXPECT_FALSE(rig.window.zoomNotice().active());
  EXPECT_EQ(pixelUnderLine(), before);
}

TEST_F(MainTest, DesktopMovesAreFollowedExceptWhileDraggingOrInFullScreen) {
  LogScreen dialog(rig.window, rig.journal, "d", 0, 0, 200, 100);
  dialog.open(&app().currentScreen);
  rig.window.moveTo(100, 100, 0, 0);
  rig.window.dispatch(event(WindowEvent::Moved, 300, 200));
  EXPECT_EQ(rig.window.windowX(), 300);
  // Reports of the game's own drag arrive late; they must not pull it back.
  rig.window.onLButtonDown(40, 10);
  rig.platform.cursorX = 60;
  rig.platform.cursorY = 10;
  rig.window.onTick(30);
  rig.window.dispatch(event(WindowEvent::Moved, 300, 200));
  rig.window.onTick(30);
  EXPECT_EQ(rig.platform.windowX, 340);
  rig.window.onLButtonUp(60, 10);
  rig.window.enterFullScreen();
  rig.window.dispatch(event(WindowEvent::Moved, 0, 0));
  rig.window.leaveFullScreen();
  EXPECT_EQ(rig.platform.windowX, 340);
  EXPECT_EQ(rig.platform.windowY, 200);
}

TEST_F(MainTest, F3MinimisesOtherKeysReachTheScreen) {
  LogScreen screen(rig.window, rig.journal, "s");
  TestControl* c = new TestControl();
  c->focused = true;
  screen.addControl(c);
  screen.open(&app().currentScreen);
  rig.window.onKeyDown(zb::vk::F3, 0);
  EXPECT_TRUE(rig.platform.minimised);
  EXPECT_TRUE(c->keys.empty());
  rig.window.dispatch(event(WindowEvent::KeyDown, 0, 0, zb::vk::Escape));
  EXPECT_EQ(c->keys, std::vector<int>{zb::vk::Escape});
}

// X repeats a held key after about 660 ms; when F3 has taken the focus
// away, that repeat comes as a fresh press once the window is back.
TEST_F(MainTest, AHeldF3MinimisesOnceAndNotTheRestoredWindowAgain) {
  rig.window.onKeyDown(zb::vk::F3, 0);
  ASSERT_TRUE(rig.platform.minimised);
  rig.platform.minimised = false;  // the window manager brings it back
  rig.clock.advance(660);
  rig.window.onKeyDown(zb::vk::F3, 0);
  EXPECT_FALSE(rig.platform.minimised);
  rig.clock.advance(1000);
  rig.window.onKeyDown(zb::vk::F3, 0);
  EXPECT_TRUE(rig.platform.minimised);
}

TEST_F(MainTest, SwitchWaitsForTheClosingScreenAndTakesTheLatestRequest) {
  LogScreen* a = makeTable(ScreenId::Menu, "menu");
  LogScreen* b = makeTable(ScreenId::Help, "help");
  LogScreen* c = makeTable(ScreenId::Top10, "top10", 300, 200);
  a->open(&app().currentScreen);
  a->phaseValue = ScreenPhase::Open;
  rig.window.requestScreen(b);
  EXPECT_EQ(a->closingStarts, 1);
  a->phaseValue = ScreenPhase::Closing;
  rig.window.onTick(30);
  EXPECT_EQ(app().currentScreen, a);
  rig.window.requestScreen(c);  // replaces the target
  EXPECT_EQ(c->x(), 250);       // centred in 800 x 600
  EXPECT_EQ(c->y(), 200);
  a->phaseValue = ScreenPhase::Closed;
  rig.window.onTick(30);
  EXPECT_EQ(app().currentScreen, c);
  EXPECT_EQ(c->previousScreen(), a);
  EXPECT_EQ(app().pendingScreen, nullptr);
  EXPECT_FALSE(b->isOpen());
}

TEST_F(MainTest, OpenScreenIsToldToCloseByTheTick) {
  LogScreen* a = makeTable(ScreenId::Menu, "menu");
  LogScreen* b = makeTable(ScreenId::Help, "help");
  a->open(&app().currentScreen);
  app().pendingScreen = b;
  a->phaseValue = ScreenPhase::Open;
  rig.window.onTick(30);
  EXPECT_EQ(a->closingStarts, 1);
  EXPECT_EQ(app().currentScreen, a);
}

TEST_F(MainTest, MainScreenIsLeftOnlyWhenItAllows) {
  LogScreen* main = makeMain();
  LogScreen* help = makeTable(ScreenId::Help, "help");
  LogScreen* menu = makeTable(ScreenId::Menu, "menu");
  main->open(&app().currentScreen);
  app().firstStart = true;
  rig.window.requestScreen(help);
  EXPECT_EQ(main->closingStarts, 0);  // first start: no new cover sequence
  rig.window.requestScreen(menu);
  EXPECT_EQ(main->closingStarts, 1);
  main->phaseValue = ScreenPhase::Open;  // the main screen is never told from the tick
  rig.window.onTick(30);
  EXPECT_EQ(main->closingStarts, 1);
  EXPECT_EQ(app().currentScreen, main);
  main->phaseValue = ScreenPhase::Closed;
  rig.window.onTick(30);
  EXPECT_EQ(app().currentScreen, menu);
}

TEST_F(MainTest, QuitRequestEndsTheRunUnlessThePromotionScreenShows) {
  LogScreen* promo = makeTable(ScreenId::Promotion, "promo");
  promo->open(&app().currentScreen);
  app().quitRequested = true;
  rig.window.onTick(30);
  EXPECT_TRUE(rig.window.exists());
  promo->close(0);
  app().currentScreen = nullptr;
  rig.window.closeAllowed = true;
  rig.window.onTick(30);
  EXPECT_FALSE(rig.window.exists());
  rig.window.runLoop();  // ends at once on the quit that follows
}

TEST_F(MainTest, CloseRequestOpensThePromotionScreenClosingHelpFirst) {
  LogScreen* main = makeMain();
  LogScreen* help = makeTable(ScreenId::Help, "help");
  LogScreen* promo = makeTable(ScreenId::Promotion, "promo");
  main->open(&app().currentScreen);
  help->open(&app().currentScreen);
  rig.window.closeAllowed = false;
  rig.window.dispatch(event(WindowEvent::CloseRequest));
  EXPECT_EQ(app().currentScreen, promo);
  EXPECT_EQ(promo->previousScreen(), main);
  EXPECT_FALSE(help->isOpen());
  rig.window.dispatch(event(WindowEvent::CloseRequest));  // already showing: nothing
  EXPECT_EQ(app().currentScreen, promo);
  EXPECT_TRUE(rig.window.exists());
}

TEST_F(MainTest, CloseWithoutPromotionScreenEndsTheRun) {
  rig.window.closeAllowed = false;
  rig.window.dispatch(event(WindowEvent::CloseRequest));
  EXPECT_FALSE(rig.window.exists());
}

TEST_F(MainTest, PaintRedrawsTheStackFromTheBottom) {
  LogScreen* main = makeMain();
  main->backgroundColour = 0x0000FF;
  LogScreen* menu = makeTable(ScreenId::Menu, "menu");
  menu->backgroundColour = 0x00FF00;
  main->open(&app().currentScreen);
  menu->open(&app().currentScreen);
  rig.platform.clearContent(0);
  rig.window.dispatch(event(WindowEvent::Paint));
  EXPECT_EQ(rig.platform.content()[0], 0x00FF00u);           // the dialog at (0, 0)
  EXPECT_EQ(rig.platform.content()[500 * 800 + 500], 0x0000FFu);  // the main screen around it
  EXPECT_GT(rig.platform.presents, 0);
}

TEST_F(MainTest, IntroIsDeletedOnceItIsNoLongerCurrent) {
  auto intro = std::make_unique<LogScreen>(rig.window, rig.journal, "intro", 0, 0, 600, 600);
  LogScreen* raw = intro.get();
  app().introScreen = std::move(intro);
  raw->open(&app().currentScreen);
  rig.window.onTick(30);
  EXPECT_NE(app().introScreen, nullptr);
  LogScreen* main = makeMain();
  main->open(&app().currentScreen);  // over the intro
  rig.window.onTick(30);
  EXPECT_EQ(app().introScreen, nullptr);
  EXPECT_EQ(main->previousScreen(), nullptr);
}

TEST_F(MainTest, PendingSwitchWaitsWhileTheIntroIsCurrent) {
  auto intro = std::make_unique<LogScreen>(rig.window, rig.journal, "intro", 0, 0, 600, 600);
  LogScreen* raw = intro.get();
  app().introScreen = std::move(intro);
  raw->open(&app().currentScreen);
  LogScreen* menu = makeTable(ScreenId::Menu, "menu");
  app().pendingScreen = menu;
  rig.window.onTick(30);
  EXPECT_EQ(app().currentScreen, raw);
}

TEST(MainWindowEntry, FailedWindowGivesMessageAndZero) {
  zb::HeadlessWindow platform;
  platform.failOpen = true;
  OMainWindow window(platform);
  EXPECT_EQ(window.run(), 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "Error: Can't create window");
}

TEST(MainWindowEntry, StartupRefusalEndsQuietly) {
  zb::HeadlessWindow platform;
  bool started = false;
  OMainWindow window(platform, [&](OMainWindow& w) {
    started = w.closeAllowed && w.frameInterval == 30;
    return false;
  });
  EXPECT_EQ(window.run(), 0);
  EXPECT_TRUE(started);
  EXPECT_EQ(platform.title, "Zenbox");
  EXPECT_TRUE(platform.messages.empty());
}

TEST(MainWindowEntry, ErrorReportHasNoCaption) {
  zb::HeadlessWindow platform;
  OMainWindow window(platform);
  window.reportError("Error: file %s not found!", "clp/bt3.clp");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "Error: file clp/bt3.clp not found!");
}

TEST_F(MainTest, PaintEndsWhenAScreenWasOpenedOverItself) {
  LogScreen* main = makeMain();
  LogScreen* menu = makeTable(ScreenId::Menu, "menu");
  main->open(&app().currentScreen);
  menu->open(&app().currentScreen);
  main->open(&app().currentScreen);  // a stack that loops: main over menu over main
  rig.journal.clear();
  rig.window.dispatch(event(WindowEvent::Paint));  // must not walk the loop forever
  rig.window.onTick(30);
  EXPECT_EQ(app().currentScreen, main);
}
