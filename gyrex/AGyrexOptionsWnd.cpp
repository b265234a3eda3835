#include "gyrex/AGyrexOptionsWnd.h"

#include <algorithm>

#include "app/OMainWindow.h"
#include "gfx/OClip.h"
#include "ui/AProgressBar.h"
#include "ui/ARadioGroup.h"

namespace SpaceGyrex {
namespace {

constexpr const char* kSamplePicture = "clp/Gyrex/bg7.clp";

// A colour sample: the top segment picture with one frame per colour
// choice; a click shows the next choice.
class AColourSample : public OClipControl {
public:
  bool hitPress(int x, int y) override {
    pressed = hitTest(x, y);
    return pressed;
  }
  bool hitRelease(int x, int y) override { return hitTest(x, y); }
};

}  // namespace

AGyrexOptionsWnd::AGyrexOptionsWnd(OMainWindow& owner, AGyrexWnd& game) : AOptionsWnd(owner), game_(game) {}

AGyrexOptionsWnd::~AGyrexOptionsWnd() { removeOwnControls(); }

void AGyrexOptionsWnd::open(OEngine** slot) {
  level_ = openedLevel_ = std::clamp(game_.level, 0, 2);
  speed_ = std::clamp(game_.speed, 0, kSpeedCells - 1);
  choices_ = game_.colourChoices();
  AOptionsWnd::open(slot);
}

void AGyrexOptionsWnd::removeOwnControls() {
  levels_.reset();
  speedBar_.reset();
  for (OClipControl*& s : samples_) {
    if (s) removeControl(s, true);
    s = nullptr;
  }
}

void AGyrexOptionsWnd::buildContents() {
  removeOwnControls();
  AOptionsWnd::buildContents();
  OAppState& app = owner().app();
  levels_ = std::make_unique<ARadioGroup>(this);
  const char* names[3] = {"Novice", "Expert", "Master"};
  for (int l = 0; l < 3; ++l) {
    int y = 65 + 40 * l;
    if (app.buttons[1]) levels_->addBox(*app.buttons[1], 60, y, -5);
    newText(font(3), 60 + 50, y + 5, names[l], -10, false);
  }
  levels_->select(level_);
  newText(font(3), 220, 220, "Skins", -10, false);
  makeSamples();
  newText(font(3), 220, 270, "Speed", -10, false);
  if (app.buttons[2]) {
    speedBar_ = std::make_unique<AProgressBar>(this, *app.buttons[2], kSpeedCells, kSpeedX, kSpeedY, -1, -3);
    speedBar_->setValue(speed_);
    int right = kSpeedX + kSpeedCells * (app.buttons[2]->width - 3);
    int below = kSpeedY + app.buttons[2]->height + 8;
    newText(font(3), kSpeedX - 20, below, "Low", -10, false);
    newText(font(3), right - 10, below, "High", -10, false);
  }
}

void AGyrexOptionsWnd::makeSamples() {
  if (!picture_) {
    picture_ = std::make_unique<OClip>();
    if (!picture_->load(kSamplePicture)) picture_.reset();
  }
  int x = kSamplesX;
  for (int c = 0; c < AGyrexWnd::kColourCount; ++c) {
    auto* sample = new AColourSample();
    if (picture_) {
      const OClip& frames = picture_->sequenceCount > 0 ? *picture_->sequences[0] : *picture_;
      sample->copyFrom(frames);
    }
    if (sample->empty()) {
      auto grey = std::make_unique<OBitmap>();
      grey->create(42, 22, 0x808080);
      sample->addImage(std::move(grey));
    }
    sample->stopped = true;
    sample->moves = false;
    sample->showFrame(choices_[size_t(c)]);
    sample->x = x;
    sample->y = kSamplesY;
    sample->z = -10;
    sample->visible = true;
    addControl(sample);
    samples_[size_t(c)] = sample;
    x += sample->width + 10;
  }
}

void AGyrexOptionsWnd::onControlClicked(OClipControl* control) {
  if (levels_ && levels_->controlClicked(control)) {
    level_ = levels_->selected();
    return;
  }
  if (speedBar_ && speedBar_->controlClicked(control)) {
    speed_ = speedBar_->value();
    return;
  }
  for (size_t c = 0; c < samples_.size(); ++c) {
    if (control != samples_[c] || !samples_[c]) continue;
    int frames = std::max(1, samples_[c]->imageCount);
    choices_[c] = (choices_[c] + 1) % frames;
    samples_[c]->showFrame(choices_[c]);
    return;
  }
  AOptionsWnd::onControlClicked(control);
}

void AGyrexOptionsWnd::accept() {
  if (level_ != openedLevel_ && game_.underWay()) {
    takeBoxes();
    owner().requestScreen(owner().app().screen(ScreenId::Restart));
    return;
  }
  finishAccept();
}

void AGyrexOptionsWnd::onChildClosed(OEngine* child, int result) {
  bool restart = child && child == owner().app().screen(ScreenId::Restart);
  if (restart && result != kAccepted) level_ = openedLevel_;
  AOptionsWnd::onChildClosed(child, result);
  if (restart && result == kAccepted) finishAccept();
}

void AGyrexOptionsWnd::onClosed() {
  removeOwnControls();
  AOptionsWnd::onClosed();
}

}  // namespace SpaceGyrex
