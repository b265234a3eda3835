#include "app/OMainWindow.h"

#include <algorithm>

#include "audio/OMusic.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"
#include "platform/ZoomSteps.h"

namespace {

// Presses above these lines drag the window: a thin strip on the main
// screen, which has its own buttons near the top, a wider one on dialogs.
constexpr int kMainDragStrip = 5;
constexpr int kDialogDragStrip = 15;

}  // namespace

OMainWindow::OMainWindow(zb::PlatformWindow& platform, Startup startup)
    : OWindow(platform), startup_(std::move(startup)) {}

OMainWindow::~OMainWindow() = default;

int OMainWindow::run(int showCmd) {
  backgroundColour = 0xCCCCFF;
  popup = true;
  fixedSize = true;
  frameInterval = 30;
  if (!create("Zenbox", "OMainWindow", 800, 600, showCmd)) return 0;
  reveal();
  return runLoop();
}

void OMainWindow::reveal() {
  show(true);
  onPaint();
  platform().present();
}

bool OMainWindow::onCreate() {
  dragging_ = false;
  // A close request or quitRequested ends the run directly.
  closeAllowed = true;
  app_.firstStart = true;
  if (startup_ && !startup_(*this)) return false;
  app_.pendingScreen = nullptr;
  return true;
}

void OMainWindow::onDestroy() { app_.destroyAll(); }

void OMainWindow::onCloseRequest() {
  OEngine* promotion = app_.screen(ScreenId::Promotion);
  if (!promotion) {
    // Without a promotion screen there is nothing to ask: just close.
    OWindow::onCloseRequest();
    return;
  }
  if (app_.currentScreen == promotion) return;
  if (isCurrent(ScreenId::Help)) app_.currentScreen->close(0);
  promotion->open(&app_.currentScreen);
}

void OMainWindow::onCloseMessage() {
  OEngine* main = app_.mainScreen.get();
  if (closeAllowed && main && !app_.quitRequested) {
    main->requestQuit();
    return;
  }
  close();
}

bool OMainWindow::isCurrent(ScreenId id) const {
  return app_.currentScreen && app_.currentScreen == app_.screen(id);
}

void OMainWindow::onTick(int elapsed) {
  dropIntroWhenDone();
  if (dragging_) {
    int px = 0, py = 0;
    getCursorPos(px, py);
    moveTo(windowX_ + px - dragStartX_, windowY_ + py - dragStartY_, 0, 0);
    return;
  }
  if (app_.currentScreen) app_.currentScreen->tick(elapsed);
  if (app_.quitRequested && !isCurrent(ScreenId::Promotion)) {
    close();
    return;
  }
  followFocusWithMusic();
  completePendingSwitch();
  // Once the zoom line runs out, the screens paint over its place again.
  if (zoomNotice_.tick(elapsed))
    onPaint();
  else
    zoomNotice_.draw(*this, clientWidth_);
}

bool OMainWindow::atRest() const {
  if (dragging_ || app_.pendingScreen || app_.quitRequested || app_.introScreen || zoomNotice_.active()) return false;
  if (app_.music && platform().hasFocus() != hadFocus_) return false;
  return app_.currentScreen && app_.currentScreen->atRest();
}

void OMainWindow::dropIntroWhenDone() {
  OEngine* intro = app_.introScreen.get();
  if (!intro || app_.currentScreen == intro) return;
  // No screen may keep pointing at it.
  for (OEngine* s : screenChain())
    if (s->previousScreen() == intro) s->forgetPreviousScreen();
  app_.introScreen.reset();
}

void OMainWindow::followFocusWithMusic() {
  OMusic* music = app_.music;
  if (!music) return;
  // Only the moment the window gains or loses the foreground counts: a
  // paused game keeps its music stopped while the window keeps the focus.
  bool focus = platform().hasFocus();
  if (focus == hadFocus_) return;
  hadFocus_ = focus;
  if (focus) {
    if (music->enabled() && !music->playing()) music->play(OMusic::kRandomTrack);
  } else {
    music->stop();
  }
}

void OMainWindow::completePendingSwitch() {
  OEngine* current = app_.currentScreen;
  if (!app_.pendingScreen || (current && current == app_.introScreen.get())) return;
  if (current && current == app_.mainScreen.get()) {
    if (current->phase() != ScreenPhase::Closed) return;
  } else if (current) {
    ScreenPhase phase = current->phase();
    if (phase == ScreenPhase::Open) {
      current->startClosing();
      return;
    }
    if (phase != ScreenPhase::Closed) return;
  }
  // Cleared first: opening may itself ask for the next screen.
  OEngine* next = app_.pendingScreen;
  app_.pendingScreen = nullptr;
  next->open(&app_.currentScreen);
}

