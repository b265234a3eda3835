#include "tools/data/gen/GyrexDemos.h"

#include "gyrex/RFieldGame.h"
#include "gyrex/RFieldPlayer.h"
#include "platform/Random.h"
#include "storage/OConfig.h"

namespace zbgen {
namespace {

using namespace SpaceGyrex;

// A demo should show a real game without dragging on: it must end by
// itself within these many moves.
constexpr int kMinMoves = 25;
constexpr int kMaxMoves = 150;
constexpr int kSeedsTried = 200;

bool recordDemo(int kind, const RRules& rules, RRecorder& out) {
  for (int seed = 1; seed <= kSeedsTried; ++seed) {
    zb::seedRandom(static_cast<uint32_t>(1000 * (kind + 1) + seed));
    RFieldGame game;
    game.Start(kind, kGyrexDemoLevel, rules);
    if (!RFieldPlayer::PlayOut(game, kMaxMoves) || game.moves < kMinMoves) continue;
    game.recorder.CopyTo(out);
    return true;
  }
  return false;
}

}  // namespace

std::string gyrexDemoText(const std::string& rulesText) {
  OConfig rulesTree;
  rulesTree.parse(rulesText);
  OConfig demos;
  for (int kind = 0; kind < 3; ++kind) {
    RRecorder rec;
    if (recordDemo(kind, RRules::Read(rulesTree, kind, kGyrexDemoLevel), rec))
      rec.SaveTo(demos, OConfig::key("demo%d", kind));
  }
  return "// Gyrex demo recordings\n" + demos.write();
}

}  // namespace zbgen
