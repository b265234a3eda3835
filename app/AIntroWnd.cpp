#include "app/AIntroWnd.h"

#include <cstdlib>

#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/Language.h"

AIntroWnd::AIntroWnd(OMainWindow& owner) : OEngine(owner, 0, 0, 600, 600) {
  backgroundColour = kBackground;
  redrawMode = kRedrawDirty;
}

bool AIntroWnd::load() {
  auto* picture = new OClip();
  if (!picture->load("clp/i1.clp")) {
    delete picture;
    owner().reportError("%s", zb::tr("File i1.clp not found!!!").c_str());
    std::exit(255);
  }
  picture->setColourKey(0x004129);
  picture->x = (400 - picture->width) / 2;
  picture->y = (400 - picture->height) / 2;
  addClip(picture);
  return true;
}

void AIntroWnd::tick(int elapsed) {
  OEngine::tick(elapsed);
  shown_ += elapsed;
  if (shown_ > kShowMs) finish();
}

void AIntroWnd::onKeyDown(int, int) { finish(); }

OClipControl* AIntroWnd::onLButtonUp(int x, int y) {
  OEngine::onLButtonUp(x, y);
  finish();
  return nullptr;
}

void AIntroWnd::finish() {
  if (finished_) return;
  finished_ = true;
  zb::seedRandom(zb::nowMs());
  OAppState& app = owner().app();
  int dw = 0, dh = 0;
  owner().getScreenSize(dw, dh);
  owner().moveTo((dw - 800) / 2, (dh - 600) / 2, 800, 600);
  if (app.mainScreen) app.mainScreen->open(&app.currentScreen);
}
