#include "sinkra/ASinkraOptionsWnd.h"

#include <algorithm>

#include "app/OMainWindow.h"
#include "gfx/OClip.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGlobal.h"
#include "ui/AClipNum.h"
#include "ui/OClipButton.h"
#include "platform/Language.h"

namespace SpaceSinkra {
namespace {

constexpr int kSampleSize = 40;

}  // namespace

ASinkraOptionsWnd::ASinkraOptionsWnd(OMainWindow& owner, ASinkraWnd& game)
    : AFamilyOptionsWnd(owner, game, kSpeedCells, 5), sinkra_(game) {}

ASinkraOptionsWnd::~ASinkraOptionsWnd() { removeFamilyControls(); }

void ASinkraOptionsWnd::open(OEngine** slot) {
  startLevel_ = openedStartLevel_ = sinkra_.startLevelOption();
  std::vector<int> skins(6, 0);
  for (size_t c = 0; c < skins.size() && c < game_.skins.size(); ++c) skins[c] = std::clamp(game_.skins[c], 0, 5);
  setChoices(skins);
  AFamilyOptionsWnd::open(slot);
}

void ASinkraOptionsWnd::removeFamilyControls() {
  startNumber_.reset();
  for (OClipButton** b : {&up_, &down_}) {
    if (*b) removeControl(*b, true);
    *b = nullptr;
  }
}

void ASinkraOptionsWnd::buildContents() {
  AFamilyOptionsWnd::buildContents();
  addLevels(60, 65);
  addSpeedBar(300, 302, 170, 310);
  newText(font(3), 170, 250, zb::tr("Skins"), -10, false);
  addSamples();
  newText(font(3), 170, 197, zb::tr("Start with Level"), -10, false);
  OAppState& app = owner().app();
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

void ASinkraOptionsWnd::addSamples() {
  // Each colour's six pictures as frame pairs (plain and pressed).
  auto* game = dynamic_cast<AMyGame*>(&sinkra_);
  for (int c = 0; c < 6; ++c) {
    OClip frames;
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
      frames.addImage(std::move(normal));
      frames.addImage(std::move(pressedLook));
    }
    addSample(frames, 2, skin(c), 300 + 50 * c, 240);
  }
}

void ASinkraOptionsWnd::showStartLevel() {
  const OClip* digits = font(3);
  if (!digits) return;
  startNumber_ = std::make_unique<AClipNum>(this, *digits, startLevelNumber(startLevel_), 2, 515, 197, 0, -5);
}

bool ASinkraOptionsWnd::familyControlClicked(OClipControl* control) {
  if (!control || (control != up_ && control != down_)) return false;
  startLevel_ = std::clamp(startLevel_ + (control == up_ ? 1 : -1), 0, 5);
  showStartLevel();
  return true;
}

bool ASinkraOptionsWnd::needsRestart() const {
  return AFamilyOptionsWnd::needsRestart() || (game_.kind == kClassic && startLevel_ != openedStartLevel_);
}

}  // namespace SpaceSinkra
