#include "tests/sinkra/DemoHarness.h"

#include <algorithm>

#include "game/AStar.h"
#include "gfx/OClip.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "sinkra/CSinkraGame.h"
#include "sinkra/CTurnGame.h"

using namespace SpaceSinkra;

namespace sinkratest {

namespace {

// Everything on the screen belongs to the board: blocks, tray, extra
// clips or sparks, each block's clip exactly once.
std::string checkScreen(const Rig& rig, const CGameField& field) {
  int blocks = rig.blockClipsOnScreen(field);
  if (blocks < 0) return "a block's clip is missing from the screen or there twice";
  int tray = 0;
  if (auto* sinkra = dynamic_cast<const CSinkraGame*>(&field)) {
    const auto& clips = rig.engine->clips();
    for (int s = 0; s < field.grid().width(); ++s) {
      const CPiece* p = sinkra->trayAt(s);
      if (!p) continue;
      if (std::count(clips.begin(), clips.end(), p->clip.get()) != 1)
        return "a tray block's clip is missing from the screen or there twice";
      ++tray;
    }
  }
  size_t expected = static_cast<size_t>(blocks + tray + rig.sparksOnScreen()) + field.extraClipCount();
  if (rig.engine->clips().size() != expected) return "the screen holds clips of no block";
  for (int i = 0; i < field.grid().size(); ++i) {
    const CPiece* p = field.grid().at(i);
    if (p && p->moving && !field.grid().valid(p->endCell)) return "a block slides outside the grid";
  }
  return {};
}

}  // namespace

DemoResult runDemo(Rig& rig, CGameField& field, int variant, int level, int maxUpdates) {
  DemoResult r;
  CGlobal& g = CGlobal::instance();
  g.beginGame(level);
  int w = g.boardWidth(variant, level), h = g.boardHeight(variant, level);
  auto* sinkra = dynamic_cast<CSinkraGame*>(&field);
  auto* turn = dynamic_cast<CTurnGame*>(&field);
  if (!field.setup(w, h)) {
    r.failure = "setup refused the board size";
    return r;
  }
  if (sinkra) sinkra->setRowTiming(g.timeBuildLine[level], g.timeBuildLineStep[level]);
  field.newField();
  field.startDemo();
  const int ms = static_cast<int>(30 * g.speedFactor);
  const int deals = field.deals();
  int lastScore = g.score;
  int lastComp = 0;
  while (r.updates < maxUpdates) {
    bool wasIdle = field.idle();
    bool restingWithoutMoves = wasIdle && field.hasNoMoves();
    bool wasFinished = field.finished;
    bool wasExploding = field.grid().exploding;
    field.update(ms);
    rig.engine->tick(30);
    ++r.updates;
    r.gameMs += ms;
    if (!wasExploding && field.grid().exploding) ++r.moves;
    if (field.deals() != deals) {
      // The demo deals a new board as soon as one ends.
      if (!restingWithoutMoves && !wasFinished) r.failure = "a board was dealt before it ended";
      r.ended = true;
      r.score = lastScore;
      return r;
    }
    if (r.failure.empty()) r.failure = checkScreen(rig, field);
    if (!r.failure.empty()) return r;
    if (turn && field.finished) {
      r.ended = true;
      r.score = g.score;
      r.compScore = turn->compScores();
      r.playerBefore = lastScore;
      r.compBefore = lastComp;
      if (r.score + r.compScore != lastScore + lastComp) r.failure = "the decision lost points";
      return r;
    }
    if (g.score < lastScore || (turn && turn->compScores() < lastComp)) {
      r.failure = "a score fell";
      return r;
    }
    lastScore = g.score;
    if (turn) lastComp = turn->compScores();
    if (sinkra && field.finished) {
      r.ended = sinkra->ended();
      if (!r.ended) r.failure = "finished without a failed push";
      r.score = g.score;
      return r;
    }
  }
  r.score = g.score;
  return r;
}

}  // namespace sinkratest
