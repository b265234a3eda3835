#include <gtest/gtest.h>

#include "sinkra/AMyGame.h"
#include "tests/support/FakeGameHost.h"

namespace {

// Leaving a rising-rows game puts the calm playlist back, but not while the
// program ends: that would start a track after the music was stopped.
TEST(SinkraFamilyHost, NoPlaylistSwitchWhileTheProgramEnds) {
  for (bool closing : {false, true}) {
    zbtest::FakeGameHost host;
    host.musicPlayer = std::make_unique<OMusic>();
    host.musicPlayer->setEnabled(true);
    host.closingFlag = closing;
    {
      SpaceSinkra::AMyGame game(host);
      game.kind = 1;
    }
    EXPECT_EQ(host.musicPlayer->playing(), !closing) << "closing " << closing;
  }
}

}  // namespace
