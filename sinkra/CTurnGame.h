#pragma once
#include <memory>
#include <string>
#include <vector>

#include "sinkra/CAI_.h"
#include "sinkra/CGameField.h"

namespace SpaceSinkra {

// Turn play: the player and the computer take turns removing groups. A turn
// is a rising series of group sizes: a group of n may be taken when
// m_curentSeries <= n <= m_series, after which the next one must be larger.
// When the mover cannot go on, the turn passes; each time the computer hands
// the turn back the largest allowed size grows by one.
class CTurnGame : public CGameField {
public:
  void loadState(OConfig& config) override;
  void saveState(OConfig& config) override;
  void onSettled() override;
  void update(int ms) override;
  void clear() override;
  // No group of 2 .. m_series blocks is left.
  bool hasNoMoves() override;
  void undo() override {}
  void pushUndo() override {}
  void newField() override;
  // Removes a legal group for whoever's turn it is (the frame forwards the
  // player's presses only on the player's turn).
  void click(int cell) override;
  int hover(int cell) override;
  bool setup(int width, int height) override;
  // 1 when the player scored less than the computer, else 2.
  int result() const override;

  bool legal(int n) const { return n >= m_curentSeries && n <= m_series; }
  // Some cell lies in a legal group.
  bool anyLegalGroup();
  // The computer's (or, in a demo, the player's) move; see the source.
  void opponentMove();

  int series() const { return m_series; }
  int currentSeries() const { return m_curentSeries; }
  int whoseTurn() const { return m_whoseTurn; }
  int compScores() const { return m_compScores; }
  void setTurnState(int series, int currentSeries, int whoseTurn) {
    m_series = series;
    m_curentSeries = currentSeries;
    m_whoseTurn = whoseTurn;
  }
  const CTextView* turnCaption() const { return turnCaption_.get(); }
  const CNumberView* compScoreNumber() const { return compNumber_.get(); }

private:
  void refreshCaption();
  void showCompScore();
  void decide();

  int m_series = 2;
  int m_curentSeries = 2;
  int m_whoseTurn = 0;
  int m_compScores = 0;
  std::vector<int> candidates_;
  CAI_ ai_;
  std::unique_ptr<CTextView> turnCaption_;
  std::string captionText_;
  std::unique_ptr<CNumberView> compNumber_;
};

}  // namespace SpaceSinkra
