#include "app/AZoomNotice.h"

#include "app/OWindow.h"

namespace {

constexpr uint32_t kBack = 0x131F3B;
constexpr uint32_t kInk = 0xFFFFFF;
constexpr int kPadX = 14, kPadY = 8, kTop = 40;

}  // namespace

void AZoomNotice::show(const std::string& text) {
  text_ = text;
  remainingMs_ = kShowMs;
  OTextStyle& style = OBitmap::textStyle();
  OTextStyle saved = style;
  style.face = "Arial";
  style.size = 14;
  style.flags = kTextBold;
  style.textColour = kInk;
  style.backColour = kBack;
  OSize extent = OBitmap::textExtent(text);
  picture_ = OBitmap();
  // Without a font the line cannot be drawn; it still counts down, so the
  // place is repainted as usual.
  if (extent.width > 0 && picture_.create(extent.width + 2 * kPadX, extent.height + 2 * kPadY, kBack))
    OBitmap::drawText(picture_, text, kPadX, kPadY + 1);
  style = saved;
}

bool AZoomNotice::tick(int elapsed) {
  if (remainingMs_ <= 0) return false;
  remainingMs_ -= elapsed;
  return remainingMs_ <= 0;
}

void AZoomNotice::draw(OWindow& window, int clientWidth) const {
  if (!active() || !picture_.valid()) return;
  window.blitToWindow(picture_, (clientWidth - picture_.width()) / 2, kTop);
}
