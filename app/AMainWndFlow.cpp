// The frame and input of the main screen: curtain, panel, game forwarding
// and what happens when a dialog over it closes.
#include "app/AMainWnd.h"
#include "app/AMenuWnd.h"
#include "app/OMainWindow.h"
#include "audio/OMusic.h"
#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"
#include "platform/Random.h"
#include "ui/AClipString.h"
#include "ui/AOptionsWnd.h"
#include "ui/APickGameWnd.h"
#include "ui/OClipButton.h"

void AMainWnd::open(OEngine** slot) {
  OEngine::open(slot);
  requestScreen(ScreenId::PickGame);
  state_ = kWaitingPick;
  if (app().windowMode && !app().forceWindowed) {
    owner().enterFullScreen();
  } else {
    owner().leaveFullScreen();
  }
  app().windowMode = owner().fullScreen();
}

void AMainWnd::close(int result) {
  if (game_) game_->onScreenClosed(result);
  OEngine::close(result);
}

ScreenPhase AMainWnd::phase() const {
  switch (state_) {
    case kOpened:
    case kWaitingPick:
    case kCovered: return ScreenPhase::Closed;
    case kCovering: return ScreenPhase::Closing;
    default: return ScreenPhase::Open;
  }
}

void AMainWnd::tick(int elapsed) {
  if (newGameNeeded && game_) game_->newGame();
  if (state_ == kUncovering) {
    removeTiles(settings_.animation ? kTilesPerTick : int(tiles_.size()));
    if (tiles_.empty()) state_ = kPlaying;
    sortClips();
    OEngine::tick(30);
    return;
  }
  if (state_ == kPlaying && game_) game_->tick(elapsed);
  if (game_ && !owner().platform().hasFocus() && !game_->paused() && !game_->demo()) {
    game_->pause();
    OEngine::tick(elapsed);
    if (music_) music_->stop();
    return;
  }
  if (state_ == kCovering) {
    addTiles(settings_.animation ? kTilesPerTick : int(freeCells_.size()));
    if (freeCells_.empty()) {
      state_ = kCovered;
      // The screen stops moving once covered: texts still flying would stay
      // frozen in the margins the tiles leave open, beside every dialog
      // that opens over it.
      if (game_) game_->onScreenCovered();
      for (AClipString* text : {menuText_.get(), gameOverText_.get()}) {
        if (text) text->land();
      }
    }
  }
  if (state_ == kPlaying && menuText_) {
    menuText_->tick(elapsed);
    if (menuText_->fadeDone() && !menuRequested_) {
      menuRequested_ = true;
      requestScreen(ScreenId::Menu);
    }
  }
  trembleButtons();
  scrollTicker();
  if (gameOverText_) gameOverText_->tick(elapsed);
  sortClips();
  bool slowFrame = family_ == zb::kFamilyTessel || (game_ && game_->paused());
  OEngine::tick(slowFrame ? 30 : elapsed);
}

void AMainWnd::trembleButtons() {
  int px = 0, py = 0;
  owner().getCursorPos(px, py);
  px -= x();
  py -= y();
  for (int b = 0; b < kButtonCount; ++b) {
    OClipButton* button = buttons_[size_t(b)];
    if (!button) continue;
    int hx = homeX_[size_t(b)], hy = homeY_[size_t(b)];
    bool inside = px >= hx && px < hx + button->width && py >= hy && py < hy + button->height;
    if (!inside) {
      button->waypoints.clear();
      button->x = hx;
      button->y = hy;
      button->z = -20;
      button->vx = button->vy = 0;
      continue;
    }
    // Bounded so a pointer resting on a button cannot pile up waypoints for ever.
    if (button->waypoints.size() >= 8) continue;
    int sx = zb::random(2) ? 1 : -1, sy = zb::random(2) ? 1 : -1;
    int a = button->width / 6 > 0 ? zb::random(button->width / 6) : 0;
    int c = button->height / 6 > 0 ? zb::random(button->height / 6) : 0;
    double speed = b == kExit ? 1 : 1 + zb::random(2);
    button->addWaypoint({double(hx + sx * a), double(hy + sy * c), 0, speed});
  }
}

