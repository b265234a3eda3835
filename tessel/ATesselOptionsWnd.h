#pragma once
#include <array>
#include <memory>
#include <vector>

#include "ui/AOptionsWnd.h"

class ARadioGroup;
class OBitmap;

namespace SpaceTessel {

class ATesselWnd;

// The Tessel options: the common options plus the skill level, the launch
// speed and the picture set of each colour. Accepting a changed skill level
// asks "Start new Game?" first.
class ATesselOptionsWnd : public AOptionsWnd {
public:
  static constexpr int kSpeedCells = 6;

  ATesselOptionsWnd(OMainWindow& owner, ATesselWnd& game);
  ~ATesselOptionsWnd() override;

  // Takes level, speed and skins from the game.
  void open(OEngine** slot) override;
  void buildContents() override;
  void accept() override;
  void onControlClicked(OClipControl* control) override;
  void onChildClosed(OEngine* child, int result) override;
  void onClosed() override;

  int level() const { return level_; }
  int speed() const { return speed_; }
  // The picture set chosen for colour index c (0..5).
  int skin(int c) const { return skins_[size_t(c)]; }
  // The sample picture of colour index c, or nullptr before the screen was built.
  const OClip* sample(int c) const;

private:
  void removeOwnControls();
  void loadSkinPictures();
  void makeSamples();

  ATesselWnd& game_;
  int level_ = 0, openedLevel_ = 0;
  int speed_ = 3;
  std::array<int, 6> skins_{};
  std::unique_ptr<ARadioGroup> levels_;
  std::unique_ptr<AProgressBar> speedBar_;
  std::array<OClip*, 6> samples_{};
  // [skin * 6 + colour index]: the pictures at cube size, loaded once.
  std::vector<std::unique_ptr<OBitmap>> skinPictures_;
};

}  // namespace SpaceTessel
