// Where the window is and how large: positions in content pixels, the
// zoom, full screen, and the pointer in content pixels.
#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/SdlWindow.h"
#include "platform/XWindowManager.h"
#include "platform/ZoomSteps.h"

namespace zb {

double SdlWindow::windowedScale() const {
  if (windowedW_ <= 0 || windowedH_ <= 0 || viewW_ <= 0 || viewH_ <= 0) return 1.0;
  return std::min(double(windowedW_) / viewW_, double(windowedH_) / viewH_);
}

int SdlWindow::fittingZoom(double share) const {
  SDL_Rect usable;
  int display = window_ ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
  if (!frame_ || SDL_GetDisplayUsableBounds(display, &usable) != 0 || usable.w <= 0 || usable.h <= 0)
    return kMinZoomPercent;
  return largestZoomStep(frame_->width(), frame_->height(), usable.w * share * density_, usable.h * share * density_);
}

int SdlWindow::windowUnits(int contentPixels) const {
  return std::max(static_cast<int>(std::lround(contentPixels * zoom_ / (100.0 * density_))), 1);
}

void SdlWindow::applyWindowedSize(int width, int height) {
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  if (w != width || h != height) SDL_SetWindowSize(window_, width, height);
}

void SdlWindow::show(bool restore) {
  if (!window_) return;
  pointer_.known = false;
  if (restore) {
    SDL_ShowWindow(window_);
    SDL_RestoreWindow(window_);
  } else {
    SDL_MinimizeWindow(window_);
  }
}

void SdlWindow::setBounds(int x, int y, int width, int height) {
  if (!window_) return;
  pointer_.known = false;
  bool newView = width != viewW_ || height != viewH_;
  viewW_ = std::max(width, 1);
  viewH_ = std::max(height, 1);
  if (!fullScreen_) {
    // The player's own window size stays while the content size does.
    if (newView || windowedW_ <= 0) {
      windowedW_ = windowUnits(viewW_);
      windowedH_ = windowUnits(viewH_);
    }
    applyWindowedSize(windowedW_, windowedH_);
    double s = windowedScale();
    int wx = static_cast<int>(std::lround(x * s)), wy = static_cast<int>(std::lround(y * s));
    if (anchor_.valid) {
      wx = anchor_.windowX + static_cast<int>(std::lround((x - anchor_.x) * s));
      wy = anchor_.windowY + static_cast<int>(std::lround((y - anchor_.y) * s));
    }
    anchor_.valid = true;
    anchor_.x = x;
    anchor_.y = y;
    anchor_.windowX = wx;
    anchor_.windowY = wy;
    int cx = 0, cy = 0;
    SDL_GetWindowPosition(window_, &cx, &cy);
    if (cx != wx || cy != wy) SDL_SetWindowPosition(window_, wx, wy);
  }
  SDL_ShowWindow(window_);
  mustPresent_ = true;
}

void SdlWindow::position(int& x, int& y) const {
  x = y = 0;
  if (!window_) return;
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(window_, &wx, &wy);
  if (!anchor_.valid || anchor_.windowX != wx || anchor_.windowY != wy) {
    double s = windowedScale();
    int ax = anchor_.valid ? anchor_.x : 0, ay = anchor_.valid ? anchor_.y : 0;
    int awx = anchor_.valid ? anchor_.windowX : 0, awy = anchor_.valid ? anchor_.windowY : 0;
    anchor_.x = ax + static_cast<int>(std::lround((wx - awx) / s));
    anchor_.y = ay + static_cast<int>(std::lround((wy - awy) / s));
    anchor_.windowX = wx;
    anchor_.windowY = wy;
    anchor_.valid = true;
  }
  x = anchor_.x;
  y = anchor_.y;
}

int SdlWindow::setZoom(int percent) {
  if (percent > 0 && !isZoomStep(percent)) percent = nextZoomStep(percent, -1);
  zoom_ = std::clamp(percent <= 0 ? fittingZoom(0.9) : percent, kMinZoomPercent, fittingZoom(1.0));
  if (!window_) return zoom_;
  pointer_.known = false;
  int w = windowUnits(viewW_), h = windowUnits(viewH_);
  bool first = windowedW_ <= 0;
  int oldW = windowedW_, oldH = windowedH_;
  windowedW_ = w;
  windowedH_ = h;
  if (fullScreen_) return zoom_;
  applyWindowedSize(w, h);
  if (first || (w == oldW && h == oldH)) return zoom_;
  // The window grows or shrinks about its centre, kept on the usable desktop.
  int x = 0, y = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  int nx = x + (oldW - w) / 2, ny = y + (oldH - h) / 2;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &usable) == 0) {
    nx = std::clamp(nx, usable.x, std::max(usable.x, usable.x + usable.w - w));
    ny = std::clamp(ny, usable.y, std::max(usable.y, usable.y + usable.h - h));
  }
  SDL_SetWindowPosition(window_, nx, ny);
  // Content-pixel positions start afresh at the new scale.
  anchor_.valid = false;
  int lx = 0, ly = 0;
  position(lx, ly);
  push(WindowEvent::Moved, lx, ly);
  mustPresent_ = true;
  return zoom_;
}

bool SdlWindow::coverDisplay() {
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &bounds) != 0) return false;
  // Set first, so the moves and sizes that follow are not taken for the
  // player's own windowed ones.
  fullScreen_ = covering_ = true;
  SDL_SetWindowPosition(window_, bounds.x, bounds.y);
  SDL_SetWindowSize(window_, bounds.w, bounds.h);
  SDL_RaiseWindow(window_);
  mustPresent_ = true;
  return true;
}

bool SdlWindow::setFullScreen(bool on) {
  if (!window_) return false;
  pointer_.known = false;
  if (covering_ || (on && !fullScreen_ && !windowManagerRuns(window_))) {
    // With nobody to carry out a full-screen request SDL would count the
    // window at the desktop's size while it keeps its own, and the picture
    // would be scaled for a size the window does not have. The window is
    // made to cover the display itself instead; leaving it, the owner puts
    // it back with setBounds.
    if (on) return fullScreen_ || coverDisplay();
    fullScreen_ = covering_ = false;
    mustPresent_ = true;
    return true;
  }
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return !on && !fullScreen_;
  fullScreen_ = on;
  mustPresent_ = true;
  return true;
}

void SdlWindow::desktopSize(int& width, int& height) const {
  SDL_Rect bounds;
  int display = window_ ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
  if (SDL_GetDisplayBounds(display, &bounds) == 0) {
    double s = windowedScale();
    width = static_cast<int>(std::lround(bounds.w / s));
    height = static_cast<int>(std::lround(bounds.h / s));
  } else {
    width = frame_ ? frame_->width() : 800;
    height = frame_ ? frame_->height() : 600;
  }
}

void SdlWindow::cursorPos(int& x, int& y) const {
  // Frames ask for the pointer several times each. Over the window it stays
  // where the last motion or query left it, until the window moves or
  // changes under it; a held button asks every time, as a drag moves the
  // window beneath the pointer.
  const bool over = window_ && SDL_GetMouseFocus() == window_ && SDL_GetMouseState(nullptr, nullptr) == 0;
  if (!over || !pointer_.known) {
    int gx = 0, gy = 0, wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    if (window_) SDL_GetWindowPosition(window_, &wx, &wy);
    pointer_ = {over, gx - wx, gy - wy};
  }
  toContent(pointer_.x, pointer_.y, x, y);
}

}  // namespace zb
