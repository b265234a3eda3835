#pragma once
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/FrameBuffer.h"
#include "platform/PlatformWindow.h"
#include "platform/SdlPads.h"
#include "platform/SdlPresenter.h"
#include "platform/XEventWait.h"

struct SDL_Window;
union SDL_Event;

namespace zb {

// The real window: one SDL window whose content is kept in a FrameBuffer and
// shown through the window's own surface, zoomed by the steps of
// ZoomSteps.h while windowed and letterboxed at any size the window takes (full screen, or
// resized by the player). Mouse, key, text and window events are
// translated into WindowEvents in content pixels.
class SdlWindow : public PlatformWindow {
public:
  // headless: no display is expected (dummy drivers); message boxes go to
  // standard error and URLs are not opened. virtualClock (not owned): waits
  // advance it by their time-out instead of blocking.
  SdlWindow(bool headless, ManualClock* virtualClock);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // Selects SDL's dummy video and audio drivers; call before anything starts SDL.
  static void useDummyDrivers();
  // Whether the desktop may blank or lock the screen while the game runs.
  static bool screenSaverAllowed();

  bool open(const std::string& title, int width, int height) override;
  void destroy() override;
  bool isOpen() const override { return window_ != nullptr; }
  bool pressPadButton(PadButton button, bool down) override { return pads_.pressVirtual(button, down); }
  bool pollEvent(WindowEvent& event) override;
  void waitEvent(int timeoutMs) override;
  void blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY) override;
  void clearContent(uint32_t colour) override {
    if (frame_) frame_->clear(colour);
  }
  void present() override;
  const uint32_t* content() const override { return frame_ ? frame_->pixels() : nullptr; }
  int contentWidth() const override { return frame_ ? frame_->width() : 0; }
  int contentHeight() const override { return frame_ ? frame_->height() : 0; }
  void show(bool restore) override;
  void setBounds(int x, int y, int width, int height) override;
  void position(int& x, int& y) const override;
  int setZoom(int percent) override;
  int zoom() const override { return zoom_; }
  int largestZoom() const override { return fittingZoom(1.0); }
  bool setFullScreen(bool on) override;
  void desktopSize(int& width, int& height) const override;
  void cursorPos(int& x, int& y) const override;
  bool hasFocus() const override;
  std::string clipboardText() const override;
  bool setClipboardText(const std::string& text) override;
  void messageBox(const std::string& caption, const std::string& text) override;
  bool openUrl(const std::string& url) override;
  // True once open failed for want of a display (no video driver could be
  // started, or only one that shows nothing) in a run that is not headless.
  bool noDisplay() const { return noDisplay_; }

private:
  void setIconFromData();
  // Says that no display was found and why; open then fails.
  void refuseDisplay(const std::string& reason);
  void translate(const SDL_Event& e);
  void translateWindowEvent(const SDL_Event& e);
  void translateKey(const SDL_Event& e, bool down);
  void push(WindowEvent::Kind kind, int x = 0, int y = 0, int mods = 0);
  void toContent(int windowX, int windowY, int& x, int& y) const;
  // Window units per content pixel while windowed.
  double windowedScale() const;
  // The largest zoom step whose window takes at most `share` of the usable desktop.
  int fittingZoom(double share) const;
  // Content pixels to window units at the current zoom.
  int windowUnits(int contentPixels) const;
  void applyWindowedSize(int width, int height);
  // Full screen where no window manager would carry the request out.
  bool coverDisplay();

  bool headless_;
  ManualClock* virtualClock_;
  bool videoStarted_ = false;
  SDL_Window* window_ = nullptr;
  std::unique_ptr<SdlPresenter> presenter_;
  std::unique_ptr<FrameBuffer> frame_;
  XEventWait xWait_;
  std::deque<WindowEvent> pending_;
  SdlPads pads_;
  std::vector<WindowEvent> padEvents_;
  std::vector<WindowEvent> keyEvents_;
  bool fullScreen_ = false;
  // Full screen without a window manager: the window itself covers the display.
  bool covering_ = false;
  bool mustPresent_ = false;
  int viewW_ = 0, viewH_ = 0;          // the content shown: its top-left part of this size
  int zoom_ = 100;                     // percent
  double density_ = 1;                 // device pixels per window unit
  int windowedW_ = 0, windowedH_ = 0;  // window size (window units) while windowed
  // The last position handed out or asked for, in content pixels, and the
  // window position it stands for: asking for it again does not move the
  // window by a rounding.
  mutable struct {
    bool valid = false;
    int x = 0, y = 0, windowX = 0, windowY = 0;
  } anchor_;
  bool noDisplay_ = false;
  // A hang-up asked the run to end.
  bool sessionEnded_ = false;
  // The pointer in window units, as the last motion or cursorPos query
  // found it; forgotten whenever the window changes under it.
  mutable struct {
    bool known = false;
    int x = 0, y = 0;
  } pointer_;
};

}  // namespace zb
