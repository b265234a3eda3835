#include "tessel/ATesselOptionsWnd.h"

#include <algorithm>

#include "gfx/OClip.h"
#include "tessel/ATesselWnd.h"
#include "tessel/CubePictures.h"
#include "platform/Language.h"

namespace SpaceTessel {

ATesselOptionsWnd::ATesselOptionsWnd(OMainWindow& owner, ATesselWnd& game)
    : AFamilyOptionsWnd(owner, game, kSpeedCells) {}

void ATesselOptionsWnd::open(OEngine** slot) {
  std::vector<int> skins(6, 0);
  for (size_t c = 0; c < skins.size() && c < game_.skins.size(); ++c) skins[c] = std::clamp(game_.skins[c], 0, 5);
  setChoices(skins);
  AFamilyOptionsWnd::open(slot);
}

void ATesselOptionsWnd::buildContents() {
  AFamilyOptionsWnd::buildContents();
  addLevels(60, 65);
  addSpeedBar(290, 262, 160, 270);
  newText(font(3), 160, 200, zb::tr("Skins"), -10, false);
  loadSkinPictures();
  for (int c = 0; c < 6; ++c) {
    OClip frames;
    for (int skin = 0; skin < 6; ++skin) frames.addImage(*skinPictures_[size_t(skin * 6 + c)]);
    addSample(frames, 1, skin(c), 300 + c * (kCubePictureSize + 10), 190);
  }
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

}  // namespace SpaceTessel
