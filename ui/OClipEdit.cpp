#include "ui/OClipEdit.h"

#include <algorithm>

#include "platform/KeyCodes.h"

namespace {

// Shared by every edit field so that all cursors blink together.
int gBlinkCounter = 0;

}  // namespace

OClipEdit::OClipEdit() { forcedRedraw = true; }

OClipEdit::~OClipEdit() {
  // The text and cursor pictures are members; keep no pointers to them.
  setExtraLayers({});
}

int OClipEdit::blinkCounter() { return gBlinkCounter; }

bool OClipEdit::setPicture(const OClip& picture) {
  if (!copyFrom(picture, true)) return false;
  area_.right = width;
  area_.bottom = height;
  forcedRedraw = true;
  redraw();
  return true;
}

void OClipEdit::setTextArea(int left, int top, int right, int bottom) {
  area_ = ORect{left, top, right, bottom};
  scrollToCursor();
  redraw();
}

void OClipEdit::setStyle(const OTextStyle& style) {
  style_ = style;
  redraw();
}

void OClipEdit::setTextColour(uint32_t colour) {
  textColour_ = colour;
  redraw();
}

void OClipEdit::setCursorHeight(int height) {
  cursorHeight_ = std::clamp(height, 1, 1000);
  redraw();
}

void OClipEdit::setText(const std::string& text) {
  text_ = text.substr(0, size_t(maxLength_));
  cursor_ = 0;
  scroll_ = 0;
  redraw();
}

void OClipEdit::setMaxLength(int length) {
  maxLength_ = std::max(0, length);
  if (int(text_.size()) > maxLength_) {
    text_.resize(size_t(maxLength_));
    cursor_ = std::min(cursor_, maxLength_);
    scroll_ = std::min(scroll_, cursor_);
    redraw();
  }
}

int OClipEdit::widthOf(int from, int to) const {
  if (to <= from) return 0;
  OBitmap::textStyle() = style_;
  return OBitmap::textExtent(text_.substr(size_t(from), size_t(to - from))).width;
}

bool OClipEdit::cursorFits() const { return widthOf(scroll_, cursor_) <= areaWidth(); }

void OClipEdit::scrollToCursor() {
  scroll_ = std::clamp(scroll_, 0, cursor_);
  while (scroll_ < cursor_ && !cursorFits()) ++scroll_;
}

int OClipEdit::cursorX() const { return area_.left + widthOf(scroll_, cursor_); }

bool OClipEdit::hitPress(int x, int y) {
  if (!enabled || !hitTest(x, y)) {
    if (focused) setFocus(false);
    return false;
  }
  setFocus(true);
  if (stateCount() >= 2) showState(kPressed);
  pressed = true;
  return true;
}

void OClipEdit::setFocus(bool on) {
  focused = on;
  hovered_ = on ? 1 : 0;
  if (on) {
    cursor_ = 0;
    scroll_ = 0;
  }
  redraw();
}

void OClipEdit::keyDown(int key, int /*mods*/) {
  const int length = int(text_.size());
  switch (key) {
    case zb::vk::Left:
      if (cursor_ == 0) break;
      if (cursor_ == scroll_) --scroll_;
      --cursor_;
      break;
    case zb::vk::Right:
      if (cursor_ >= length) break;
      ++cursor_;
      scrollToCursor();
      break;
    case zb::vk::Delete:
      if (cursor_ < length) text_.erase(size_t(cursor_), 1);
      break;
    case zb::vk::Home:
      cursor_ = 0;
      scroll_ = 0;
      break;
    case zb::vk::End:
      cursor_ = length;
      scrollToCursor();
      break;
    default:
      return;
  }
  redraw();
}

void OClipEdit::charTyped(unsigned char ch, int /*mods*/) {

  if (ch == zb::vk::Backspace) {
    if (cursor_ > 0) {
      text_.erase(size_t(cursor_ - 1), 1);
      --cursor_;
      scroll_ = std::min(scroll_, cursor_);
      // Bring back as much of the text before the cursor as still fits.
      while (scroll_ > 0 && widthOf(scroll_ - 1, cursor_) <= areaWidth()) --scroll_;
    }
  } else if (ch == zb::vk::Tab || ch == zb::vk::Enter) {
    // Nothing to change; the line is drawn again below.
  } else if (ch >= 32 && ch <= 127) {
    if (int(text_.size()) >= maxLength_) return;
    text_.insert(size_t(cursor_), 1, char(ch));
    ++cursor_;
    scrollToCursor();
  } else {
    return;
  }
  redraw();
}

void OClipEdit::tickClip(int elapsed) {
  OClipButton::tickClip(elapsed);
  gBlinkCounter += std::max(0, elapsed);
  if (gBlinkCounter > kBlinkMs) {
    gBlinkCounter = 0;
    shownCursorColour_ = shownCursorColour_ == cursorColour_ ? textColour_ : cursorColour_;
    drawCursor();
  }
}

void OClipEdit::redraw() {
  drawTextLine();
  drawCursor();
  updateLayers();
}

void OClipEdit::drawTextLine() {
  const int w = areaWidth();
  const int h = area_.bottom - area_.top;
  if (w <= 0 || h <= 0) {
    textImage_ = OBitmap();
    return;
  }
  // The line is drawn once on black and once on white; the difference gives
  // an alpha plane, so antialiased letters blend with the box beneath.
  OBitmap onWhite;
  if (!textImage_.create(w, h, 0x000000) || !onWhite.create(w, h, 0xFFFFFF)) return;
  const std::string shown = text_.substr(size_t(std::min(scroll_, int(text_.size()))));
  if (!shown.empty()) {
    OTextStyle& style = OBitmap::textStyle();
    style = style_;
    style.textColour = textColour_;
    style.backColour = 0x000000;
    OBitmap::drawText(textImage_, shown, 0, 1);
    style.backColour = 0xFFFFFF;
    OBitmap::drawText(onWhite, shown, 0, 1);
  }
  OBitmap::alphaFromPair(textImage_, onWhite);
  textImage_.xOffset = area_.left;
  textImage_.yOffset = area_.top;
}

void OClipEdit::drawCursor() {
  if (!cursorImage_.valid() || cursorImage_.height() != cursorHeight_) {
    cursorImage_.create(2, cursorHeight_, shownCursorColour_);
  } else {
    cursorImage_.fillColour = shownCursorColour_;
    cursorImage_.fill();
  }
  cursorImage_.xOffset = cursorX();
  cursorImage_.yOffset = cursorY();
}

void OClipEdit::updateLayers() {
  OBitmap* text = textImage_.valid() ? &textImage_ : nullptr;
  OBitmap* cursor = focused && cursorImage_.valid() ? &cursorImage_ : nullptr;
  if (text && cursor)
    setExtraLayers({text, cursor});
  else if (text || cursor)
    setExtraLayers({text ? text : cursor});
  else
    setExtraLayers({});
}
