#pragma once
#include <functional>
#include <vector>

#include "app/AZoomNotice.h"
#include "app/OAppState.h"
#include "app/OWindow.h"

// The main window of the game: owns the application-wide state, ticks the
// current screen once per frame, forwards input to it, drags the window by
// its top strip, switches screens through the pending-screen request, and
// handles the F3 (minimise), F4 (full screen) and Ctrl+Plus / Ctrl+Minus
// (zoom) keys.
class OMainWindow : public OWindow {
public:
  // Builds the screens and shared pictures at start-up (called from
  // onCreate, with closing already allowed); false aborts the start.
  using Startup = std::function<bool(OMainWindow&)>;

  explicit OMainWindow(zb::PlatformWindow& platform, Startup startup = nullptr);
  ~OMainWindow() override;

  // The entry: sets the window up (background 0xCCCCFF, pop-up, fixed
  // size, 30 ms frames), creates it as "Zenbox" 800 x 600, shows it and
  // runs the loop. Returns the loop's result, or 0 when creation failed.
  int run(int showCommand = 1);
  // Shows the window with the screens drawn as they stand. Start-up calls it
  // once its first screen is open, so the window appears while the rest loads.
  void reveal();

  bool onCreate() override;
  void onDestroy() override;
  void onCloseRequest() override;
  // Alt+F4 and the desktop's close follow the rule of the exit button.
  void onCloseMessage() override;
  void onTick(int elapsed) override;
  // The current screen is at rest and nothing waits on the frame: no
  // screen switch, drag, exit or change of focus.
  bool atRest() const override;
  void onPaint() override;
  void onMouseMove(int x, int y) override;
  void onLButtonDown(int x, int y) override;
  void onRButtonDown(int x, int y) override;
  void onLButtonUp(int x, int y) override;
  void onRButtonUp(int x, int y) override;
  void onKeyDown(int key, int mods) override;
  void onKeyUp(int key, int mods) override;
  void onChar(unsigned char ch, int mods) override;
  void onMove(int x, int y) override;

  // Centres `screen` in the client area, makes it the pending screen and
  // starts the current screen's leave sequence; a later tick opens it.
  void requestScreen(OEngine* screen);
  // F4: leaves or enters full screen and records the mode reached.
  void toggleFullScreen();
  // Ctrl+Plus / Ctrl+Minus: one zoom step up (direction > 0) or down,
  // recorded in the application state for the settings file. The new size
  // shows on screen for a second; a step the desktop cannot hold is refused
  // and says so.
  void stepZoom(int direction);
  const AZoomNotice& zoomNotice() const { return zoomNotice_; }

  OAppState& app() { return app_; }
  const OAppState& app() const { return app_; }
  bool dragging() const { return dragging_; }

private:
  void dropIntroWhenDone();
  void followFocusWithMusic();
  void completePendingSwitch();
  bool isCurrent(ScreenId id) const;
  // The current screen and those below it, top first.
  std::vector<OEngine*> screenChain() const;

  OAppState app_;
  Startup startup_;
  AZoomNotice zoomNotice_;
  bool dragging_ = false;
  bool hadFocus_ = false;  // the focus seen by the last tick
  int lastPointerX_ = -1, lastPointerY_ = -1;  // the pointer as the last move saw it
  int dragStartX_ = 0;
  int dragStartY_ = 0;
  // When F3 last minimised (0: never). The held key repeats after about
  // 660 ms, and with the focus gone the repeat arrives as a fresh press.
  uint32_t minimisedAt_ = 0;
};
