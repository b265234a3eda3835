#include "platform/SdlWindow.h"

#include "platform/DisplayCheck.h"
#include "platform/Files.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/KeyCodes.h"
#include "platform/SdlKeys.h"

namespace zb {
namespace {

int modsFrom(Uint16 sdlMods) {
  int m = 0;
  if (sdlMods & KMOD_SHIFT) m |= ModShift;
  if (sdlMods & KMOD_CTRL) m |= ModCtrl;
  if (sdlMods & KMOD_ALT) m |= ModAlt;
  return m;
}

// Client coordinates travel as unsigned 16-bit values, so a position left
// of or above the window (seen while the mouse is captured) becomes large.
int client16(Sint32 v) { return static_cast<int>(static_cast<uint32_t>(v) & 0xFFFF); }

}  // namespace

SdlWindow::SdlWindow(bool headless, ManualClock* virtualClock) : headless_(headless), virtualClock_(virtualClock) {}

SdlWindow::~SdlWindow() {
  destroy();
  if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindow::useDummyDrivers() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

bool SdlWindow::open(const std::string& title, int width, int height) {
  if (window_) return true;
  if (!videoStarted_) {
    // A second press counts as a double click only near the first, as on
    // classic desktops (SDL's own radius is much larger).
    SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "4");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      if (!headless_) refuseDisplay(SDL_GetError());
      return false;
    }
    videoStarted_ = true;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!headless_ && refusesInvisibleDriver(driver, std::getenv("SDL_VIDEODRIVER"))) {
      refuseDisplay(std::string("only the video driver \"") + driver + "\", which shows nothing, could be started");
      return false;
    }
  }
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (!window_) return false;
  setIconFromData();
  frame_ = std::make_unique<FrameBuffer>(width, height);
  // Without a renderer the window still works; it just shows nothing.
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  // Full screen scales by odd factors such as 1.8; smoothing looks better there.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  if (renderer_)
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
  SDL_StartTextInput();
  mustPresent_ = true;
  return true;
}

void SdlWindow::refuseDisplay(const std::string& reason) {
  std::fprintf(stderr, "%s\n", noDisplayMessage(reason).c_str());
  noDisplay_ = true;
}

void SdlWindow::setIconFromData() {
  // The data pack carries the large icon; a missing one leaves SDL's default.
  SDL_Surface* icon = SDL_LoadBMP(zb::findFile("icon/icon101.bmp").c_str());
  if (!icon) return;
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

void SdlWindow::destroy() {
  if (!window_) return;
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  pending_.clear();
  push(WindowEvent::Quit);
}

bool SdlWindow::pollEvent(WindowEvent& event) {
  SDL_Event e;
  while (pending_.empty() && window_ && SDL_PollEvent(&e)) translate(e);
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

void SdlWindow::waitEvent(int timeoutMs) {
  if (virtualClock_) {
    if (timeoutMs > 0) virtualClock_->advance(static_cast<uint32_t>(timeoutMs));
    return;
  }
  if (!pending_.empty()) return;
  SDL_WaitEventTimeout(nullptr, std::max(timeoutMs, 0));
}

void SdlWindow::push(WindowEvent::Kind kind, int x, int y, int mods) {
  WindowEvent ev;
  ev.kind = kind;
  ev.x = x;
  ev.y = y;
  ev.mods = mods;
  pending_.push_back(ev);
}

void SdlWindow::translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_MOUSEMOTION:
      push(WindowEvent::MouseMove, client16(e.motion.x), client16(e.motion.y), modsFrom(SDL_GetModState()));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      bool down = e.type == SDL_MOUSEBUTTONDOWN;
      WindowEvent::Kind kind;
      if (e.button.button == SDL_BUTTON_LEFT)
        // The second press of a double click arrives as a double click only.
        kind = !down ? WindowEvent::LButtonUp
                     : (e.button.clicks % 2 == 0 ? WindowEvent::LButtonDblClk : WindowEvent::LButtonDown);
      else if (e.button.button == SDL_BUTTON_RIGHT)
        kind = down ? WindowEvent::RButtonDown : WindowEvent::RButtonUp;
      else
        break;
      push(kind, client16(e.button.x), client16(e.button.y), modsFrom(SDL_GetModState()));
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      translateKey(e, e.type == SDL_KEYDOWN);
      break;
    case SDL_TEXTINPUT: {
      int mods = modsFrom(SDL_GetModState());
      for (char c : toLatin1(e.text.text)) {
        push(WindowEvent::Char, 0, 0, mods);
        pending_.back().ch = static_cast<unsigned char>(c);
      }
      break;
    }
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
          mustPresent_ = true;
          push(WindowEvent::Paint);
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
          push(WindowEvent::Activate);
          pending_.back().active = e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          mustPresent_ = true;
          push(WindowEvent::Size);
          break;
        case SDL_WINDOWEVENT_CLOSE:
          push(WindowEvent::CloseRequest);
          break;
        default:
          break;
      }
      break;
    case SDL_QUIT:
      push(WindowEvent::CloseRequest);
      break;
    default:
      break;
  }
}

