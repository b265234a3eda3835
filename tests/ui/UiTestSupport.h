#pragma once
#include <memory>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "gfx/OClip.h"
#include "platform/HeadlessWindow.h"
#include "ui/AClipString.h"

namespace uitest {

// A clip of `sequences` sequences (0: a plain clip) with `frames` frames
// each; every frame is a w x h image filled with a colour that tells the
// sequence and frame apart (see frameColour).
std::unique_ptr<OClip> makeClip(int sequences, int frames, int w, int h);

// The colour makeClip gives frame `frame` of sequence `sequence`.
uint32_t frameColour(int sequence, int frame);

// A headless main window with one plain 800 x 600 screen opened in the
// current-screen slot; the random generator is seeded so runs repeat.
class Screen {
public:
  Screen();
  ~Screen();
  zb::HeadlessWindow platform;
  OMainWindow window{platform};
  OEngine* screen = nullptr;
  // Ticks the current screen `n` times at 30 ms.
  void tick(int n = 1);
};

// Sets the shared text switches for the lifetime of the guard.
class EffectsGuard {
public:
  EffectsGuard(bool animation, bool bursts);
  ~EffectsGuard();

private:
  zb::TextEffects saved_;
};

}  // namespace uitest
