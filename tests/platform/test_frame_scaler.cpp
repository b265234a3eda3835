#include <gtest/gtest.h>

#include <vector>

#include "platform/FrameBuffer.h"
#include "platform/FrameScaler.h"
#include "platform/SdlWindow.h"

namespace {

// A frame of distinct colours, drawn through a 24-bit bottom-up source.
void paint(zb::FrameBuffer& fb, int left, int top, int w, int h, uint32_t seed) {
  int stride = (w * 3 + 3) & ~3;
  std::vector<uint8_t> mem(size_t(stride) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = (seed * 2654435761u) ^ uint32_t(x * 7919 + y * 104729);
      uint8_t* p = mem.data() + size_t(h - 1 - y) * stride + x * 3;
      p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16);
    }
  fb.blit(zb::PixelSource{mem.data(), stride, w, h}, 0, 0, w, h, left, top);
}

struct Output {
  Output(int w, int h) : width(w), height(h), pixels(size_t(w) * h, 0xDEADBEEF) {}
  uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
  int width, height;
  std::vector<uint32_t> pixels;
};

void drawAll(const zb::FrameScaler& s, const zb::FrameBuffer& fb, Output& out) {
  s.drawBars(out.pixels.data(), out.width * 4, 0);
  s.draw(fb, s.picture(), out.pixels.data(), out.width * 4, 0);
}

}  // namespace

TEST(FrameScalerTest, WholeZoomIsAnExactEnlargementAndPointsMapBack) {
  zb::FrameBuffer fb(80, 60);
  paint(fb, 0, 0, 80, 60, 1);
  zb::FrameScaler s;
  s.setLayout(80, 60, 160, 120);
  ASSERT_EQ(s.wholeScale(), 2);
  Output out(160, 120);
  drawAll(s, fb, out);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x) ASSERT_EQ(out.at(x, y), fb.row(y / 2)[x / 2]) << x << "," << y;
  int vx = 0, vy = 0;
  s.toView(2 * 37 + 1, 2 * 59 + 1, vx, vy);
  EXPECT_EQ(vx, 37);
  EXPECT_EQ(vy, 59);
}

TEST(FrameScalerTest, OtherProportionsAreLetterboxedAndCentred) {
  zb::FrameScaler s;
  s.setLayout(800, 600, 1920, 1080);
  EXPECT_EQ(s.picture().left, 240);
  EXPECT_EQ(s.picture().right, 1680);
  EXPECT_EQ(s.picture().bottom, 1080);
  EXPECT_EQ(s.wholeScale(), 0);
  int vx = 0, vy = 0;
  s.toView(240 + 225, 293, vx, vy);  // 1.8 x (125, 163)
  EXPECT_EQ(vx, 125);
  EXPECT_EQ(vy, 162);
  s.toView(100, 0, vx, vy);  // on the bar: left of the content
  EXPECT_LT(vx, 0);
  s.setLayout(800, 600, 1000, 1000);  // taller than wide: bars above and below
  EXPECT_EQ(s.picture().top, 125);
  EXPECT_EQ(s.picture().bottom, 875);

  zb::FrameBuffer fb(800, 600);
  Output out(1000, 1000);
  drawAll(s, fb, out);
  EXPECT_EQ(out.at(500, 10), 0u);
  EXPECT_EQ(out.at(500, 990), 0u);
}

// Redrawing only the output areas of what changed gives the same picture as
// redrawing everything, at any scale.
TEST(FrameScalerTest, ChangedAreasAloneGiveTheFullPicture) {
  struct Case {
    int outW, outH;
  } cases[] = {{80, 60}, {240, 180}, {144, 108}, {192, 108}, {56, 42}, {101, 67}};
  for (const Case& c : cases) {
    zb::FrameBuffer fb(80, 60);
    paint(fb, 0, 0, 80, 60, 1);
    zb::FrameScaler s;
    s.setLayout(80, 60, c.outW, c.outH);
    Output partial(c.outW, c.outH), full(c.outW, c.outH);
    drawAll(s, fb, partial);
    fb.takeDirty();
    paint(fb, 10, 7, 3, 2, 2);
    paint(fb, 79, 0, 1, 1, 3);
    paint(fb, 40, 30, 12, 9, 4);
    for (const auto& area : fb.takeDirty())
      s.draw(fb, s.outputArea(area), partial.pixels.data(), c.outW * 4, 0);
    drawAll(s, fb, full);
    EXPECT_EQ(partial.pixels, full.pixels) << c.outW << "x" << c.outH;
  }
}

// Blending never leaks one channel into another: a flat colour stays exactly
// that colour at any scale, with the alpha bits added.
TEST(FrameScalerTest, FlatColoursStayExact) {
  zb::FrameBuffer fb(80, 60);
  fb.clear(0xFF8001);
  for (int outW : {144, 56, 101}) {
    zb::FrameScaler s;
    s.setLayout(80, 60, outW, outW * 3 / 4);
    Output out(outW, outW * 3 / 4);
    s.draw(fb, s.picture(), out.pixels.data(), outW * 4, 0xFF000000u);
    const zb::FrameScaler::Rect& p = s.picture();
    for (int y = p.top; y < p.bottom; ++y)
      for (int x = p.left; x < p.right; ++x) ASSERT_EQ(out.at(x, y), 0xFFFF8001u) << outW << ": " << x << "," << y;
  }
}

TEST(FrameBufferTest, ChangedAreasMergeWhenTheyMeetAndCollapsePastTheLimit) {
  zb::FrameBuffer fb(100, 100);
  paint(fb, 0, 0, 10, 10, 1);
  paint(fb, 10, 0, 10, 10, 1);   // touches the first: one area
  paint(fb, 50, 50, 10, 10, 1);  // apart: a second
  auto areas = fb.takeDirty();
  ASSERT_EQ(areas.size(), 2u);
  EXPECT_EQ(areas[0].right, 20);
  for (int i = 0; i < int(zb::FrameBuffer::kMaxDirty) + 1; ++i) paint(fb, i * 5, i * 5, 2, 2, 2);
  areas = fb.takeDirty();
  ASSERT_EQ(areas.size(), 1u);
  EXPECT_EQ(areas[0].right, int(zb::FrameBuffer::kMaxDirty) * 5 + 2);
}

TEST(SdlWindowTest, TheScreenSaverIsAllowed) {
  zb::SdlWindow::useDummyDrivers();
  zb::SdlWindow window(true, nullptr);
  ASSERT_TRUE(window.open("t", 80, 60));
  EXPECT_TRUE(zb::SdlWindow::screenSaverAllowed());
}
