#pragma once
#include "app/OEngine.h"

// The first screen of a run: the title picture in a small window. It
// closes after 7 seconds or at the first key or click, seeds the random
// generator from the clock, brings the window to its full size and opens
// the main screen.
class AIntroWnd : public OEngine {
public:
  static constexpr int kShowMs = 7000;
  static constexpr uint32_t kBackground = 0x131F3B;

  explicit AIntroWnd(OMainWindow& owner);

  // Loads "clp/i1.clp"; without it the run cannot go on (message, exit 255).
  bool load() override;
  void tick(int elapsed) override;
  void onKeyDown(int key, int mods) override;
  OClipControl* onLButtonUp(int x, int y) override;

  bool finished() const { return finished_; }
  int shownMs() const { return shown_; }

private:
  void finish();

  int shown_ = 0;
  bool finished_ = false;
};
