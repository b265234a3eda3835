#include "tests/game/GameTestSupport.h"

#include "platform/Random.h"

namespace gametest {

Board::Board() {
  zb::setClock(&clock);
  zb::seedRandom(4321);
  window.frameInterval = 30;
  window.create("test", "OMainWindow", 800, 600, 1);
  screen = std::make_unique<OEngine>(window, 0, 0, 800, 600);
  screen->open(&window.app().currentScreen);
}

Board::~Board() {
  window.app().currentScreen = nullptr;
  zb::setClock(nullptr);
}

}  // namespace gametest
