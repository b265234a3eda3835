#include "tessel/AMyButton.h"

#include "app/OEngine.h"
#include "game/AStar.h"
#include "platform/Random.h"

namespace SpaceTessel {

AMyButton::AMyButton(OEngine* screen, const OClip* sparkle, const bool* animation, int side, int line,
                     int colour)
    : screen_(screen), sparkle_(sparkle), animation_(animation), side_(side), line_(line), colour_(colour) {}

void AMyButton::tickClip(int elapsed) {
  OClipButton::tickClip(elapsed);
  if (!hovered()) {
    if (pulse_ != 0) {
      pulse_ = 0;
      pulseStep_ = kPulseStep;
      setOpacity(0);
    }
    return;
  }
  pulse_ += pulseStep_;
  if (pulse_ >= kPulseTop || pulse_ <= 0) {
    pulse_ = pulse_ >= kPulseTop ? kPulseTop : 0;
    pulseStep_ = -pulseStep_;
  }
  setOpacity(pulse_);
  if (animation_ && *animation_ && sparkle_ && screen_ && zb::random(100) < 5) {
    auto* spark = new AStar(*sparkle_, x, y, width, height, colour_ - 1, -20);
    screen_->addClip(spark);
  }
}

}  // namespace SpaceTessel
