#include <gtest/gtest.h>

#include "platform/FrameScaler.h"
#include "platform/ZoomSteps.h"

namespace {

TEST(ZoomSteps, PlusAndMinusWalkTheQuarterStepsThenWholeNumbers) {
  std::vector<int> up{100};
  while (up.back() != zb::kMaxZoomPercent) up.push_back(zb::nextZoomStep(up.back(), 1));
  const std::vector<int> first{100, 125, 150, 175, 200, 300, 400};
  ASSERT_GE(up.size(), first.size());
  EXPECT_EQ(std::vector<int>(up.begin(), up.begin() + 7), first);
  EXPECT_EQ(up.back(), 1600);
  for (size_t i = up.size() - 1; i > 0; --i) EXPECT_EQ(zb::nextZoomStep(up[i], -1), up[i - 1]);
  EXPECT_EQ(zb::nextZoomStep(100, -1), 100);
  EXPECT_EQ(zb::nextZoomStep(1600, 1), 1600);
  for (int p : up) EXPECT_TRUE(zb::isZoomStep(p)) << p;
  for (int p : {0, 99, 110, 250, 1700}) EXPECT_FALSE(zb::isZoomStep(p)) << p;
}

TEST(ZoomSteps, CommonDesktopsGetTheLargestStepThatFits) {
  struct Case {
    int w, h;
    double share;
    int want;
  } cases[] = {
      {1920, 1080, 0.9, 150},  // the default window on a full-HD desktop: 1200 x 900
      {1920, 1080, 1.0, 175},  // the largest it holds whole: 1400 x 1050
      {2560, 1440, 0.9, 200},  {1366, 768, 0.9, 100}, {1366, 768, 1.0, 125},
      {3840, 2160, 0.9, 300},  {640, 480, 0.9, 100},  // too small for even 1x: 1x
  };
  for (const Case& c : cases)
    EXPECT_EQ(zb::largestZoomStep(800, 600, c.w * c.share, c.h * c.share), c.want) << c.w << "x" << c.h;
}

TEST(ZoomSteps, EveryQuarterStepMapsThePointerBackToTheContentPixel) {
  for (int percent : {125, 150, 175}) {
    const int w = 800 * percent / 100, h = 600 * percent / 100;
    zb::FrameScaler scaler;
    scaler.setLayout(800, 600, w, h);
    ASSERT_EQ(scaler.picture().right, w);
    ASSERT_EQ(scaler.picture().bottom, h);
    // Every window pixel lands in the content pixel that covers its left or
    // top edge, so the content pixels tile the window without gaps.
    int last = -1;
    for (int x = 0; x < w; ++x) {
      int vx = 0, vy = 0;
      scaler.toView(x, x % h, vx, vy);
      EXPECT_EQ(vx, x * 100 / percent) << percent << " at " << x;
      EXPECT_TRUE(vx == last || vx == last + 1) << percent << " at " << x;
      last = vx;
    }
    EXPECT_EQ(last, 799);
  }
}

}  // namespace
