#include "app/OWindow.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/Clock.h"
#include "platform/Language.h"
#include "platform/XEventWait.h"

OWindow::OWindow(zb::PlatformWindow& platform) : platform_(platform) {}

OWindow::~OWindow() {
  // The window may still go down with the display after the run.
  zb::setDisplayLostHandler([status = quitCode_] { return status; });
}

bool OWindow::onCreate() { return false; }
void OWindow::onDestroy() {}

void OWindow::onCloseRequest() {
  closeAllowed = true;
  close();
}

void OWindow::onCloseMessage() { close(); }

void OWindow::onActivate() {}
void OWindow::onTick(int) {}
bool OWindow::atRest() const { return false; }
void OWindow::onPaint() {}
void OWindow::onMouseMove(int, int) {}
void OWindow::onLButtonDown(int, int) {}
void OWindow::onRButtonDown(int, int) {}
void OWindow::onLButtonUp(int, int) {}
void OWindow::onRButtonUp(int, int) {}
void OWindow::onLButtonDblClk(int, int) {}
void OWindow::onKeyDown(int, int) {}
void OWindow::onKeyUp(int, int) {}
void OWindow::onChar(unsigned char, int) {}
void OWindow::onSize() {}
void OWindow::onCommand(OCommandItem*) {}

void OWindow::onMove(int x, int y) {
  if (fullScreen_) return;
  windowX_ = x;
  windowY_ = y;
}

void OWindow::show(bool restore) { platform_.show(restore); }

bool OWindow::create(const std::string& title, const std::string&, int width, int height, int showCmd) {
  if (width) clientWidth_ = width;
  if (height) clientHeight_ = height;
  showCommand = showCmd;
  if (!platform_.open(title, clientWidth_ > 0 ? clientWidth_ : 800, clientHeight_ > 0 ? clientHeight_ : 600)) {
    platform_.messageBox(zb::tr("Error"), zb::tr("Can't create window"));
    return false;
  }
  platform_.clearContent(backgroundColour);
  // The title is kept to the 1023 characters a fixed buffer would hold.
  title_ = title.substr(0, 1023);
  clientWidth_ = platform_.contentWidth();
  clientHeight_ = platform_.contentHeight();
  // Dragging moves the window relative to where it is.
  platform_.position(windowX_, windowY_);
  if (onCreate()) return true;
  onDestroy();
  return false;
}

int OWindow::runLoop() {
  // A still screen costs nothing: after a tick that leaves everything at
  // rest the loop only wakes for input (and now and then to look again).
  constexpr int kRestWaitMs = 1000;
  lastTickTime_ = zb::nowMs();
  // The display going away ends the run where it is, as leaving does.
  zb::setDisplayLostHandler([this] {
    if (!ended_) {
      ended_ = true;
      onDestroy();
    }
    return quitCode_;
  });
  for (;;) {
    zb::WindowEvent event;
    if (platform_.pollEvent(event)) {
      if (event.kind == zb::WindowEvent::Quit) break;
      dispatch(event);
      resting_ = false;
      continue;
    }
    if (resting_ && atRest()) {
      platform_.waitEvent(kRestWaitMs);
      // Time at rest is not frame time: the next tick runs a frame later.
      lastTickTime_ = zb::nowMs();
      continue;
    }
    resting_ = false;
    uint32_t now = zb::nowMs();
    int interval = std::max(frameInterval, 0);
    // Frames are due on the clock, so a frame's own work does not stretch
    // the interval: wait only for what is left of it.
    int32_t left = static_cast<int32_t>(lastTickTime_ + static_cast<uint32_t>(interval) - now);
    if (left > 0) {
      platform_.waitEvent(left);
      now = zb::nowMs();
      left = static_cast<int32_t>(lastTickTime_ + static_cast<uint32_t>(interval) - now);
      if (left > 0) continue;  // woken early, perhaps by input
    }
    uint32_t previous = lastTickTime_;
    // A few late frames are made up at once; after a longer stall the clock
    // starts afresh rather than running a burst of frames.
    lastTickTime_ = -left > kMaxLateFrames * interval ? now : previous + static_cast<uint32_t>(interval);
    onTick(static_cast<int>(now - previous));
    platform_.present();
    resting_ = atRest();
  }
  ended_ = true;
  onDestroy();
  return quitCode_;
}

