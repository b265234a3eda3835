#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/OBitmap.h"
#include "platform/PlatformWindow.h"

// An item that a command message can reach by its 16-bit id.
struct OCommandItem {
  uint16_t id = 0;
  virtual ~OCommandItem() = default;
};

// The one top-level window: turns the platform's messages into virtual
// calls, runs the message loop with its fixed frame clock and copies
// finished pictures to the screen. It draws nothing of its own.
class OWindow {
public:
  explicit OWindow(zb::PlatformWindow& platform);
  OWindow(const OWindow&) = delete;
  OWindow& operator=(const OWindow&) = delete;

  // Deletes the command items.
  virtual ~OWindow();
  // Called once the window exists; false aborts start-up.
  virtual bool onCreate();
  // Called once after the loop ends, or right after onCreate failed.
  virtual void onDestroy();
  // A close was asked for while closing is not allowed: the default allows
  // it and closes.
  virtual void onCloseRequest();
  // The user or the desktop asks the window to close (Alt+F4, the frame's
  // close button). The default closes.
  virtual void onCloseMessage();
  virtual void onActivate();
  virtual void onTick(int elapsed);
  // True when a tick would change nothing: the loop then sleeps until input
  // arrives instead of ticking. The default never rests.
  virtual bool atRest() const;
  virtual void onPaint();
  virtual void onMouseMove(int x, int y);
  virtual void onLButtonDown(int x, int y);
  virtual void onRButtonDown(int x, int y);
  virtual void onLButtonUp(int x, int y);
  virtual void onRButtonUp(int x, int y);
  virtual void onLButtonDblClk(int x, int y);
  virtual void onKeyDown(int key, int mods);
  virtual void onKeyUp(int key, int mods);
  virtual void onChar(unsigned char ch, int mods);
  virtual void onSize();
  // The desktop moved the window (x, y as moveTo takes them): remembered as
  // its position unless in full screen.
  virtual void onMove(int x, int y);
  virtual void onCommand(OCommandItem* item);
  // Shows the window restored (true) or minimised (false).
  virtual void show(bool restore);

  // Makes the window (width and height used when non-zero) and calls
  // onCreate; false when the window cannot be made or onCreate refuses.
  bool create(const std::string& title, const std::string& className, int width, int height, int showCommand);
  // Handles messages and ticks until the window is gone; returns the quit code.
  int runLoop();
  // The quit code runLoop returns (0 unless set).
  void setQuitCode(int code) { quitCode_ = code; }
  int quitCode() const { return quitCode_; }
  // Destroys the window when closing is allowed, else asks onCloseRequest.
  void close();
  // Ignored in full screen; keeps width and height when they are 0.
  void moveTo(int x, int y, int width, int height);
  void getCursorPos(int& x, int& y) const;
  void getScreenSize(int& width, int& height) const;
  // Copies up to `max` clipboard characters into `buffer` (max + 1 bytes) and terminates it.
  void pasteText(char* buffer, int max) const;
  // Copies `bitmap` (or its `area`) to the window with its top-left at (x, y).
  void blitToWindow(const OBitmap& bitmap, int x, int y, const ORect* area = nullptr);
  // Windowed zoom in percent, one of the steps of platform/ZoomSteps.h (0
  // for the largest that fits); returns the zoom reached.
  int setZoom(int zoom) { return platform_.setZoom(zoom); }
  int zoom() const { return platform_.zoom(); }
  // Desktop full screen with the content scaled to fit; false when refused.
  bool enterFullScreen();
  void leaveFullScreen();
  // The message box of fatal errors: empty caption, an OK button.
  void reportError(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Hands a command message on to every item with that id.
  void dispatchCommand(uint16_t id);
  // Takes ownership of a command item.
  void addCommandItem(std::unique_ptr<OCommandItem> item);
  // One message, as the loop would hand it over (also used by tests).
  void dispatch(const zb::WindowEvent& event);

  zb::PlatformWindow& platform() const { return platform_; }
  int clientWidth() const { return clientWidth_; }
  int clientHeight() const { return clientHeight_; }
  int windowX() const { return windowX_; }
  int windowY() const { return windowY_; }
  const std::string& title() const { return title_; }
  bool fullScreen() const { return fullScreen_; }
  bool exists() const { return platform_.isOpen(); }

  uint32_t backgroundColour = 0xFFFFFF;
  bool popup = false;
  bool fixedSize = false;
  int frameInterval = 100;
  bool closeAllowed = false;
  int showCommand = 0;

protected:
  void destroyWindow();

  // Frames more late than this are not made up: the frame clock starts afresh.
  static constexpr int kMaxLateFrames = 4;

  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int windowX_ = 0;
  int windowY_ = 0;
  std::string title_;
  uint32_t lastTickTime_ = 0;
  bool resting_ = false;
  bool useOwnContext_ = true;
  bool fullScreen_ = false;
  bool restorePosition_ = false;

private:
  zb::PlatformWindow& platform_;
  std::vector<std::unique_ptr<OCommandItem>> commandItems_;
  int quitCode_ = 0;
  // The run loop has ended and the screens were taken down.
  bool ended_ = false;
};
