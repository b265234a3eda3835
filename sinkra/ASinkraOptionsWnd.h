#pragma once
#include <memory>

#include "ui/AFamilyOptionsWnd.h"

class AClipNum;
class OClipButton;

namespace SpaceSinkra {

class ASinkraWnd;

// The Sinkra options: the common options plus skill level, speed, the
// picture set of each colour and, for the Classic variant, the start level.
// Accepting a changed skill level (or Classic start level) asks
// "Start new Game?" first.
class ASinkraOptionsWnd : public AFamilyOptionsWnd {
public:
  static constexpr int kSpeedCells = 5;

  ASinkraOptionsWnd(OMainWindow& owner, ASinkraWnd& game);
  ~ASinkraOptionsWnd() override;

  // Takes level, speed, start level and skins from the game.
  void open(OEngine** slot) override;
  void buildContents() override;

  int startLevel() const { return startLevel_; }
  // The picture set chosen for colour c.
  int skin(int c) const { return choice(c); }

  // The number the start-level row shows: 1 for option 0, else 5 x option.
  static int startLevelNumber(int option) { return option == 0 ? 1 : 5 * option; }

protected:
  bool needsRestart() const override;
  bool familyControlClicked(OClipControl* control) override;
  void removeFamilyControls() override;

private:
  void addSamples();
  void showStartLevel();

  ASinkraWnd& sinkra_;
  int startLevel_ = 0, openedStartLevel_ = 0;
  OClipButton* up_ = nullptr;
  OClipButton* down_ = nullptr;
  std::unique_ptr<AClipNum> startNumber_;
};

}  // namespace SpaceSinkra
