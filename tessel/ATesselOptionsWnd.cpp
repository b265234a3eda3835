#include "tessel/ATesselOptionsWnd.h"

#include <algorithm>

#include "app/OMainWindow.h"
#include "gfx/OClip.h"
#include "tessel/ATesselWnd.h"
#include "tessel/CubePictures.h"
#include "ui/AProgressBar.h"
#include "ui/ARadioGroup.h"

namespace SpaceTessel {
namespace {

// A colour sample: the colour's six skins as frames; a click steps on.
class ASkinSample : public OClipControl {
public:
  bool hitPress(int x, int y) override {
    pressed = hitTest(x, y);
    return pressed;
  }
  bool hitRelease(int x, int y) override { return hitTest(x, y); }
};

}  // namespace

ATesselOptionsWnd::ATesselOptionsWnd(OMainWindow& owner, ATesselWnd& game) : AOptionsWnd(owner), game_(game) {}

ATesselOptionsWnd::~ATesselOptionsWnd() { removeOwnControls(); }

void ATesselOptionsWnd::open(OEngine** slot) {
  level_ = openedLevel_ = std::clamp(game_.level, 0, 2);
  speed_ = std::clamp(game_.speed, 0, 5);
  for (size_t c = 0; c < skins_.size(); ++c) skins_[c] = c < game_.skins.size() ? std::clamp(game_.skins[c], 0, 5) : 0;
  AOptionsWnd::open(slot);
}

const OClip* ATesselOptionsWnd::sample(int c) const { return c >= 0 && c < 6 ? samples_[size_t(c)] : nullptr; }

void ATesselOptionsWnd::removeOwnControls() {
  levels_.reset();
  speedBar_.reset();
  for (OClip*& s : samples_) {
    if (s) removeControl(static_cast<OClipControl*>(s), true);
    s = nullptr;
  }
}

void ATesselOptionsWnd::buildContents() {
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
  newText(font(3), 160, 270, "Speed", -10, false);
  if (app.buttons[2]) {
    speedBar_ = std::make_unique<AProgressBar>(this, *app.buttons[2], kSpeedCells, 290, 262, -1, -3);
    speedBar_->setValue(speed_);
    OClipCheckBox* last = speedBar_->cell(kSpeedCells - 1);
    newText(font(3), 280, 305, "Low", -10, false);
    newText(font(3), int(last->x) + last->width - 30, 305, "High", -10, false);
  }
  newText(font(3), 160, 200, "Skins", -10, false);
  makeSamples();
}

void ATesselOptionsWnd::loadSkinPictures() {
  if (!skinPictures_.empty()) return;
  for (int skin = 0; skin < 6; ++skin) {
    for (int c = 1; c <= 6; ++c) {
      OClip pic;
      auto image = std::make_unique<OBitmap>();
      if (loadCubePicture(skin, c, pic) && pic.currentImage()) {
        *image = *pic.currentImage();
      } else {
        image->create(kCubePictureSize, kCubePictureSize, 0x808080);
      }
      skinPictures_.push_back(std::move(image));
    }
  }
}

void ATesselOptionsWnd::makeSamples() {
  loadSkinPictures();
  for (int c = 0; c < 6; ++c) {
    auto* sample = new ASkinSample();
    for (int skin = 0; skin < 6; ++skin) sample->addImage(*skinPictures_[size_t(skin * 6 + c)]);
    sample->stopped = true;
    sample->showFrame(skins_[size_t(c)]);
    sample->x = 300 + c * (kCubePictureSize + 10);
    sample->y = 190;
    sample->z = -10;
    addControl(sample);
    samples_[size_t(c)] = sample;
  }
}

void ATesselOptionsWnd::onControlClicked(OClipControl* control) {
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
    skins_[c] = (skins_[c] + 1) % 6;
    samples_[c]->showFrame(skins_[c]);
    return;
  }
  AOptionsWnd::onControlClicked(control);
}

void ATesselOptionsWnd::accept() {
  // A game started at one level must not land in another level's Top 10.
  if (level_ != openedLevel_) {
    takeBoxes();
    owner().requestScreen(owner().app().screen(ScreenId::Restart));
    return;
  }
  finishAccept();
}

void ATesselOptionsWnd::onChildClosed(OEngine* child, int result) {
  bool restart = child && child == owner().app().screen(ScreenId::Restart);
  if (restart && result != kAccepted) {
    level_ = openedLevel_;
    if (levels_) levels_->select(level_);
  }
  AOptionsWnd::onChildClosed(child, result);
  if (restart && result == kAccepted) finishAccept();
}

void ATesselOptionsWnd::onClosed() {
  removeOwnControls();
  AOptionsWnd::onClosed();
}

}  // namespace SpaceTessel
