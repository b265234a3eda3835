#include "app/OffscreenScreen.h"

namespace zb {

OffscreenScreen::OffscreenScreen(int frameInterval) {
  setClock(&clock);
  window.frameInterval = frameInterval;  // the engine takes it when made
  engine = std::make_unique<OEngine>(window, 0, 0, 800, 600);
  engine->drawToWindow = false;
  engine->redrawMode = OEngine::kRedrawNone;
}

OffscreenScreen::~OffscreenScreen() {
  engine.reset();
  setClock(nullptr);
}

std::unique_ptr<OClip> makeSparkPicture(int frames, int size, uint32_t colour) {
  auto picture = std::make_unique<OClip>();
  for (int row = 0; row < 6; ++row) {
    auto sequence = std::make_unique<OClip>();
    for (int f = 0; f < frames; ++f) {
      auto image = std::make_unique<OBitmap>();
      image->create(size, size, colour);
      sequence->addImage(std::move(image));
    }
    picture->addSequence(std::move(sequence));
  }
  return picture;
}

}  // namespace zb
