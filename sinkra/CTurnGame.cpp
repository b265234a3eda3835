#include "sinkra/CTurnGame.h"

#include <cstdio>

#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/OConfig.h"
#include "platform/Language.h"

namespace SpaceSinkra {

namespace {
constexpr int kMoveDelay = 1000;
}

bool CTurnGame::setup(int width, int height) {
  if (!engine_) return false;
  CGameField::setup(width, height);
  removeAllBlocks();
  if (!grid_.resize(width, height)) return false;
  if (!turnCaption_) turnCaption_ = host_->makeText(" ", 10, 10);
  turnCaption_->setVisible(true);
  recomputeCellSize();
  compNumber_ = host_->makeNumber(0, 5, 600, 327, 0);
  return true;
}

void CTurnGame::newField() {
  global().score = 0;
  m_curentSeries = 2;
  m_series = 2;
  m_whoseTurn = 0;
  m_compScores = 0;
  global().caption()->setText(zb::tr("comp score"), 600, 300);
  global().caption()->setVisible(true);
  showCompScore();
  captionText_.clear();
  CGameField::newField();
  refreshCaption();
}

void CTurnGame::clear() {
  CGameField::clear();
  turnCaption_.reset();
  compNumber_.reset();
  captionText_.clear();
  candidates_.clear();
}

int CTurnGame::result() const {
  if (!finished) return 0;
  return global().score < m_compScores ? 1 : 2;
}

void CTurnGame::showCompScore() {
  if (compNumber_) compNumber_->setValue(m_compScores);
}

bool CTurnGame::anyLegalGroup() {
  for (int i = 0; i < grid_.size(); ++i)
    if (grid_.at(i) && legal(grid_.groupSize(i))) return true;
  return false;
}

bool CTurnGame::hasNoMoves() {
  for (int i = 0; i < grid_.size(); ++i) {
    int n = grid_.groupSize(i);
    if (n >= 2 && n <= m_series) return false;
  }
  return true;
}

int CTurnGame::hover(int cell) {
  if (m_whoseTurn == 1) return 0;
  int n = CGameField::hover(cell);
  if (n >= 2 && !legal(n)) {
    removeHighlight();
  } else if (n >= 2 && !grid_.normalizing) {
    playEffect(12, true);
  }
  return n;
}

void CTurnGame::click(int cell) {
  if (grid_.exploding) return;
  removeHighlight();
  // Measured with the highlight fill, which finds nothing while blocks move.
  int n = CGameField::hover(cell);
  if (!legal(n)) {
    removeHighlight();
    return;
  }
  int points = n * n * n / 3;
  if (m_whoseTurn == 1) {
    CGlobal::addPoints(m_compScores, points);
    showCompScore();
  } else {
    global().addScore(points);
  }
  CGameField::click(cell);
  m_curentSeries = n + 1;
}

void CTurnGame::onSettled() {
  if (m_series >= m_curentSeries && anyLegalGroup()) return;
  if (m_whoseTurn == 1) {
    m_whoseTurn = 0;
    ++m_series;
  } else {
    m_whoseTurn = 1;
  }
  m_curentSeries = 2;
}

void CTurnGame::opponentMove() {
  candidates_.clear();
  for (int i = 0; i < grid_.size(); ++i)
    if (grid_.at(i) && grid_.groupSize(i) == m_curentSeries) candidates_.push_back(i);
  if (candidates_.empty()) {
    ++m_curentSeries;
    return;
  }
  ai_.loadBoard(grid_, candidates_);
  int cell = ai_.chooseMove(m_curentSeries);
  if (!legal(grid_.groupSize(cell)))
    ++m_curentSeries;
  else
    click(cell);
  removeHighlight();
}

void CTurnGame::refreshCaption() {
  if (!idle()) return;
  char text[64];
  if (hasNoMoves())
    std::snprintf(text, sizeof text, "  ");
  else
    std::snprintf(text, sizeof text, zb::tr(m_whoseTurn == 1 ? N_("Computer\n%d-%d blocks") : N_("Your turn\n%d-%d blocks")).c_str(),
                  m_curentSeries, m_series);
  if (captionText_ == text) return;
  captionText_ = text;
  if (turnCaption_) turnCaption_->setText(captionText_, 600, 230);
}

void CTurnGame::decide() {
  CGlobal& g = global();
  int sum = g.score;
  CGlobal::addPoints(sum, m_compScores);
  if (g.score >= m_compScores) {
    g.score = sum;
    m_compScores = 0;
  } else {
    m_compScores = sum;
    g.score = 0;
  }
  showCompScore();
}

void CTurnGame::update(int ms) {
  refreshCaption();
  if (finished) {
    CGameField::update(ms);
    finished = false;
    return;
  }
  CGlobal& g = global();
  if (!idle() || !hasNoMoves()) {
    if (m_whoseTurn == 1 || demo) {
      int& timer = m_whoseTurn == 1 ? g.turnTimer : g.turnDemoTimer;
      timer += ms;
      if (idle() && timer > kMoveDelay) {
        timer = 0;
        opponentMove();
      }
    }
  } else {
    finished = true;
    decide();
  }
  CGameField::update(ms);
}

void CTurnGame::saveState(OConfig& c) {
  c.setInt("m_series", m_series);
  c.setInt("m_curentSeries", m_curentSeries);
  c.setInt("m_whoseTurn", m_whoseTurn);
  c.setInt("m_compScores", m_compScores);
  CGameField::saveState(c);
}

void CTurnGame::loadState(OConfig& c) {
  int series = c.getInt("m_series", -1);
  int current = c.getInt("m_curentSeries", -1);
  int turn = c.getInt("m_whoseTurn", -1);
  stateLoaded_ = false;
  if (series == -1 || current == -1 || turn == -1) return;
  CGameField::loadState(c);
  int comp = c.getInt("m_compScores", 0);
  // Values no turn can reach are refused with the board.
  if (series < 2 || current < 2 || (turn != 0 && turn != 1) || comp < 0 ||
      series > CGameMap::kMaxSide * CGameMap::kMaxSide || current > series + 1 + grid_.size()) {
    removeAllBlocks();
    grid_.exploding = grid_.normalizing = false;
    stateLoaded_ = false;
    return;
  }
  m_series = series;
  m_curentSeries = current;
  m_whoseTurn = turn;
  m_compScores = comp;
  if (!compNumber_) compNumber_ = host_->makeNumber(0, 5, 600, 327, 0);
  showCompScore();
  if (!turnCaption_) turnCaption_ = host_->makeText(" ", 10, 10);
  turnCaption_->setVisible(true);
  captionText_.clear();
}

}  // namespace SpaceSinkra
