// Saved boards that once broke a variant's loading, and the real saved
// states the state fuzz target starts from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "sinkra/CClassicSinkraGame.h"
#include "sinkra/CCollectorGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CRemoverGame.h"
#include "sinkra/CSinkraGame.h"
#include "sinkra/CTurnGame.h"
#include "storage/OConfig.h"
#include "tests/sinkra/SinkraTestSupport.h"

using namespace SpaceSinkra;

namespace {

// The variant a fuzz input names with its first byte.
std::unique_ptr<CGameField> makeVariant(int v) {
  switch (v) {
    case 0: return std::make_unique<CCollectorGame>();
    case 1: {
      auto g = std::make_unique<CSinkraGame>();
      g->setRowTiming(400, 50);
      return g;
    }
    case 2: return std::make_unique<CRemoverGame>();
    case 3: return std::make_unique<CTurnGame>();
    default: return std::make_unique<CClassicSinkraGame>();
  }
}

// Loads `text` into a variant dealt 8 x 8, plays a little and checks the
// board stays consistent; then reloads what it saves.
void loadAndPlay(sinkratest::Rig& rig, int variant, const std::string& text) {
  OConfig config;
  config.parse(text);
  auto field = makeVariant(variant);
  rig.attach(*field);
  field->setup(8, 8);
  field->newField();
  field->loadState(config);
  ASSERT_EQ(rig.blockClipsOnScreen(*field), field->blockCount());
  for (int i = 0; i < 60; ++i) {
    rig.run(*field, 1);
    field->hover(i % 70 - 3);
    if (i % 5 == 0) field->click(i % 70 - 3);
  }
  ASSERT_EQ(rig.blockClipsOnScreen(*field), field->blockCount());
  OConfig saved;
  field->saveState(saved);
  auto other = makeVariant(variant);
  rig.attach(*other);
  other->setup(8, 8);
  other->loadState(saved);
  ASSERT_EQ(rig.blockClipsOnScreen(*other), other->blockCount());
  rig.run(*other, 30);
  ASSERT_EQ(rig.blockClipsOnScreen(*other), other->blockCount());
}

// A variant's state saved part way through a demo game.
OConfig midGameState(sinkratest::Rig& rig, int variant) {
  auto field = makeVariant(variant);
  rig.attach(*field);
  field->setup(8, 8);
  field->newField();
  field->startDemo();
  rig.run(*field, 150, 30);
  OConfig saved;
  field->saveState(saved);
  return saved;
}

// Each variant's mid-game state, as the fuzz target reads it: the variant
// digit, a line break, the saved text.
TEST(StateSeeds, MidGameStatesReloadAndLeaveFuzzSeeds) {
  std::string dir = zbtest::fuzzSeedDir("fuzz_sinkra_state");
  std::filesystem::create_directories(dir);
  for (int v = 0; v < 5; ++v) {
    sinkratest::Rig rig;
    OConfig saved = midGameState(rig, v);
    ASSERT_GT(saved.getInt("size", 0), 0) << "variant " << v;
    std::string text = std::to_string(v) + "\n" + saved.write();
    std::ofstream(dir + "/mid_game_" + std::to_string(v)) << text;
    loadAndPlay(rig, v, saved.write());
  }
}

// Hostile values in a real saved state, on every variant: each loads into
// a consistent board (or an empty one) that keeps playing.
TEST(StateRegressions, HostileKeysOnEveryVariant) {
  struct Change {
    const char* key;
    int value;
  } changes[] = {
      {"size", 63},          {"size", -1},           {"size", 1 << 30},     {"width", 0},
      {"width", -8},         {"height", 100000},     {"width", 64},         {"0.color", 99},
      {"0.color", 9},        {"0.color", 18},        {"1.isMoving", 1},     {"1.startNormPos", 4096},
      {"1.endNormPos", -9},  {"2.endNormPos", 1},    {"2.isMoving", 1},     {"3.isExpolding", 1},
      {"hasExplode", 1},     {"hasNormalize", 7},    {"normalizeType", -3}, {"rowLength", 1 << 30},
      {"rowLength", -1},     {"scores", -2147483647}, {"m_series", 1 << 30}, {"m_curentSeries", -5},
      {"m_whoseTurn", 9},    {"m_compScores", -1},   {"n0.color", 12},      {"n1.color", 99},
      {"timePassed", 1 << 30}, {"timeBuildLine", 0},  {"timeFragStep", 0},   {"rowAdded", -4},
      {"currentLevel", 1 << 30}, {"currentLevel", -7}, {"rowCount", -1},     {"timeStep", 1 << 30},
      {"isEndLevelEffect", 1},
  };
  for (int v = 0; v < 5; ++v) {
    sinkratest::Rig rig;
    OConfig good = midGameState(rig, v);
    for (const Change& c : changes) {
      OConfig bad = good;
      bad.setInt(c.key, c.value);
      SCOPED_TRACE(std::string("variant ") + std::to_string(v) + " " + c.key + "=" + std::to_string(c.value));
      loadAndPlay(rig, v, bad.write());
    }
    // Every block moving onto the same cell.
    OConfig pile = good;
    for (int i = 0; i < 64; ++i) {
      std::string cell = std::to_string(i);
      pile.setInt(cell + ".color", i % 6);
      pile.setInt(cell + ".isMoving", 1);
      pile.setInt(cell + ".startNormPos", i);
      pile.setInt(cell + ".endNormPos", 0);
    }
    SCOPED_TRACE("variant " + std::to_string(v) + " pile");
    loadAndPlay(rig, v, pile.write());
  }
}

}  // namespace
