#pragma once
#include <string>

#include "gfx/OBitmap.h"

class OWindow;

// A short line shown over the top of the window for a second, such as
// "Zoom 150 %" after a zoom key: drawn over whatever the screens draw until
// it runs out, then the screens below repaint the place it covered.
class AZoomNotice {
public:
  static constexpr int kShowMs = 1000;

  // Shows `text` from now on, replacing any line still shown.
  void show(const std::string& text);
  bool active() const { return remainingMs_ > 0; }
  const std::string& text() const { return text_; }
  // Counts `elapsed` off; true on the tick the line runs out.
  bool tick(int elapsed);
  // Puts the line on the window, centred near the top of a `clientWidth` wide client area.
  void draw(OWindow& window, int clientWidth) const;

private:
  std::string text_;
  int remainingMs_ = 0;
  OBitmap picture_;
};
