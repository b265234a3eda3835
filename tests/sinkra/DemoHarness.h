#pragma once
#include <string>

#include "sinkra/CGameField.h"
#include "tests/sinkra/SinkraTestSupport.h"

namespace sinkratest {

// The outcome of one demo game played to its end without a window.
struct DemoResult {
  bool ended = false;   // the game reached its proper end
  int updates = 0;
  long gameMs = 0;      // scaled milliseconds handed to update
  int score = 0;        // the player's (or demo player's) score
  int compScore = 0;    // turn play: the computer's, after the decision
  int playerBefore = 0; // turn play: both scores before the decision
  int compBefore = 0;
  int moves = 0;        // boards: explosions started
  std::string failure;  // the first broken invariant, empty when none
};

// Sets the variant up for the skill level from the rules in CGlobal, starts
// its demo and runs updates of 30 ms x speed factor (ticking the screen
// each time) until the game ends or `maxUpdates` pass. After every update
// it checks that each block's clip is on the screen exactly once, that the
// screen holds nothing but the board's clips and sparks, and that the score
// never falls before the final decision.
DemoResult runDemo(Rig& rig, SpaceSinkra::CGameField& field, int variant, int level,
                   int maxUpdates);

}  // namespace sinkratest
