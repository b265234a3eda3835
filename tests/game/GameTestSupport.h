#pragma once
#include <memory>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "platform/HeadlessWindow.h"

namespace gametest {

// A headless main window on a manual clock with one plain 800 x 600 screen
// open; the random generator is seeded so runs repeat.
struct Board {
  Board();
  ~Board();
  zb::ManualClock clock;
  zb::HeadlessWindow platform{&clock};
  OMainWindow window{platform};
  std::unique_ptr<OEngine> screen;
};

}  // namespace gametest
