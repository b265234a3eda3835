#pragma once
#include <array>
#include <memory>

#include "gyrex/AGyrexWnd.h"
#include "ui/AOptionsWnd.h"

class AProgressBar;
class ARadioGroup;
class OClipControl;

namespace SpaceGyrex {

// The Gyrex options: the common options plus one colour sample per colour
// (a click shows its next picture), the speed bar of five cells and the
// skill level. Accepting a changed skill level asks "Start new Game?"
// first.
class AGyrexOptionsWnd : public AOptionsWnd {
public:
  static constexpr int kSpeedCells = 5;
  static constexpr int kSamplesX = 350, kSamplesY = 220;
  static constexpr int kSpeedX = 350, kSpeedY = 262;

  AGyrexOptionsWnd(OMainWindow& owner, AGyrexWnd& game);
  ~AGyrexOptionsWnd() override;

  // Takes level, speed and the colour choices from the game.
  void open(OEngine** slot) override;
  void buildContents() override;
  void accept() override;
  void onControlClicked(OClipControl* control) override;
  void onChildClosed(OEngine* child, int result) override;
  void onClosed() override;

  int level() const { return level_; }
  int speed() const { return speed_; }
  const std::array<int, AGyrexWnd::kColourCount>& choices() const { return choices_; }
  OClipControl* sample(int colour) const { return samples_[size_t(colour)]; }

private:
  void removeOwnControls();
  void makeSamples();

  AGyrexWnd& game_;
  int level_ = 0, openedLevel_ = 0;
  int speed_ = 3;
  std::array<int, AGyrexWnd::kColourCount> choices_{};
  std::unique_ptr<ARadioGroup> levels_;
  std::unique_ptr<AProgressBar> speedBar_;
  std::array<OClipControl*, AGyrexWnd::kColourCount> samples_{};
  std::unique_ptr<OClip> picture_;
};

}  // namespace SpaceGyrex
