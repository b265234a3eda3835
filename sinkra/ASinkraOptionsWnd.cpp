#include "sinkra/ASinkraOptionsWnd.h"

#include <algorithm>
#include <cstdio>

#include "app/OMainWindow.h"
#include "gfx/OClip.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGlobal.h"
#include "ui/AClipNum.h"
#include "ui/AProgressBar.h"
#include "ui/ARadioGroup.h"
#include "ui/OClipButton.h"

namespace SpaceSinkra {
namespace {

constexpr int kSampleSize = 40;

// A colour sample: the colour's six pictures as frame pairs; a click shows
// the next picture set.
class ASkinSample : public OClipControl {
public:
  bool hitPress(int x, int y) override {
    pressed = hitTest(x, y);
    return pressed;
  }
  bool hitRelease(int x, int y) override { return hitTest(x, y); }
};

}  // namespace

ASinkraOptionsWnd::ASinkraOptionsWnd(OMainWindow& owner, ASinkraWnd& game) : AOptionsWnd(owner), game_(game) {}

ASinkraOptionsWnd::~ASinkraOptionsWnd() { removeOwnControls(); }

void ASinkraOptionsWnd::open(OEngine** slot) {
  level_ = openedLevel_ = game_.level;
  speed_ = std::clamp(game_.speed, 0, 5);
  startLevel_ = openedStartLevel_ = game_.startLevelOption();
  for (size_t c = 0; c < skins_.size(); ++c) skins_[c] = c < game_.skins.size() ? std::clamp(game_.skins[c], 0, 5) : 0;
  AOptionsWnd::open(slot);
}

void ASinkraOptionsWnd::removeOwnControls() {
  levels_.reset();
  speedBar_.reset();
  startNumber_.reset();
  for (OClip*& s : samples_) {
    if (s) removeControl(static_cast<OClipControl*>(s), true);
    s = nullptr;
  }
  for (OClipButton** b : {&up_, &down_}) {
    if (*b) removeControl(*b, true);
    *b = nullptr;
  }
}

void ASinkraOptionsWnd::buildContents() {
  removeOwnControls();
  AOptionsWnd::buildContents();
  OAppState& app = owner().app();
  levels_ = std::make_unique<ARadioGroup>(this);
  const char* names[3] = {"Novice", "Expert", "Master"};
  for (int l = 0; l < 3; ++l) {
    if (app.buttons[1]) levels_->addBox(*app.buttons[1], 60, 65 + 40 * l, -5);
    newText(font(3), 100, 70 + 40 * l, names[l], -10, false);
  }
  levels_->select(level_);
  newText(font(3), 170, 310, "Speed", -10, false);
  if (app.buttons[2]) {
    speedBar_ = std::make_unique<AProgressBar>(this, *app.buttons[2], kSpeedCells, 300, 302, -1, -3);
    speedBar_->setValue(speed_);
    int right = 300 + kSpeedCells * (app.buttons[2]->width - 3);
    newText(font(3), 300, 340, "Low", -10, false);
    newText(font(3), right + 10, 340, "High", -10, false);
  }
  newText(font(3), 170, 250, "Skins", -10, false);
  makeSamples();
  newText(font(3), 170, 197, "Start with Level", -10, false);
  if (game_.kind == kClassic) {
    up_ = new OClipButton();
    down_ = new OClipButton();
    if (app.buttons[4]) up_->copyFrom(*app.buttons[4]);
    if (app.buttons[5]) down_->copyFrom(*app.buttons[5]);
    up_->x = 560;
    up_->y = 197;
    down_->x = 510 - down_->width;
    down_->y = 197;
    up_->z = down_->z = -5;
    addControl(up_);
    addControl(down_);
  }
  showStartLevel();
}

void ASinkraOptionsWnd::makeSamples() {
  auto* game = dynamic_cast<AMyGame*>(&game_);
  for (int c = 0; c < 6; ++c) {
    auto* sample = new ASkinSample();
    for (int k = 0; k < 6; ++k) {
      const OClip* pic = game ? game->pictureAt(k * 6 + c) : nullptr;
      const OBitmap* src = pic ? pic->currentImage() : nullptr;
      auto normal = std::make_unique<OBitmap>();
      if (src && src->valid()) {
        OBitmap::scale(*normal, *src, kSampleSize, kSampleSize);
      } else {
        normal->create(kSampleSize, kSampleSize, 0x808080);
      }
      normal->xOffset = normal->yOffset = 0;
      auto pressedLook = std::make_unique<OBitmap>(*normal);
      sample->addImage(std::move(normal));
      sample->addImage(std::move(pressedLook));
    }
    sample->stopped = true;
    sample->showFrame(2 * skins_[size_t(c)]);
    sample->x = 300 + 50 * c;
    sample->y = 240;
    sample->z = -5;
    addControl(sample);
    samples_[size_t(c)] = sample;
  }
}

void ASinkraOptionsWnd::showStartLevel() {
  const OClip* digits = font(3);
  if (!digits) return;
  startNumber_ = std::make_unique<AClipNum>(this, *digits, startLevelNumber(startLevel_), 2, 515, 197, 0, -5);
}

void ASinkraOptionsWnd::setLevel(int level) {
  level_ = std::clamp(level, 0, 2);
  if (levels_) levels_->select(level_);
}

void ASinkraOptionsWnd::onControlClicked(OClipControl* control) {
  if (levels_ && levels_->controlClicked(control)) {
    level_ = levels_->selected();
    return;
  }
  if (speedBar_ && speedBar_->controlClicked(control)) {
    speed_ = speedBar_->value();
    return;
  }
  for (size_t c = 0; c < samples_.size(); ++c) {
    if (control != samples_[c]) continue;
    skins_[c] = (skins_[c] + 1) % 6;
    samples_[c]->showFrame(2 * skins_[c]);
    return;
  }
  if (control && control == up_) {
    startLevel_ = std::min(startLevel_ + 1, 5);
    showStartLevel();
    return;
  }
  if (control && control == down_) {
    startLevel_ = std::max(startLevel_ - 1, 0);
    showStartLevel();
    return;
  }
  AOptionsWnd::onControlClicked(control);
}

void ASinkraOptionsWnd::accept() {
  bool levelChanged = level_ != openedLevel_ || (game_.kind == kClassic && startLevel_ != openedStartLevel_);
  if (levelChanged) {
    takeBoxes();
    owner().requestScreen(owner().app().screen(ScreenId::Restart));
    return;
  }
  finishAccept();
}

void ASinkraOptionsWnd::onChildClosed(OEngine* child, int result) {
  bool restart = child && child == owner().app().screen(ScreenId::Restart);
  if (restart && result != kAccepted) level_ = openedLevel_;
  AOptionsWnd::onChildClosed(child, result);
  if (restart && result == kAccepted) finishAccept();
}

void ASinkraOptionsWnd::onClosed() {
  removeOwnControls();
  AOptionsWnd::onClosed();
}

}  // namespace SpaceSinkra