OClipControl* AMainWnd::baseLButtonUp(int x, int y) {
  OClipControl* taken = OEngine::onLButtonUp(x, y);
  if (taken) playSound(kClickSound);
  return taken;
}

OClipControl* AMainWnd::onMouseMove(int x, int y) {
  if (state_ == kPlaying && game_) return game_->onMouseMove(x, y);
  return OEngine::onMouseMove(x, y);
}

OClipControl* AMainWnd::onRButtonDown(int x, int y) {
  if (state_ == kPlaying && game_) game_->onRButtonDown(x, y);
  return OEngine::onRButtonDown(x, y);
}

OClipControl* AMainWnd::onRButtonUp(int x, int y) {
  if (state_ == kPlaying && game_) game_->onRButtonUp(x, y);
  return OEngine::onRButtonUp(x, y);
}

OClipControl* AMainWnd::onLButtonDown(int x, int y) {
  if (state_ == kPlaying && game_) return game_->onLButtonDown(x, y);
  return OEngine::onLButtonDown(x, y);
}

OClipControl* AMainWnd::onLButtonUp(int x, int y) {
  if (state_ == kGameOverShown) {
    if (zb::nowMs() - gameOverShownAt_ < kStrayClickMs) return nullptr;
    if (gameOverText_) gameOverText_->clickFade();
    state_ = kPlaying;
    requestScreen(ScreenId::GameOver);
    return nullptr;
  }
  OClipControl* taken = state_ == kPlaying && game_ ? game_->onLButtonUp(x, y) : baseLButtonUp(x, y);
  if (state_ == kPlaying && menuText_ && !menuRequested_ && menuText_->hitTest(x, y)) {
    if (game_) game_->pause();
    playSound(kClickSound);
    menuText_->clickFade();
  }
  return taken;
}

void AMainWnd::onKeyDown(int key, int mods) {
  // Return on the game-over text goes on as a click on it does; other
  // keys (still meant for the board) do nothing there.
  if (state_ == kGameOverShown) {
    if (key == zb::vk::Enter) onLButtonUp(x(), y());
    return;
  }
  if (state_ == kPlaying && game_) {
    game_->onKeyDown(key, mods);
  } else if (state_ == kPlaying && key == zb::vk::F1) {
    requestScreen(ScreenId::Help);
  }
  if (state_ == kPlaying && key == zb::vk::Escape && !menuRequested_) {
    menuRequested_ = true;
    requestScreen(ScreenId::Menu);
  }
  OEngine::onKeyDown(key, mods);
}

void AMainWnd::collectFocusTargets(std::vector<FocusTarget>& out) const {
  if (state_ == kGameOverShown) return;
  if (state_ != kPlaying || !game_) {
    OEngine::collectFocusTargets(out);
    return;
  }
  ORect rect;
  if (game_->keyFocusRect(rect)) out.push_back({rect, game_.get()});
}

int AMainWnd::keyForPad(int padKey) const {
  if (padKey == zb::vk::PadB && state_ == kPlaying && game_ && family_ == zb::kFamilyGyrex) return zb::vk::Backspace;
  return OEngine::keyForPad(padKey);
}

bool AMainWnd::pressFocus() {
  if (state_ == kPlaying && game_) return false;
  return OEngine::pressFocus();
}

int AMainWnd::onKeyUp(int key, int mods) {
  if (state_ == kPlaying && game_) game_->onKeyUp(key, mods);
  return OEngine::onKeyUp(key, mods);
}

void AMainWnd::onChar(unsigned char ch, int mods) {
  if (state_ == kPlaying && game_) game_->onChar(ch, mods);
  OEngine::onChar(ch, mods);
}

void AMainWnd::onControlClicked(OClipControl* control) {
  if (state_ == kPlaying && game_) game_->onControlClicked(control);
  for (int b = 0; b < kButtonCount; ++b) {
    if (control && control == buttons_[size_t(b)]) onPanelButton(b);
  }
}

