#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/FrameBuffer.h"
#include "platform/PlatformWindow.h"

namespace zb {

// A window without a display: events come from `push`, the content lives in
// memory, and every system call is recorded so tests can look at it. With a
// ManualClock, `waitEvent` advances that clock by the time-out, as if the
// wait had run out.
class HeadlessWindow : public PlatformWindow {
public:
  explicit HeadlessWindow(ManualClock* clock = nullptr) : clock_(clock) {}

  bool open(const std::string& title, int width, int height) override;
  void destroy() override;
  bool isOpen() const override { return open_; }
  bool pollEvent(WindowEvent& event) override;
  void waitEvent(int timeoutMs) override;
  void blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY) override;
  void clearContent(uint32_t colour) override {
    if (frame_) frame_->clear(colour);
  }
  void present() override;
  const uint32_t* content() const override;
  int contentWidth() const override { return frame_ ? frame_->width() : 0; }
  int contentHeight() const override { return frame_ ? frame_->height() : 0; }
  void show(bool restore) override;
  void setBounds(int x, int y, int width, int height) override;
  void position(int& x, int& y) const override;
  int setZoom(int percent) override;
  int zoom() const override { return zoomNow; }
  int largestZoom() const override { return maxZoom; }
  bool setFullScreen(bool on) override;
  void desktopSize(int& width, int& height) const override;
  void cursorPos(int& x, int& y) const override;
  bool hasFocus() const override { return focus; }
  std::string clipboardText() const override { return clipboard; }
  bool setClipboardText(const std::string& text) override {
    clipboard = text;
    return true;
  }
  void messageBox(const std::string& caption, const std::string& text) override;
  bool openUrl(const std::string& url) override;

  void push(const WindowEvent& event) { events_.push_back(event); }
  size_t pendingEvents() const { return events_.size(); }

  // What tests set up.
  bool failOpen = false;
  bool fullScreenPossible = true;
  bool focus = true;
  int desktopWidth = 1920, desktopHeight = 1080;
  int maxZoom = 300, autoZoom = 100;  // percent
  int cursorX = 0, cursorY = 0;
  std::string clipboard;
  // Called at every wait with the number of waits so far (1 for the first).
  std::function<void(int)> onWait;

  // What tests read back.
  std::string title;
  int windowX = 0, windowY = 0, windowWidth = 0, windowHeight = 0;
  bool minimised = false;
  bool shown = false;
  bool fullScreen = false;
  int zoomNow = 100;
  int waits = 0;
  int presents = 0;
  int blits = 0;
  // Destination rectangles (left, top, right, bottom, before clipping) of the
  // blits since the last present, so long runs do not pile them up.
  struct Area {
    int left, top, right, bottom;
  };
  std::vector<Area> blitAreas;
  std::vector<std::string> messages;
  std::vector<std::string> urls;

private:
  ManualClock* clock_;
  bool open_ = false;
  bool quitPending_ = false;
  std::unique_ptr<FrameBuffer> frame_;
  std::deque<WindowEvent> events_;
};

}  // namespace zb
