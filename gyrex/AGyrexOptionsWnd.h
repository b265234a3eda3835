#pragma once
#include <array>
#include <memory>

#include "gyrex/AGyrexWnd.h"
#include "ui/AFamilyOptionsWnd.h"

namespace SpaceGyrex {

// The Gyrex options: the common options plus one colour sample per colour
// (a click shows its next picture), the speed bar of five cells and the
// skill level. A changed skill level asks "Start new Game?" first while a
// game is under way.
class AGyrexOptionsWnd : public AFamilyOptionsWnd {
public:
  static constexpr int kSpeedCells = 5;
  static constexpr int kSamplesX = 350, kSamplesY = 220;
  static constexpr int kSpeedX = 350, kSpeedY = 262;

  AGyrexOptionsWnd(OMainWindow& owner, AGyrexWnd& game);

  // Takes level, speed and the colour choices from the game.
  void open(OEngine** slot) override;
  void buildContents() override;

  std::array<int, AGyrexWnd::kColourCount> choices() const;

protected:
  bool needsRestart() const override;

private:
  AGyrexWnd& gyrex_;
  std::unique_ptr<OClip> picture_;
};

}  // namespace SpaceGyrex
