#include <gtest/gtest.h>

#include "game/AGameWnd.h"
#include "tests/support/FakeGameHost.h"

namespace {

// A game of no family: the frame's own rules with a result the test sets.
class AStubGame : public AGameWnd {
public:
  using AGameWnd::AGameWnd;
  int gameResult() override { return result; }
  int result = 0;
};

TEST(GameFrame, ADemoAfterAFinishedGameEndsInANewGame) {
  zbtest::FakeGameHost host;
  AStubGame game(host);
  game.beginDemo();
  ASSERT_TRUE(game.demo());
  game.stopDemo(game.restoreAfterDemo());
  EXPECT_FALSE(host.newGameNeeded);  // a game in progress is simply taken up again

  game.result = 1;
  game.beginDemo();
  game.stopDemo(game.restoreAfterDemo());
  EXPECT_TRUE(host.newGameNeeded);
}

}  // namespace
