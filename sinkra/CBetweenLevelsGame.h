#pragma once
#include <memory>
#include <string>
#include <vector>

#include "sinkra/CFieldHost.h"
#include "sinkra/CFloatingNumbers.h"
#include "sinkra/CGameField.h"

namespace SpaceSinkra {

// The bonus game played between some Classic levels: a board dealt in
// two-colour tiles that the player has a few seconds to clear, removing
// groups of three or more. It runs an intro (3 s), the timed play and an
// outro (3 s); a cleared board doubles the points won in it. Columns close
// towards the middle.
class CBetweenLevelsGame : public CGameField {
public:
  static constexpr int kTileWidth = 4;
  static constexpr int kTileHeight = 3;
  static constexpr int kIntroMs = 3000;
  static constexpr int kOutroMs = 3000;
  static constexpr int kDemoMoveMs = 1300;
  // The smallest group the bonus board takes.
  static constexpr int kMinGroup = 3;

  CBetweenLevelsGame();
  ~CBetweenLevelsGame() override;

  // Prepares a bonus game of width x height cells with `colours` colours
  // (1..6) and `timeOnLevel` ms to clear it; the board is dealt when the
  // intro ends. False when the grid cannot take that size.
  bool start(int width, int height, int colours, int delay, double speed, int bonusFragments,
             int timeOnLevel);

  // Saves the running score, then deals the tiled board.
  void newField() override;
  // Intro, play or outro, then the board's own explosion and movement.
  void update(int ms) override;
  int hover(int cell) override;
  void click(int cell) override;
  // The end signal: true once the game is over and nothing moves any more.
  bool hasNoMoves() override;
  void clear() override;

  bool intro() const { return intro_; }
  bool outro() const { return outro_; }
  int timeLeft() const { return timeLeft_; }
  int colours() const { return colours_; }
  int scoreBefore() const { return scoreBefore_; }
  bool failureShown() const { return failText_ && failText_->visible; }
  size_t floatingCount() const { return floats_.size(); }

  // True when cell (k, j) of a 4 x 3 tile takes the tile's first colour
  // under pattern p (1..7).
  static bool patternCell(int p, int k, int j);

  static const char* const kIntroText;
  static const char* const kFailText;

private:
  void play(int ms);
  void endStep();
  void demoMove(int ms);
  void showTimeLeft();
  void addFloating(int value, int cell);

  int colours_ = 6;
  int delay_ = 0;
  double speed_ = 0;
  int bonusFragments_ = 0;
  int timeLeft_ = 1000;
  int scoreBefore_ = 0;
  int timer_ = 0;
  bool intro_ = true;
  bool outro_ = false;
  std::unique_ptr<CNumberView> timeNumber_;
  std::unique_ptr<CTextView> introText_;
  std::unique_ptr<CTextView> failText_;
  CFloatingNumbers floats_;
};

}  // namespace SpaceSinkra
