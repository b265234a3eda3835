#include "platform/HeadlessWindow.h"
#include "platform/ZoomSteps.h"

#include <algorithm>

namespace zb {

bool HeadlessWindow::open(const std::string& windowTitle, int width, int height) {
  if (failOpen) return false;
  title = windowTitle;
  windowWidth = width;
  windowHeight = height;
  frame_ = std::make_unique<FrameBuffer>(width, height);
  open_ = true;
  return true;
}

void HeadlessWindow::destroy() {
  if (!open_) return;
  open_ = false;
  events_.clear();
  quitPending_ = true;
}

bool HeadlessWindow::pollEvent(WindowEvent& event) {
  if (quitPending_) {
    quitPending_ = false;
    event = WindowEvent{};
    event.kind = WindowEvent::Quit;
    return true;
  }
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  if (event.kind == WindowEvent::MouseMove || event.kind == WindowEvent::LButtonDown ||
      event.kind == WindowEvent::LButtonUp || event.kind == WindowEvent::RButtonDown ||
      event.kind == WindowEvent::RButtonUp || event.kind == WindowEvent::LButtonDblClk) {
    cursorX = event.x;
    cursorY = event.y;
  }
  return true;
}

void HeadlessWindow::waitEvent(int timeoutMs) {
  ++waits;
  if (clock_ && timeoutMs > 0) clock_->advance(static_cast<uint32_t>(timeoutMs));
  if (onWait) onWait(waits);
}

void HeadlessWindow::blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY) {
  ++blits;
  blitAreas.push_back(Area{dstX, dstY, dstX + width, dstY + height});
  if (frame_) frame_->blit(src, srcX, srcY, width, height, dstX, dstY);
}

void HeadlessWindow::present() {
  ++presents;
  blitAreas.clear();
  if (frame_) frame_->takeDirty();
}

const uint32_t* HeadlessWindow::content() const { return frame_ ? frame_->pixels() : nullptr; }

void HeadlessWindow::show(bool restore) {
  shown = true;
  minimised = !restore;
}

void HeadlessWindow::setBounds(int x, int y, int width, int height) {
  windowX = x;
  windowY = y;
  windowWidth = width;
  windowHeight = height;
}

void HeadlessWindow::position(int& x, int& y) const {
  x = windowX;
  y = windowY;
}

int HeadlessWindow::setZoom(int percent) {
  zoomNow = std::clamp(percent <= 0 ? autoZoom : percent, kMinZoomPercent, std::max(maxZoom, kMinZoomPercent));
  return zoomNow;
}

bool HeadlessWindow::setFullScreen(bool on) {
  if (on && !fullScreenPossible) return false;
  fullScreen = on;
  return true;
}

void HeadlessWindow::desktopSize(int& width, int& height) const {
  width = desktopWidth;
  height = desktopHeight;
}

void HeadlessWindow::cursorPos(int& x, int& y) const {
  x = cursorX;
  y = cursorY;
}

void HeadlessWindow::messageBox(const std::string& caption, const std::string& text) {
  messages.push_back(caption.empty() ? text : caption + ": " + text);
}

bool HeadlessWindow::openUrl(const std::string& url) {
  urls.push_back(url);
  return true;
}

}  // namespace zb
