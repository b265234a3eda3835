#include "tessel/ATesselWnd.h"

#include <algorithm>
#include <cstdio>

#include "app/OMainWindow.h"
#include "game/AGameHost.h"
#include "audio/OSound.h"
#include "tessel/ATesselOptionsWnd.h"
#include "ui/AClipNum.h"
#include "ui/AClipString.h"
#include "platform/Language.h"

namespace SpaceTessel {
namespace {

constexpr int kPanelFont = 3;  // "alph4": digits and small captions

}  // namespace

ATesselWnd::ATesselWnd(AGameHost& main) : AGameWnd(main) {
  saveName_ = "Tessel";
  skinsQuantity_ = 6;
}

ATesselWnd::~ATesselWnd() {
  scoreNumber_.reset();
  undoCaption_.reset();
  OAppState& app = main().app();
  if (app.familyOptions && app.pendingScreen == app.familyOptions.get()) app.pendingScreen = nullptr;
  app.familyOptions.reset();
  if (OSound* sound = main().sound()) {
    for (int id = kFirstSound; id <= kLastSound; ++id) sound->unload(id);
  }
}

void ATesselWnd::loadSounds() {
  OSound* sound = main().sound();
  if (!sound) return;
  char file[48];
  for (int id = kFirstSound; id <= kLastSound; ++id) {
    std::snprintf(file, sizeof file, "wav/Tessel/g%d.wav", id - kFirstSound);
    sound->load(id, file);  // a missing effect is simply not heard
  }
}

bool ATesselWnd::buildPanel() {
  loadSounds();
  auto options = std::make_unique<ATesselOptionsWnd>(main().owner(), *this);
  options->create();
  main().app().familyOptions = std::move(options);
  scoreLabelY = panelTop();
  AGameWnd::buildPanel();
  showScore();
  undoCaption_ = std::make_unique<AClipString>(main().font(kPanelFont), &main().screen(), kUndoX, kUndoY, zb::tr("UNDO"), -500,
                                               false, main().star());
  undoCaption_->setClickable(true);
  undoCaption_->setVisible(false);
  return true;
}

OEngine* ATesselWnd::optionsScreen() const { return main().app().familyOptions.get(); }

void ATesselWnd::showScore() {
  scoreNumber_ = std::make_unique<AClipNum>(&main().screen(), *main().font(kPanelFont), std::max(score, 0), 8,
                                            scoreLabelX - 10, panelTop() + 30, 0, -500);
  shownScore_ = score;
}

void ATesselWnd::tick(int elapsed) {
  AGameWnd::tick(elapsed);
  if (scoreNumber_ && score != shownScore_) {
    scoreNumber_->setValue(std::max(score, 0), false);
    shownScore_ = score;
  }
  if (undoCaption_ && undoCaption_->visible()) undoCaption_->tick(elapsed);
}

bool ATesselWnd::undoShown() const { return undoCaption_ && undoCaption_->visible(); }

void ATesselWnd::showUndo(bool on) {
  if (undoCaption_ && undoCaption_->visible() != on) undoCaption_->setVisible(on);
}

bool ATesselWnd::undoHit(int x, int y) const { return undoShown() && undoCaption_->hitTest(x, y); }

void ATesselWnd::onChildClosed(OEngine* child, int result) {
  auto* options = dynamic_cast<ATesselOptionsWnd*>(child);
  if (options && result == 0) {
    speed = options->speed();
    level = options->level();
    for (size_t c = 0; c < skins.size() && c < 6; ++c) skins[c] = options->skin(int(c));
  }
  // The frame takes the explosion option and applies everything.
  AGameWnd::onChildClosed(child, result);
}

}  // namespace SpaceTessel
