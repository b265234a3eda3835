#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/AStar.h"
#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CClassicSinkraGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "tests/sinkra/SinkraTestSupport.h"

using namespace SpaceSinkra;

namespace {

// The data pack's rules (ZB_DATA).
bool useDataRules() {
  const char* env = std::getenv("ZB_DATA");
  if (!env) return false;
  CGlobal& g = CGlobal::instance();
  g.rulesPath = std::string(env) + "/cfg/sinkra.cfg";
  return g.loadRules();
}

int clipsOf(const OEngine& screen, const CGameMap& grid) {
  const auto& clips = screen.clips();
  int n = 0;
  for (int i = 0; i < grid.size(); ++i) {
    const CPiece* p = grid.at(i);
    if (!p) continue;
    if (std::count(clips.begin(), clips.end(), p->clip.get()) != 1) return -1;
    ++n;
  }
  return n;
}

struct LevelRun {
  int index = 0;
  bool bonus = false;
  long ms = 0;  // scaled game time from its start to the next level's
};

struct ClassicRun {
  std::vector<LevelRun> levels;
  bool lost = false;
  int score = 0;
  std::string failure;
};

// Plays the Classic demo of a skill level until it has played `maxLevels`
// levels or lost, checking after every update that the screen holds the
// board's, tray's and bonus board's blocks once each (plus sparks and the
// bars) and that the score, with what a bonus board holds back, never falls.
ClassicRun playClassic(sinkratest::Rig& rig, CClassicSinkraGame& game, int skill, int maxLevels) {
  ClassicRun r;
  CGlobal& g = CGlobal::instance();
  g.beginGame(skill);
  if (!game.setup(g.boardWidth(kClassic, skill), g.boardHeight(kClassic, skill))) {
    r.failure = "setup refused the board";
    return r;
  }
  game.startDemo();
  const int ms = static_cast<int>(30 * g.speedFactor);
  int level = game.levelIndex();
  LevelRun current{level, game.bonusRunning(), 0};
  int last = 0;
  for (long update = 0; update < 2000000; ++update) {
    game.update(ms);
    rig.engine->tick(30);
    current.ms += ms;
    int blocks = clipsOf(*rig.engine, game.grid());
    int bonusBlocks = game.bonusRunning() ? clipsOf(*rig.engine, game.bonusGame().grid()) : 0;
    int tray = 0;
    for (int s = 0; s < game.grid().width(); ++s) tray += game.trayAt(s) ? 1 : 0;
    size_t expected = size_t(blocks + bonusBlocks + tray + rig.sparksOnScreen()) + game.extraClipCount();
    if (blocks < 0 || bonusBlocks < 0 || rig.engine->clips().size() != expected) {
      r.failure = "the screen and the boards disagree at level " + std::to_string(level);
      return r;
    }
    const CBetweenLevelsGame& bonus = game.bonusGame();
    int total = game.bonusRunning() && !bonus.intro() && !bonus.finished ? bonus.scoreBefore() + g.score : g.score;
    if (total < last) {
      r.failure = "the score fell at level " + std::to_string(level);
      return r;
    }
    last = total;
    if (game.finished) {
      r.lost = game.ended();
      r.levels.push_back(current);
      r.score = g.score;
      if (!r.lost) r.failure = "finished without a failed push";
      if (game.levelIndex() != 0) r.failure = "a lost game keeps its level";
      return r;
    }
    // A level ends when the next one has begun.
    bool started = game.levelIndex() != level && !game.endLevelEffect() && !game.levelDone();
    if (started) {
      r.levels.push_back(current);
      if (static_cast<int>(r.levels.size()) >= maxLevels) break;
      level = game.levelIndex();
      current = LevelRun{level, game.bonusRunning(), 0};
    }
  }
  r.score = g.score;
  return r;
}

class ClassicDemo : public ::testing::TestWithParam<int> {};

}  // namespace

// Seeded demo games through several levels, a bonus level among them; the
// level lengths are printed for tuning the level tables.
TEST_P(ClassicDemo, PlaysSeveralLevelsAndABonusLevel) {
  sinkratest::Rig rig;
  if (!useDataRules()) GTEST_SKIP() << "no data pack";
  int skill = GetParam();
  int levels = std::getenv("ZB_CLASSIC_LEVELS") ? std::atoi(std::getenv("ZB_CLASSIC_LEVELS")) : 6;
  for (uint32_t seed : {1u, 2u}) {
    zb::seedRandom(seed * 104729u + static_cast<uint32_t>(skill));
    CClassicSinkraGame game;
    rig.attach(game);
    ClassicRun r = playClassic(rig, game, skill, levels);
    EXPECT_TRUE(r.failure.empty()) << r.failure;
    bool bonusPlayed = std::any_of(r.levels.begin(), r.levels.end(), [](const LevelRun& l) { return l.bonus; });
    EXPECT_TRUE(bonusPlayed || r.lost) << "skill " << skill;
    std::string line;
    for (const LevelRun& l : r.levels)
      line += " " + std::to_string(l.index + 1) + (l.bonus ? "b" : "") + ":" + std::to_string(l.ms / 1000) + "s";
    std::printf("[classic] skill %d seed %u:%s%s, score %d\n", skill, seed, line.c_str(), r.lost ? " lost" : "",
                r.score);
    game.clear();
  }
}

INSTANTIATE_TEST_SUITE_P(EverySkill, ClassicDemo, ::testing::Values(0, 1, 2));
