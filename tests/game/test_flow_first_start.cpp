#include <gtest/gtest.h>

#include <filesystem>

#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "platform/KeyCodes.h"
#include "tests/game/FlowRig.h"
#include "ui/APickGameWnd.h"

namespace {

using flowtest::FlowRig;

TEST(FlowFirstStart, IntroThenPickGameThenSinkraAdv) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  EXPECT_EQ(rig.current(), rig.window.app().introScreen.get());
  rig.run(600);
  rig.shot("flow1_intro");
  rig.run(7000);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }));
  auto* pick = static_cast<APickGameWnd*>(rig.current());
  EXPECT_TRUE(pick->current() == 0 || pick->current() == 1 || pick->current() == 6 || pick->current() == 4 ||
              pick->current() == 9 || pick->current() == 11);
  rig.run(1500);
  rig.shot("flow1_pick");
  rig.stop();
}

}  // namespace
