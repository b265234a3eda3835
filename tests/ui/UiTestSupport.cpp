#include "UiTestSupport.h"

#include "platform/Random.h"

namespace uitest {

uint32_t frameColour(int sequence, int frame) {
  return uint32_t(0x10000 * sequence + 0x100 * frame + 0x40);
}

namespace {

void addFrames(OClip& target, int sequence, int frames, int w, int h) {
  for (int f = 0; f < frames; ++f) {
    auto image = std::make_unique<OBitmap>();
    image->create(w, h, frameColour(sequence, f));
    target.addImage(std::move(image));
  }
}

}  // namespace

std::unique_ptr<OClip> makeClip(int sequences, int frames, int w, int h) {
  auto clip = std::make_unique<OClip>();
  if (sequences == 0) {
    addFrames(*clip, 0, frames, w, h);
    return clip;
  }
  for (int s = 0; s < sequences; ++s) {
    auto sequence = std::make_unique<OClip>();
    addFrames(*sequence, s, frames, w, h);
    clip->addSequence(std::move(sequence));
  }
  return clip;
}

Screen::Screen() {
  zb::seedRandom(1234);
  window.frameInterval = 30;
  window.create("test", "OMainWindow", 800, 600, 1);
  screen = new OEngine(window, 0, 0, 800, 600);
  screen->open(&window.app().currentScreen);
}

Screen::~Screen() {
  window.app().currentScreen = nullptr;
  delete screen;
}

void Screen::tick(int n) {
  for (int i = 0; i < n; ++i) window.app().currentScreen->tick(30);
}

EffectsGuard::EffectsGuard(bool animation, bool bursts) : saved_(zb::textEffects()) {
  zb::textEffects().animation = animation;
  zb::textEffects().bursts = bursts;
}

EffectsGuard::~EffectsGuard() { zb::textEffects() = saved_; }

}  // namespace uitest
