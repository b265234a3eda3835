#include <gtest/gtest.h>

#include <cstdlib>

#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "tests/game/FlowRig.h"

namespace {

using flowtest::FlowRig;

// Every built Sinkra variant's demo for a long stretch of game time (30
// minutes each unless ZB_SOAK_MINUTES says otherwise). Outside the default
// run: --gtest_also_run_disabled_tests, best in a sanitizer build.
TEST(Soak, DISABLED_EveryDemoRunsLong) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  const char* env = std::getenv("ZB_SOAK_MINUTES");
  int minutes = env ? std::atoi(env) : 30;
  for (int radio : {4, 5, 7, 8}) {
    FlowRig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000));
    rig.settle();
    const zb::PickRadio& r = zb::pickRadio(radio);
    rig.click(rig.current()->x() + r.boxX + 15, rig.current()->y() + r.boxY + 15);
    ASSERT_TRUE(rig.clickText("Demo!"));
    ASSERT_TRUE(rig.waitPlaying());
    AGameWnd* game = rig.main()->game();
    ASSERT_TRUE(game && game->demo());
    for (int m = 0; m < minutes; ++m) {
      rig.run(60 * 1000);
      ASSERT_TRUE(game->demo()) << "radio " << radio << " left its demo after " << m << " min";
      ASSERT_FALSE(rig.ended());
    }
  }
}

}  // namespace
