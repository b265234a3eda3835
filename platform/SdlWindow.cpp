#include "platform/SdlWindow.h"

#include "platform/DisplayCheck.h"
#include "platform/Files.h"

#include <SDL.h>

#include <algorithm>
#include <csignal>
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

// A closing terminal or session hangs up: that ends the run as SIGTERM does
// (SDL's own handler), with the game saved, not at once without it.
volatile std::sig_atomic_t hungUp = 0;
void onHangUp(int) { hungUp = 1; }

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

bool SdlWindow::screenSaverAllowed() { return SDL_IsScreenSaverEnabled() == SDL_TRUE; }

bool SdlWindow::open(const std::string& title, int width, int height) {
  if (window_) return true;
  if (!videoStarted_) {
    // A second press counts as a double click only near the first, as on
    // classic desktops (SDL's own radius is much larger).
    SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "4");
    // A puzzle game must not keep the screen from blanking or locking.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_APP_NAME, "Zenbox");
    // The frame's close button is a close request of its own (which may ask
    // first); SDL_QUIT then only comes from a terminating signal.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_SCREENSAVER_INHIBIT_ACTIVITY_NAME, "Zenbox");
    std::signal(SIGHUP, onHangUp);
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
    // X11 has a shared-memory window surface of its own; without this SDL
    // would emulate one on OpenGL, with all its memory and threads.
    if (driver && std::strcmp(driver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  // Without pads the game is played as before; no message.
  pads_.start();
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!window_) return false;
  setIconFromData();
  frame_ = std::make_unique<FrameBuffer>(width, height);
  presenter_ = std::make_unique<SdlPresenter>(window_);
  viewW_ = frame_->width();
  viewH_ = frame_->height();
  int pw = 0, ph = 0;
  SDL_GetWindowSizeInPixels(window_, &pw, &ph);
  density_ = width > 0 && pw > 0 ? double(pw) / width : 1.0;
  SDL_SetWindowMinimumSize(window_, std::max(width / 4, 1), std::max(height / 4, 1));
  anchor_.valid = false;
  setZoom(0);
  SDL_StartTextInput();
  xWait_.attach(window_);
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
  presenter_.reset();
  xWait_ = XEventWait{};
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  pending_.clear();
  push(WindowEvent::Quit);
}

bool SdlWindow::pollEvent(WindowEvent& event) {
  if (window_ && !sessionEnded_ && hungUp) {
    // The run ends as for a terminating signal.
    sessionEnded_ = true;
    pending_.clear();
    push(WindowEvent::Quit);
  }
  SDL_Event e;
  while (pending_.empty() && window_ && !sessionEnded_ && SDL_PollEvent(&e)) translate(e);
  if (pending_.empty() && window_) {
    padEvents_.clear();
    pads_.repeat(padEvents_);
    pending_.insert(pending_.end(), padEvents_.begin(), padEvents_.end());
  }
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
  if (!pending_.empty() || sessionEnded_) return;
  // A held pad direction repeats in time.
  int repeatIn = pads_.msToRepeat();
  if (repeatIn >= 0 && repeatIn < timeoutMs) timeoutMs = repeatIn;
  // The frame loop asks for a wait only after polling SDL's queue empty,
  // which has just read the connection: on X11 that read need not be
  // repeated. Pads are not on that connection: with one open SDL must look.
  if (xWait_.attached() && !pads_.any() && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
    xWait_.wait(timeoutMs);
    return;
  }
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
  padEvents_.clear();
  if (pads_.translate(e, padEvents_)) {
    pending_.insert(pending_.end(), padEvents_.begin(), padEvents_.end());
    return;
  }
  switch (e.type) {
    case SDL_MOUSEMOTION: {
      int x = 0, y = 0;
      toContent(e.motion.x, e.motion.y, x, y);
      pointer_ = {true, e.motion.x, e.motion.y};
      push(WindowEvent::MouseMove, client16(x), client16(y), modsFrom(SDL_GetModState()));
      break;
    }
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
      int x = 0, y = 0;
      toContent(e.button.x, e.button.y, x, y);
      push(kind, client16(x), client16(y), modsFrom(SDL_GetModState()));
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
      translateWindowEvent(e);
      break;
    case SDL_QUIT:
      // A terminating signal ends the run at once; the game is still saved.
      push(WindowEvent::Quit);
      break;
    default:
      break;
  }
}

void SdlWindow::translateWindowEvent(const SDL_Event& e) {
  // The window moved, changed or the pointer crossed its edge.
  pointer_.known = false;
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
    case SDL_WINDOWEVENT_RESTORED:
      mustPresent_ = true;
      push(WindowEvent::Size);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // The content keeps its size: only the letterbox follows. A screen at
      // rest ticks no more, so the new size is painted as an exposure is.
      mustPresent_ = true;
      push(WindowEvent::Paint);
      if (!fullScreen_ && !(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN)) {
        windowedW_ = e.window.data1;
        windowedH_ = e.window.data2;
      }
      break;
    case SDL_WINDOWEVENT_MOVED:
      if (!fullScreen_ && !(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN)) {
        int x = 0, y = 0;
        position(x, y);
        push(WindowEvent::Moved, x, y);
      }
      break;
    case SDL_WINDOWEVENT_CLOSE:
      push(WindowEvent::CloseRequest);
      break;
    default:
      break;
  }
}

void SdlWindow::translateKey(const SDL_Event& e, bool down) {
  // The window keys act once per press: a held F4 would flip the screen
  // mode back and forth.
  SDL_Keycode sym = e.key.keysym.sym;
  if (down && e.key.repeat && (sym == SDLK_F3 || sym == SDLK_F4)) return;
  keyEvents_.clear();
  translateSdlKey(e.key.keysym.sym, modsFrom(e.key.keysym.mod), down, keyEvents_);
  pending_.insert(pending_.end(), keyEvents_.begin(), keyEvents_.end());
}

void SdlWindow::blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY) {
  if (frame_) frame_->blit(src, srcX, srcY, width, height, dstX, dstY);
}

void SdlWindow::present() {
  if (!frame_) return;
  std::vector<FrameBuffer::Rect> changed = frame_->takeDirty();
  // Nothing is seen without a display, and a tick that changed nothing sends nothing.
  if (headless_ || !presenter_ || (changed.empty() && !mustPresent_)) return;
  presenter_->present(*frame_, viewW_, viewH_, changed, mustPresent_);
  mustPresent_ = false;
}

void SdlWindow::toContent(int windowX, int windowY, int& x, int& y) const {
  if (!presenter_) {
    x = windowX;
    y = windowY;
    return;
  }
  presenter_->toView(windowX, windowY, viewW_, viewH_, x, y);
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
