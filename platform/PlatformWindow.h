#pragma once
#include <cstdint>
#include <string>

#include "platform/PadInput.h"
#include "platform/WindowEvent.h"

// The one top-level window as the application sees it. The real
// implementation sits on SDL (SdlWindow); HeadlessWindow is a fake for
// tests. Nothing above platform/ knows which one it talks to.
namespace zb {

// A 24-bit picture stored bottom-up: image row r (0 at the top) starts at
// `bottomRow` + (height - 1 - r) x stride; each pixel is blue, green, red.
struct PixelSource {
  const uint8_t* bottomRow = nullptr;
  int stride = 0;
  int width = 0;
  int height = 0;
};

class PlatformWindow {
public:
  virtual ~PlatformWindow() = default;

  // Makes the window (hidden until `show`) for content of width x height;
  // false on failure.
  virtual bool open(const std::string& title, int width, int height) = 0;
  // Destroys the window; events stop and a Quit event follows.
  virtual void destroy() = 0;
  virtual bool isOpen() const = 0;

  // Takes the next waiting event without blocking; false when none waits.
  virtual bool pollEvent(WindowEvent& event) = 0;
  // Blocks until an event may be waiting or `timeoutMs` has passed.
  virtual void waitEvent(int timeoutMs) = 0;

  // Copies the rectangle (srcX, srcY, width, height) of `src` to the window
  // content at (dstX, dstY); both sides are clipped. Shown at `present`.
  virtual void blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY) = 0;
  // Clears the whole content to a 0xRRGGBB colour (the window background).
  virtual void clearContent(uint32_t colour) = 0;
  // Shows what was blitted since the last call.
  virtual void present() = 0;
  // The window content as 0x00RRGGBB pixels, row by row from the top.
  virtual const uint32_t* content() const = 0;
  virtual int contentWidth() const = 0;
  virtual int contentHeight() const = 0;

  virtual void show(bool restore) = 0;  // restore: shown normally; else minimised
  // Positions and sizes are in content pixels: on a zoomed window the desktop
  // counts fewer of them, so centring and dragging work unchanged. A window
  // the player resized keeps its size while the content size stays the same.
  virtual void setBounds(int x, int y, int width, int height) = 0;
  virtual void position(int& x, int& y) const = 0;
  // Windowed content is shown at `percent` of its size, one of the steps of
  // ZoomSteps.h (others round down to one); 0 asks for the largest step that
  // fits 90 % of the usable desktop. Limited to what fits; returns the zoom
  // in effect.
  virtual int setZoom(int percent) = 0;
  virtual int zoom() const = 0;
  // The largest step whose window the usable desktop holds whole.
  virtual int largestZoom() const = 0;
  // Switches desktop full screen on or off; true when the wanted mode was reached.
  virtual bool setFullScreen(bool on) = 0;
  virtual void desktopSize(int& width, int& height) const = 0;
  // Pointer position relative to the window's client area (may lie outside).
  virtual void cursorPos(int& x, int& y) const = 0;
  virtual bool hasFocus() const = 0;
  // Clipboard text, one byte per character; empty when there is none.
  virtual std::string clipboardText() const = 0;
  // Puts one-byte-per-character text on the clipboard; false when it failed.
  virtual bool setClipboardText(const std::string& text) = 0;
  // A modal message box with an OK button; where none can be shown the text
  // goes to standard error.
  virtual void messageBox(const std::string& caption, const std::string& text) = 0;
  virtual bool openUrl(const std::string& url) = 0;
  // Presses or releases a button of a virtual gamepad, whose messages then
  // arrive as a real pad's would (scripts); false where there is none.
  virtual bool pressPadButton(PadButton /*button*/, bool /*down*/) { return false; }
};

}  // namespace zb
