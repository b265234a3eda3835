#pragma once
#include <array>
#include <memory>

#include "ui/AOptionsWnd.h"

class AClipNum;
class ARadioGroup;
class OClipButton;

namespace SpaceSinkra {

class ASinkraWnd;

// The Sinkra options: the common options plus skill level, speed, the
// picture set of each colour and, for the Classic variant, the start level.
// Accepting a changed skill level (or Classic start level) asks
// "Start new Game?" first.
class ASinkraOptionsWnd : public AOptionsWnd {
public:
  static constexpr int kSpeedCells = 5;

  ASinkraOptionsWnd(OMainWindow& owner, ASinkraWnd& game);
  ~ASinkraOptionsWnd() override;

  // Takes level, speed, start level and skins from the game.
  void open(OEngine** slot) override;
  void buildContents() override;
  void accept() override;
  void onControlClicked(OClipControl* control) override;
  void onChildClosed(OEngine* child, int result) override;
  void onClosed() override;

  int level() const { return level_; }
  int speed() const { return speed_; }
  int startLevel() const { return startLevel_; }
  // The picture set chosen for colour c.
  int skin(int c) const { return skins_[size_t(c)]; }
  void setLevel(int level);

  // The number the start-level row shows: 1 for option 0, else 5 x option.
  static int startLevelNumber(int option) { return option == 0 ? 1 : 5 * option; }

private:
  void removeOwnControls();
  void makeSamples();
  void showStartLevel();

  ASinkraWnd& game_;
  int level_ = 0, openedLevel_ = 0;
  int speed_ = 3;
  int startLevel_ = 0, openedStartLevel_ = 0;
  std::array<int, 6> skins_{};
  std::unique_ptr<ARadioGroup> levels_;
  std::unique_ptr<AProgressBar> speedBar_;
  std::array<OClip*, 6> samples_{};
  OClipButton* up_ = nullptr;
  OClipButton* down_ = nullptr;
  std::unique_ptr<AClipNum> startNumber_;
};

}  // namespace SpaceSinkra
