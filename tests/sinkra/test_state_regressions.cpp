// Saved boards that once broke a variant's loading, and the real saved
// states the state fuzz target starts from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

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
    default: return std::make_unique<CTurnGame>();
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

// Each variant's state saved part way through a demo game, as the fuzz
// target reads it: the variant digit, a line break, the saved text.
TEST(StateSeeds, MidGameStatesReloadAndLeaveFuzzSeeds) {
  std::string dir = zbtest::fuzzSeedDir("fuzz_sinkra_state");
  std::filesystem::create_directories(dir);
  for (int v = 0; v < 4; ++v) {
    sinkratest::Rig rig;
    auto field = makeVariant(v);
    rig.attach(*field);
    field->setup(8, 8);
    field->newField();
    field->startDemo();
    rig.run(*field, 150, 30);
    OConfig saved;
    field->saveState(saved);
    std::string text = std::to_string(v) + "\n" + saved.write();
    std::ofstream(dir + "/mid_game_" + std::to_string(v)) << text;
    ASSERT_GT(saved.getInt("size", 0), 0) << "variant " << v;
    field.reset();
    loadAndPlay(rig, v, text.substr(2));
  }
}

}  // namespace
