#include "app/OAppState.h"

void OAppState::destroyAll() {
  currentScreen = nullptr;
  pendingScreen = nullptr;
  mainScreen.reset();
  // The controller owned the music.
  music = nullptr;
  for (auto& s : screens) s.reset();
  introScreen.reset();
  familyOptions.reset();
  for (auto& c : letters) c.reset();
  spark.reset();
  frame.reset();
  for (auto& c : buttons) c.reset();
}