void OMainWindow::requestScreen(OEngine* screen) {
  if (!screen) return;
  int areaHeight = clientWidth_ == 800 ? 600 : clientHeight_;
  screen->setBounds((clientWidth_ - screen->width()) / 2, (areaHeight - screen->height()) / 2, screen->width(),
                    screen->height());
  app_.pendingScreen = screen;
  OEngine* current = app_.currentScreen;
  if (!current) return;
  if (current == app_.mainScreen.get()) {
    // Before the first game is chosen, help and pick-game open over the
    // covered main screen without a new leave sequence.
    bool waitsForState = screen == app_.screen(ScreenId::Help) || screen == app_.screen(ScreenId::PickGame);
    if (waitsForState && app_.firstStart) return;
  }
  current->startClosing();
}

void OMainWindow::toggleFullScreen() {
  if (fullScreen())
    leaveFullScreen();
  else
    enterFullScreen();
  app_.windowMode = fullScreen();
}

void OMainWindow::stepZoom(int direction) {
  const int now = zoom();
  const int wanted = zb::nextZoomStep(now, direction);
  if (wanted > now && wanted > platform().largestZoom()) {
    zoomNotice_.show("Zoom " + zb::zoomText(wanted) + " does not fit the screen");
  } else {
    if (wanted != now) setZoom(wanted);
    app_.zoom = zoom();
    zoomNotice_.show("Zoom " + zb::zoomText(zoom()));
  }
  zoomNotice_.draw(*this, clientWidth_);
}

void OMainWindow::onMove(int x, int y) {
  // While the game drags the window, the desktop's reports of the moves
  // it already made would only pull it back.
  if (!dragging_) OWindow::onMove(x, y);
}

void OMainWindow::onPaint() {
  // Bottom of the stack first, so dialogs land over what they cover.
  std::vector<OEngine*> chain = screenChain();
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*it)->redrawAll();
  zoomNotice_.draw(*this, clientWidth_);
}

std::vector<OEngine*> OMainWindow::screenChain() const {
  // A screen opened over a stack that already holds it makes the chain a
  // loop; each screen is taken once.
  std::vector<OEngine*> chain;
  for (OEngine* s = app_.currentScreen; s; s = s->previousScreen()) {
    if (std::find(chain.begin(), chain.end(), s) != chain.end()) break;
    chain.push_back(s);
  }
  return chain;
}

void OMainWindow::onMouseMove(int x, int y) {
  // A pointer that really moved takes over from the keys; the move alone
  // does not shift the key focus.
  if (x != lastPointerX_ || y != lastPointerY_) app_.keysInUse = false;
  lastPointerX_ = x;
  lastPointerY_ = y;
  if (app_.currentScreen) app_.currentScreen->onMouseMove(x, y);
}

void OMainWindow::onLButtonDown(int x, int y) {
  bool onMain = app_.currentScreen && app_.currentScreen == app_.mainScreen.get();
  if (y < (onMain ? kMainDragStrip : kDialogDragStrip)) {
    dragging_ = true;
    dragStartX_ = x;
    dragStartY_ = y;
  }
  if (app_.currentScreen) app_.currentScreen->onLButtonDown(x, y);
}

void OMainWindow::onRButtonDown(int x, int y) {
  if (app_.currentScreen) app_.currentScreen->onRButtonDown(x, y);
}

void OMainWindow::onLButtonUp(int x, int y) {
  dragging_ = false;
  if (app_.currentScreen) app_.currentScreen->onLButtonUp(x, y);
}

void OMainWindow::onRButtonUp(int x, int y) {
  if (app_.currentScreen) app_.currentScreen->onRButtonUp(x, y);
}

void OMainWindow::onKeyDown(int key, int mods) {
  // Gamepad buttons mean what the screen makes of them.
  if (zb::isPadKey(key)) key = app_.currentScreen ? app_.currentScreen->keyForPad(key) : 0;
  if (key == 0) return;
  if (key == zb::vk::F3) {
    // A held F3 minimises once: its repeat would minimise again the window
    // the player has just brought back.
    constexpr uint32_t kHeldKeyMs = 1500;
    uint32_t now = zb::nowMs();
    if (minimisedAt_ != 0 && now - minimisedAt_ < kHeldKeyMs) return;
    minimisedAt_ = now == 0 ? 1 : now;
    if (app_.music) app_.music->stop();
    show(false);
    return;
  }
  if (key == zb::vk::F4) {
    toggleFullScreen();
    return;
  }
  if (mods & zb::ModCtrl) {
    if (key == zb::vk::OemPlus || key == zb::vk::Add) return stepZoom(1);
    if (key == zb::vk::OemMinus || key == zb::vk::Subtract) return stepZoom(-1);
  }
  if (app_.currentScreen) app_.currentScreen->onKeyDown(key, mods);
}

void OMainWindow::onKeyUp(int key, int mods) {
  if (zb::isPadKey(key)) key = app_.currentScreen ? app_.currentScreen->keyForPad(key) : 0;
  if (key == 0) return;
  if (app_.currentScreen) app_.currentScreen->onKeyUp(key, mods);
}

void OMainWindow::onChar(unsigned char ch, int mods) {
  if (app_.currentScreen) app_.currentScreen->onChar(ch, mods);
}