void AMainWnd::onPanelButton(int b) {
  // A screen already on its way (the menu, the game-over screen) is not
  // replaced: the player would lose the way back to the menu or the name entry.
  bool asksForScreen = b == kHelp || b == kOptions || b == kNewGame || (b == kExit && game_ && !settings_.globalAutosave);
  if (asksForScreen && app().pendingScreen) return;
  switch (b) {
    case kExit: requestQuit(); break;
    case kMinimise: owner().show(false); break;
    case kWindowMode: owner().toggleFullScreen(); break;
    case kHelp: requestScreen(ScreenId::Help); break;
    case kOptions:
      if (game_ && game_->optionsScreen()) {
        owner().requestScreen(game_->optionsScreen());
      } else if (!game_) {
        // Without a game the common switches and volumes are still worth setting.
        if (!commonOptions_) {
          commonOptions_ = std::make_unique<AOptionsWnd>(owner());
          commonOptions_->create();
        }
        owner().requestScreen(commonOptions_.get());
      }
      break;
    case kNewGame:
      if (!game_) {
        family_ = 255;
        requestScreen(ScreenId::PickGame);
      } else if (game_->underWay()) {
        requestScreen(ScreenId::Restart);
      } else {
        newGameNeeded = true;
      }
      break;
    default: break;
  }
}

void AMainWnd::requestQuit() {
  OEngine* question = app().screen(ScreenId::Exit);
  // With autosave off a game left now does not come back: ask first.
  if (!game_ || settings_.globalAutosave || !question) {
    app().quitRequested = true;
    return;
  }
  if (app().currentScreen == question || app().pendingScreen == question) return;
  requestScreen(ScreenId::Exit);
}

void AMainWnd::choosePickedGame() {
  auto* pick = static_cast<APickGameWnd*>(app().screen(ScreenId::PickGame));
  const zb::PickRadio& radio = zb::pickRadio(pick->selected());
  newGameNeeded = false;
  createGame(radio.family, radio.kind);
}

void AMainWnd::onChildClosed(OEngine* child, int result) {
  OEngine* pick = app().screen(ScreenId::PickGame);
  if (child && child == pick) {
    if (result == 0 && (!game_ || newGameNeeded)) choosePickedGame();
    if (state_ == kWaitingPick && game_) game_->onFirstShow();
    if (demoRequested && game_) {
      if (newGameNeeded) game_->newGame();
      game_->beginDemo();
    }
    app().firstStart = false;
    demoRequested = false;
  }
  bool fromMenu = child && child == app().screen(ScreenId::Menu);
  // Whatever screen closed, the main screen is back: the "Menu" text and
  // Escape lead to the menu again.
  if (menuText_ && (fromMenu || menuRequested_)) menuText_->refresh();
  menuRequested_ = false;
  if (state_ != kOpened) {
    state_ = kUncovering;
    sortClips();
  }
  auto* options = dynamic_cast<AOptionsWnd*>(child);
  if (options && result == 0) {
    settings_.globalAutosave = options->autosaveChecked();
    applyAnimation(options->animationChecked());
  }
  if (game_) game_->onChildClosed(child, result);
  if (fromMenu) afterMenu(static_cast<AMenuWnd*>(child)->choice());
  // A screen asked for while the dialog was closing keeps the curtain down.
  if (app().pendingScreen) coverScreen();
}

void AMainWnd::afterMenu(int choice) {
  switch (choice) {
    case AMenuWnd::kPickGame: requestScreen(ScreenId::PickGame); break;
    case AMenuWnd::kNewGame: onPanelButton(kNewGame); break;
    case AMenuWnd::kDemo:
      if (game_) game_->beginDemo();
      break;
    case AMenuWnd::kReplay:
      if (game_ && game_->canReplay()) game_->startReplay(true);
      break;
    case AMenuWnd::kTop10:
      if (game_) requestScreen(ScreenId::Top10);
      break;
    case AMenuWnd::kOptions: onPanelButton(kOptions); break;
    case AMenuWnd::kHelp: requestScreen(ScreenId::Help); break;
    case AMenuWnd::kExit: requestQuit(); break;
    default:
      if (game_ && game_->paused()) game_->resume();
      break;
  }
}
