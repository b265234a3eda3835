#pragma once
#include <string>

#include "gfx/OBitmap.h"
#include "ui/OClipButton.h"

// A single-line text field on a clip picture. The text is drawn with the
// shared text style into a picture of its own, shown as a layer over the
// box; while focused a blinking 2-pixel cursor is a further layer.
// Characters arrive through charTyped (typing and pastes alike), so the
// text never grows beyond maxLength.
class OClipEdit : public OClipButton {
public:
  static constexpr int kDefaultMaxLength = 255;
  // Milliseconds between cursor colour changes.
  static constexpr int kBlinkMs = 300;

  OClipEdit();
  ~OClipEdit() override;

  // Takes the box picture (a copy sharing its pixels); the text area's
  // right and bottom edges become the picture's width and height.
  bool setPicture(const OClip& picture);
  void setTextArea(int left, int top, int right, int bottom);
  // Font and colour the text is drawn with (copied into the shared style
  // just before drawing).
  void setStyle(const OTextStyle& style);
  void setTextColour(uint32_t colour);
  void setCursorColour(uint32_t colour) { cursorColour_ = colour; }
  void setCursorHeight(int height);

  // Replaces the text, cut to maxLength; cursor and view go to the start.
  void setText(const std::string& text);
  const std::string& text() const { return text_; }
  // Cuts the text when it is longer than the new limit (at least 0).
  void setMaxLength(int length);
  int maxLength() const { return maxLength_; }
  int cursor() const { return cursor_; }
  int scroll() const { return scroll_; }
  const ORect& textArea() const { return area_; }

  bool hitPress(int x, int y) override;
  // Arrows, Home, End and Delete; other keys are ignored.
  void keyDown(int key, int mods) override;
  // Backspace, tab and return (redraw only) and printable characters.
  void charTyped(unsigned char ch, int mods) override;
  // On: cursor shown, caret and view back to the start.
  void setFocus(bool on) override;
  // Advances the blink shared by every edit field.
  void tickClip(int elapsed) override;
  // The caret blinks.
  bool atRest() const override { return false; }

  // The blink counter shared by all edit fields, and the cursor's colour.
  static int blinkCounter();
  uint32_t shownCursorColour() const { return shownCursorColour_; }
  // Where the cursor is drawn, relative to the clip.
  int cursorX() const;
  int cursorY() const { return area_.top + 3; }
  // The rendered text line and the cursor picture.
  const OBitmap& textPicture() const { return textImage_; }
  const OBitmap& cursorPicture() const { return cursorImage_; }

private:
  int areaWidth() const { return area_.right - area_.left; }
  // Pixel width of text_[from, to) in this field's style.
  int widthOf(int from, int to) const;
  // True when text_[scroll_, cursor_) fits the text area.
  bool cursorFits() const;
  void scrollToCursor();
  void redraw();
  void drawTextLine();
  void drawCursor();
  void updateLayers();

  std::string text_;
  int maxLength_ = kDefaultMaxLength;
  int cursor_ = 0;
  int scroll_ = 0;
  ORect area_;
  OTextStyle style_;
  uint32_t textColour_ = 0;
  uint32_t cursorColour_ = 0xFFFFFF;
  uint32_t shownCursorColour_ = 0xFFFFFF;
  int cursorHeight_ = 10;
  OBitmap textImage_;
  OBitmap cursorImage_;
};
