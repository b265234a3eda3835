#pragma once
#include <memory>
#include <string>

#include "game/AGameWnd.h"
#include "sinkra/CFieldHost.h"

class AClipNum;

namespace SpaceSinkra {

class ASinkraOptionsWnd;

// The Sinkra family window: the family word of the saved games, the side
// panel moved for the family, the score number, the family's sounds and
// playlist, the Classic start-level option and the family options screen.
// It is also the host the boards draw their numbers and texts through.
class ASinkraWnd : public AGameWnd, public CFieldHost {
public:
  static constexpr int kFirstSound = 11;
  static constexpr int kLastSound = 19;

  explicit ASinkraWnd(AGameHost& main);
  // Drops the family's sounds and options screen, back to the slow music.
  ~ASinkraWnd() override;

  bool buildPanel() override;
  void tick(int elapsed) override;
  void onChildClosed(OEngine* child, int result) override;
  OEngine* optionsScreen() const override;

  // The Classic start level, 0..5 (level 1, 5, 10, ...).
  int startLevelOption() const { return startLevel_; }
  // The start level goes with the player from one Sinkra game to the next.
  int carryOver() const override { return startLevel_; }
  void takeCarryOver(int option) override { setStartLevelOption(option); }
  void setStartLevelOption(int option);

  // Boards play their effects, read the explosion option and show numbers
  // and texts on the main screen through these.
  void playEffect(int id, bool restart) override;
  bool blockExplosions() const override { return explosionEffect_; }
  std::unique_ptr<CNumberView> makeNumber(int value, int digits, double x, double y, double z) override;
  std::unique_ptr<CTextView> makeText(const std::string& text, int x, int y) override;
  std::unique_ptr<CTextView> makeTitle(const std::string& text) override;

  const AClipNum* scoreNumber() const { return scoreNumber_.get(); }
  // The score the panel's number was last drawn with.
  int shownScore() const { return shownScore_; }

protected:
  // Places the score number under its label.
  void placeScoreNumber();
  // Redraws the score number when the frame's score changed.
  void showScore();
  void loadSounds();

  int startLevel_ = 0;

private:
  // Turn Play's score label and number stand this much lower, clear of the
  // computer's score above them.
  static constexpr int kTurnPlayDrop = 20;
  static constexpr int kTurnPlayKind = 3;

  int scoreLabelBaseY_ = 0;
  std::unique_ptr<AClipNum> scoreNumber_;
  int shownScore_ = -1;
};

}  // namespace SpaceSinkra
