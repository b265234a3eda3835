#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/Random.h"
#include "sinkra/CCollectorGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CRemoverGame.h"
#include "sinkra/CSinkraGame.h"
#include "sinkra/CTurnGame.h"
#include "tests/sinkra/DemoHarness.h"

using namespace SpaceSinkra;

namespace {

// The data pack's rules when the pack is there, the test rules otherwise.
void useRules(sinkratest::Rig& rig) {
  const char* data = std::getenv("ZB_DATA");
  std::string path = data ? std::string(data) + "/cfg/sinkra.cfg" : std::string();
  CGlobal& g = CGlobal::instance();
  g.rulesPath = path;
  if (path.empty() || !g.loadRules()) {
    g.rulesPath = rig.rulesPath;
    ASSERT_TRUE(g.loadRules());
  }
}

std::unique_ptr<CGameField> make(int variant) {
  switch (variant) {
    case kCollector:
      return std::make_unique<CCollectorGame>();
    case kAdvanced:
      return std::make_unique<CSinkraGame>();
    case kRemover:
      return std::make_unique<CRemoverGame>();
    default:
      return std::make_unique<CTurnGame>();
  }
}

const char* const kNames[] = {"Collector", "advanced", "Remover", "Turn Play"};

class DemoRun : public ::testing::TestWithParam<std::tuple<int, int>> {};

}  // namespace

TEST_P(DemoRun, PlaysASeededGameToItsEnd) {
  auto [variant, level] = GetParam();
  sinkratest::Rig rig;
  useRules(rig);
  for (uint32_t seed : {1u, 2u}) {
    zb::seedRandom(seed * 7919u + static_cast<uint32_t>(variant * 10 + level));
    auto field = make(variant);
    rig.attach(*field);
    auto r = sinkratest::runDemo(rig, *field, variant, level, 400000);
    EXPECT_TRUE(r.failure.empty()) << r.failure;
    EXPECT_TRUE(r.ended) << kNames[variant] << " level " << level << " did not end";
    std::string turn = variant == kTurnPlay ? " (player " + std::to_string(r.playerBefore) +
                                                  " vs computer " + std::to_string(r.compBefore) + ")"
                                            : "";
    std::printf("[demo] %-9s level %d seed %u: %d updates (%ld game ms), %d moves, score %d%s\n",
                kNames[variant], level, seed, r.updates, r.gameMs, r.moves, r.score, turn.c_str());
    field.reset();
  }
}

TEST(DemoRepeat, ASeededDemoReplaysExactly) {
  sinkratest::Rig rig;
  useRules(rig);
  sinkratest::DemoResult runs[2];
  for (auto& r : runs) {
    zb::seedRandom(4242);
    CGlobal& g = CGlobal::instance();
    g.demoTimer = g.explosionProgress = g.floatTimer = g.rowTimeResets = 0;
    CSinkraGame game;
    rig.attach(game);
    r = sinkratest::runDemo(rig, game, kAdvanced, 1, 400000);
  }
  EXPECT_EQ(runs[0].updates, runs[1].updates);
  EXPECT_EQ(runs[0].score, runs[1].score);
}

INSTANTIATE_TEST_SUITE_P(AllVariants, DemoRun,
                         ::testing::Combine(::testing::Values(kCollector, kAdvanced, kRemover,
                                                              kTurnPlay),
                                            ::testing::Values(0, 1, 2)));
