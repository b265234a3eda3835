#pragma once
#include <cstdint>
#include <memory>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "platform/HeadlessWindow.h"

namespace zb {

// A screen that draws nowhere, on a clock of its own that is the process
// clock while it lives: the frame benchmarks and tests run game pieces on,
// one update at a time.
struct OffscreenScreen {
  explicit OffscreenScreen(int frameInterval = 100);
  OffscreenScreen(const OffscreenScreen&) = delete;
  OffscreenScreen& operator=(const OffscreenScreen&) = delete;
  // The screen goes first, then the clock is given back.
  ~OffscreenScreen();

  ManualClock clock;
  HeadlessWindow platform{&clock};
  OMainWindow window{platform};
  std::unique_ptr<OEngine> engine;
};

// A plain stand-in for the spark picture: six rows of `frames` frames, each
// size x size of one colour.
std::unique_ptr<OClip> makeSparkPicture(int frames, int size, uint32_t colour);

}  // namespace zb