void SdlWindow::translateKey(const SDL_Event& e, bool down) {
  keyEvents_.clear();
  translateSdlKey(e.key.keysym.sym, modsFrom(e.key.keysym.mod), down, keyEvents_);
  pending_.insert(pending_.end(), keyEvents_.begin(), keyEvents_.end());
}

void SdlWindow::blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY) {
  if (frame_) frame_->blit(src, srcX, srcY, width, height, dstX, dstY);
}

void SdlWindow::present() {
  if (!frame_) return;
  bool whole = mustPresent_;
  if (!frame_->isDirty() && !whole) return;
  uploadAndShow(whole);
  mustPresent_ = false;
}

void SdlWindow::uploadAndShow(bool whole) {
  FrameBuffer::Rect r = frame_->takeDirty();
  if (whole) r = FrameBuffer::Rect{0, 0, frame_->width(), frame_->height()};
  if (!renderer_ || !texture_) return;
  if (r.right > r.left && r.bottom > r.top) {
    SDL_Rect area{r.left, r.top, r.right - r.left, r.bottom - r.top};
    void* pixels = nullptr;
    int pitch = 0;
    // Locked memory is write-only: every row of the area is copied in full.
    if (SDL_LockTexture(texture_, &area, &pixels, &pitch) == 0) {
      for (int y = 0; y < area.h; ++y)
        std::memcpy(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch, frame_->row(area.y + y) + area.x,
                    static_cast<size_t>(area.w) * 4);
      SDL_UnlockTexture(texture_);
    }
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (fullScreen_) {
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  } else {
    // A window smaller than the content shows its top-left part unscaled.
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    SDL_Rect part{0, 0, std::min(w, frame_->width()), std::min(h, frame_->height())};
    SDL_RenderCopy(renderer_, texture_, &part, &part);
  }
  SDL_RenderPresent(renderer_);
}

void SdlWindow::show(bool restore) {
  if (!window_) return;
  if (restore) {
    SDL_ShowWindow(window_);
    SDL_RestoreWindow(window_);
  } else {
    SDL_MinimizeWindow(window_);
  }
}

void SdlWindow::setBounds(int x, int y, int width, int height) {
  if (!window_) return;
  SDL_SetWindowSize(window_, width, height);
  SDL_SetWindowPosition(window_, x, y);
  SDL_ShowWindow(window_);
  mustPresent_ = true;
}

void SdlWindow::position(int& x, int& y) const {
  x = y = 0;
  if (window_) SDL_GetWindowPosition(window_, &x, &y);
}

bool SdlWindow::setFullScreen(bool on) {
  if (!window_) return false;
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return !on && !fullScreen_;
  fullScreen_ = on;
  // Full screen scales the content to the display, letterboxed.
  if (renderer_)
    SDL_RenderSetLogicalSize(renderer_, on ? frame_->width() : 0, on ? frame_->height() : 0);
  mustPresent_ = true;
  return true;
}

void SdlWindow::desktopSize(int& width, int& height) const {
  SDL_DisplayMode mode;
  int display = window_ ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
  if (SDL_GetDesktopDisplayMode(display, &mode) == 0) {
    width = mode.w;
    height = mode.h;
  } else {
    width = frame_ ? frame_->width() : 800;
    height = frame_ ? frame_->height() : 600;
  }
}

void SdlWindow::cursorPos(int& x, int& y) const {
  int gx = 0, gy = 0, wx = 0, wy = 0;
  SDL_GetGlobalMouseState(&gx, &gy);
  if (window_) SDL_GetWindowPosition(window_, &wx, &wy);
  x = gx - wx;
  y = gy - wy;
  if (fullScreen_ && renderer_) {
    float lx = 0, ly = 0;
    SDL_RenderWindowToLogical(renderer_, x, y, &lx, &ly);
    x = static_cast<int>(lx);
    y = static_cast<int>(ly);
  }
}

bool SdlWindow::hasFocus() const {
  if (headless_) return true;
  return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS);
}

std::string SdlWindow::clipboardText() const {
  if (!videoStarted_ || !SDL_HasClipboardText()) return {};
  char* text = SDL_GetClipboardText();
  std::string result = text ? toLatin1(text) : std::string();
  SDL_free(text);
  return result;
}

bool SdlWindow::setClipboardText(const std::string& text) {
  return videoStarted_ && SDL_SetClipboardText(fromLatin1(text).c_str()) == 0;
}

void SdlWindow::messageBox(const std::string& caption, const std::string& text) {
  // A box without a parent can block forever on X11, so none is shown then.
  if (!headless_ && window_ &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), window_) == 0)
    return;
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
}

bool SdlWindow::openUrl(const std::string& url) {
  if (headless_) {
    std::fprintf(stderr, "open %s\n", url.c_str());
    return false;
  }
  return SDL_OpenURL(url.c_str()) == 0;
}

}  // namespace zb
