#pragma once
#include <memory>
#include <vector>

#include "ui/AFamilyOptionsWnd.h"

class OBitmap;

namespace SpaceTessel {

class ATesselWnd;

// The Tessel options: the common options plus the skill level, the launch
// speed and the picture set of each colour.
class ATesselOptionsWnd : public AFamilyOptionsWnd {
public:
  static constexpr int kSpeedCells = 6;

  ATesselOptionsWnd(OMainWindow& owner, ATesselWnd& game);

  // Takes level, speed and skins from the game.
  void open(OEngine** slot) override;
  void buildContents() override;

  // The picture set chosen for colour index c (0..5).
  int skin(int c) const { return choice(c); }

private:
  void loadSkinPictures();

  // [skin * 6 + colour index]: the pictures at cube size, loaded once.
  std::vector<std::unique_ptr<OBitmap>> skinPictures_;
};

}  // namespace SpaceTessel
