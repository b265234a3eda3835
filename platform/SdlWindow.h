#pragma once
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/FrameBuffer.h"
#include "platform/PlatformWindow.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace zb {

// The real window: one borderless SDL window whose content is kept in a
// FrameBuffer and shown through a streaming texture. Mouse, key, text and
// window events are translated into WindowEvents.
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

  bool open(const std::string& title, int width, int height) override;
  void destroy() override;
  bool isOpen() const override { return window_ != nullptr; }
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
  void translateKey(const SDL_Event& e, bool down);
  void push(WindowEvent::Kind kind, int x = 0, int y = 0, int mods = 0);
  void uploadAndShow(bool whole);

  bool headless_;
  ManualClock* virtualClock_;
  bool videoStarted_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  std::unique_ptr<FrameBuffer> frame_;
  std::deque<WindowEvent> pending_;
  std::vector<WindowEvent> keyEvents_;
  bool fullScreen_ = false;
  bool mustPresent_ = false;
  bool noDisplay_ = false;
};

}  // namespace zb
