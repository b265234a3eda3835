#include "ui/AFamilyOptionsWnd.h"

#include <algorithm>

#include "app/OMainWindow.h"
#include "game/AGameWnd.h"
#include "gfx/OClip.h"
#include "ui/AProgressBar.h"
#include "ui/ARadioGroup.h"
#include "ui/OClipCheckBox.h"
#include "platform/Language.h"

namespace {

// A colour sample: pressed and released like a button, never checked.
class ASample : public OClipControl {
public:
  bool hitPress(int x, int y) override {
    pressed = hitTest(x, y);
    return pressed;
  }
  bool hitRelease(int x, int y) override { return hitTest(x, y); }
};

}  // namespace

AFamilyOptionsWnd::AFamilyOptionsWnd(OMainWindow& owner, AGameWnd& game, int speedCells, int maxSpeed)
    : AOptionsWnd(owner), game_(game), speedCells_(speedCells), maxSpeed_(maxSpeed < 0 ? speedCells - 1 : maxSpeed) {}

AFamilyOptionsWnd::~AFamilyOptionsWnd() { removeOwnControls(); }

void AFamilyOptionsWnd::open(OEngine** slot) {
  level_ = openedLevel_ = std::clamp(game_.level, 0, 2);
  speed_ = std::clamp(game_.speed, 0, maxSpeed_);
  AOptionsWnd::open(slot);
}

void AFamilyOptionsWnd::removeOwnControls() {
  removeFamilyControls();
  levels_.reset();
  speedBar_.reset();
  for (OClipControl* s : samples_) removeControl(s, true);
  samples_.clear();
  perChoice_.clear();
}

void AFamilyOptionsWnd::setLevel(int level) {
  level_ = std::clamp(level, 0, 2);
  if (levels_) levels_->select(level_);
}

void AFamilyOptionsWnd::buildContents() {
  removeOwnControls();
  AOptionsWnd::buildContents();
}

void AFamilyOptionsWnd::addLevels(int x, int y) {
  OAppState& app = owner().app();
  levels_ = std::make_unique<ARadioGroup>(this);
  const char* names[3] = {N_("Novice"), N_("Expert"), N_("Master")};
  for (int l = 0; l < 3; ++l) {
    if (app.buttons[1]) levels_->addBox(*app.buttons[1], x, y + 40 * l, -5);
    newText(font(3), x + 50, y + 5 + 40 * l, zb::tr(names[l]), -10, false);
  }
  levels_->select(level_);
}

void AFamilyOptionsWnd::addSpeedBar(int x, int y, int labelX, int labelY) {
  newText(font(3), labelX, labelY, zb::tr("Speed"), -10, false);
  const OClip* cell = owner().app().buttons[2].get();
  if (!cell) return;
  speedBar_ = std::make_unique<AProgressBar>(this, *cell, speedCells_, x, y, -1, -3);
  speedBar_->setValue(speed_);
  int right = x + speedCells_ * (cell->width - 3);
  // As under the volume bars of the common rows: 10 left of the bar, 43 below its top.
  int below = y + 43;
  newText(font(3), x - 10, below, zb::tr("Low"), -10, false);
  newText(font(3), right - 30, below, zb::tr("High"), -10, false);
}

OClipControl* AFamilyOptionsWnd::addSample(const OClip& frames, int perChoice, int choice, int x, int y) {
  auto* sample = new ASample();
  sample->copyFrom(frames);
  if (sample->empty()) {
    auto grey = std::make_unique<OBitmap>();
    grey->create(40, 40, 0x808080);
    sample->addImage(std::move(grey));
  }
  perChoice = std::max(1, perChoice);
  sample->stopped = true;
  sample->moves = false;
  sample->showFrame(choice * perChoice);
  sample->x = x;
  sample->y = y;
  sample->z = -10;
  sample->visible = true;
  addControl(sample);
  samples_.push_back(sample);
  perChoice_.push_back(perChoice);
  if (choices_.size() < samples_.size()) choices_.resize(samples_.size(), 0);
  choices_[samples_.size() - 1] = choice;
  return sample;
}

void AFamilyOptionsWnd::onControlClicked(OClipControl* control) {
  if (levels_ && levels_->controlClicked(control)) {
    level_ = levels_->selected();
    return;
  }
  if (speedBar_ && speedBar_->controlClicked(control)) {
    speed_ = speedBar_->value();
    return;
  }
  for (size_t c = 0; c < samples_.size(); ++c) {
    if (!control || control != samples_[c]) continue;
    int options = std::max(1, samples_[c]->imageCount / perChoice_[c]);
    choices_[c] = (choices_[c] + 1) % options;
    samples_[c]->showFrame(choices_[c] * perChoice_[c]);
    return;
  }
  if (familyControlClicked(control)) return;
  AOptionsWnd::onControlClicked(control);
}

void AFamilyOptionsWnd::accept() {
  // A game begun at one level must not land in another level's Top 10.
  if (needsRestart()) {
    takeBoxes();
    owner().requestScreen(owner().app().screen(ScreenId::Restart));
    return;
  }
  finishAccept();
}

void AFamilyOptionsWnd::revertToOpened() { level_ = openedLevel_; }

void AFamilyOptionsWnd::onChildClosed(OEngine* child, int result) {
  bool restart = child && child == owner().app().screen(ScreenId::Restart);
  if (restart && result == kAccepted) {
    // Straight out: contents rebuilt now would first have to fly off the
    // screen again, keeping the game covered and deaf for seconds.
    finishAccept();
    return;
  }
  if (restart) revertToOpened();
  AOptionsWnd::onChildClosed(child, result);
}

void AFamilyOptionsWnd::onClosed() {
  removeOwnControls();
  AOptionsWnd::onClosed();
}
