#pragma once
#include <array>
#include <memory>

#include "game/AGameWnd.h"
#include "gyrex/RField.h"

class AClipNum;
class AClipString;
class OClip;

namespace SpaceGyrex {

// The Gyrex family window: the family word of the saved games, the side
// panel moved left for the wider board, the family's four effects and
// playlist, the score number, the "SHOW STEP" caption that shows a hint,
// whether the last finished game can be replayed, and the family options
// screen.
class AGyrexWnd : public AGameWnd {
public:
  static constexpr int kSoundCount = 4;
  static constexpr int kColourCount = kMaxColour;
  static constexpr int kChoiceCount = 8;  // frames of a segment picture
  static constexpr int kHintX = 590, kHintY = 150;

  explicit AGyrexWnd(AGameHost& main);
  // Drops the effects and the options screen, back to the slow music.
  ~AGyrexWnd() override;

  bool buildPanel() override;
  void tick(int elapsed) override;
  void onChildClosed(OEngine* child, int result) override;
  OEngine* optionsScreen() const override;
  bool canReplay() const override { return replayAvailable; }
  void saveGame() override;
  void loadGame(int flag) override;
  void showGameOver() override;

  // Colour choice (segment picture frame) of colours 1..4.
  std::array<int, kColourCount> colourChoices() const;
  void setColourChoices(const std::array<int, kColourCount>& choices);
  // The pointer is over the "SHOW STEP" caption.
  bool overHintCaption(int x, int y) const;

  const AClipNum* scoreNumber() const { return scoreNumber_.get(); }
  const AClipString* hintCaption() const { return hintCaption_.get(); }

  bool replayAvailable = false;

protected:
  // The screen the game draws on.
  OEngine* screen() const;
  void placeScoreNumber();
  // The speed setting as the family uses it (a bar of 5: 0..4).
  int gyrexSpeed() const;

private:
  void loadSounds();
  void showBackground();

  // The family's own board picture over the shared background.
  OClip* background_ = nullptr;
  std::unique_ptr<AClipNum> scoreNumber_;
  std::unique_ptr<AClipString> hintCaption_;
  int shownScore_ = -1;
};

}  // namespace SpaceGyrex