void OWindow::dispatch(const zb::WindowEvent& e) {
  using K = zb::WindowEvent;
  switch (e.kind) {
    case K::MouseMove: onMouseMove(e.x, e.y); break;
    case K::LButtonDown: onLButtonDown(e.x, e.y); break;
    case K::LButtonUp: onLButtonUp(e.x, e.y); break;
    case K::LButtonDblClk: onLButtonDblClk(e.x, e.y); break;
    case K::RButtonDown: onRButtonDown(e.x, e.y); break;
    case K::RButtonUp: onRButtonUp(e.x, e.y); break;
    case K::KeyDown: onKeyDown(e.key, e.mods); break;
    case K::KeyUp: onKeyUp(e.key, e.mods); break;
    case K::Char: onChar(e.ch, e.mods); break;
    case K::Activate:
      restorePosition_ = true;
      onActivate();
      break;
    case K::Paint:
      useOwnContext_ = false;
      onPaint();
      useOwnContext_ = true;
      platform_.present();
      break;
    case K::Size:
      // Coming back from minimised puts the window where it was.
      if (restorePosition_ && clientWidth_ > 0 && clientHeight_ > 0 && !fullScreen_) {
        restorePosition_ = false;
        platform_.setBounds(windowX_, windowY_, clientWidth_, clientHeight_);
      }
      onSize();
      break;
    case K::Moved: onMove(e.x, e.y); break;
    case K::CloseRequest: onCloseMessage(); break;
    case K::Quit: break;
  }
}

void OWindow::close() {
  if (closeAllowed)
    destroyWindow();
  else
    onCloseRequest();
}

void OWindow::destroyWindow() {
  if (platform_.isOpen()) platform_.destroy();
}

void OWindow::moveTo(int x, int y, int width, int height) {
  if (fullScreen_) return;
  windowX_ = x;
  windowY_ = y;
  if (width) clientWidth_ = width;
  if (height) clientHeight_ = height;
  platform_.setBounds(windowX_, windowY_, clientWidth_, clientHeight_);
}

void OWindow::getCursorPos(int& x, int& y) const { platform_.cursorPos(x, y); }

void OWindow::getScreenSize(int& width, int& height) const { platform_.desktopSize(width, height); }

void OWindow::pasteText(char* buffer, int max) const {
  if (!buffer) return;
  buffer[0] = 0;
  if (max <= 0) return;
  std::string text = platform_.clipboardText();
  size_t n = std::min(text.size(), static_cast<size_t>(max));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = 0;
}

void OWindow::blitToWindow(const OBitmap& bitmap, int x, int y, const ORect* area) {
  if (!bitmap.valid()) return;
  zb::PixelSource src;
  src.bottomRow = bitmap.rowAddress(bitmap.height() - 1);
  src.stride = bitmap.rowStride();
  src.width = bitmap.width();
  src.height = bitmap.height();
  ORect whole{0, 0, bitmap.width(), bitmap.height()};
  const ORect& r = area ? *area : whole;
  platform_.blit(src, r.left, r.top, r.width(), r.height(), x, y);
}

bool OWindow::enterFullScreen() {
  if (fullScreen_) return true;
  if (!platform_.setFullScreen(true)) {
    leaveFullScreen();
    return false;
  }
  fullScreen_ = true;
  return true;
}

void OWindow::leaveFullScreen() {
  fullScreen_ = false;
  platform_.setFullScreen(false);
  platform_.setBounds(windowX_, windowY_, clientWidth_, clientHeight_);
}

void OWindow::reportError(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  platform_.messageBox("", text);
}

void OWindow::dispatchCommand(uint16_t id) {
  for (size_t i = 0; i < commandItems_.size(); ++i)
    if (commandItems_[i]->id == id) onCommand(commandItems_[i].get());
}

void OWindow::addCommandItem(std::unique_ptr<OCommandItem> item) {
  if (item) commandItems_.push_back(std::move(item));
}
