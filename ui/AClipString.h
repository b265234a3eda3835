#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/OClip.h"

class OEngine;

namespace zb {

// The two switches that shape how clip-font texts animate. The application
// keeps the shared instance in step with the "Animation" option; tests set
// it (or hand a text its own instance) to pin a behaviour down.
struct TextEffects {
  bool animation = true;  // texts fly in and out, clicks burst into stars
  bool bursts = true;     // star bursts on click (only with animation on)
};

// The process-wide switches every text reads unless given its own.
TextEffects& textEffects();

}  // namespace zb

// A line (or several lines) of text assembled from a clip font: every
// character with a glyph becomes a clip of its own on the screen, so letters
// can fly in, tremble under the pointer, fade out or burst into stars.
class AClipString {
public:
  // Speed of the fly-in towards a glyph's home, pixels per step.
  static constexpr double kFlySpeed = 45.0;
  // Opacity gained per tick while the click fade runs.
  static constexpr int kFadeStep = 20;
  // Tremble waypoints a glyph may have queued at once.
  static constexpr size_t kMaxTrembleQueue = 4;

  // Lays the text out at once when a screen is given. The font and the star
  // picture are not owned and must outlive the text.
  AClipString(OClip* font, OEngine* screen, int x, int y, const std::string& text, int depth,
              bool animated, OClip* starPicture = nullptr);
  // Removes the glyphs from the screen.
  virtual ~AClipString();
  AClipString(const AClipString&) = delete;
  AClipString& operator=(const AClipString&) = delete;

  // The font sequence that draws a character: 0-9 digits, 10-35 letters of
  // either case, 36 '-', 37 '!', 38 '?'; for the translations (Latin-1)
  // 39 inverted '!', 40 inverted '?', 41-70 the capitals 0xC0-0xDE without
  // 0xD7 (small letters 0xE0-0xFE share them), 71 the sharp s, 72 the
  // apostrophe (French and Spanish need it in short captions); -1 for space
  // and line feed (no glyph); kOtherGlyph for any other character (a glyph
  // that keeps sequence 0 when laid out).
  static constexpr int kOtherGlyph = -2;
  static constexpr int kLatin1Sequences = 73;
  static int glyphSequence(char c);
  // True when every character of `text` has a glyph of its own in `font`.
  static bool canDraw(const OClip* font, const std::string& text);

  // Removes the old glyphs and lays out the new text. The fly-in only
  // happens when `animated` and the animation setting are both on.
  void setText(OClip* font, OEngine* screen, int x, int y, const std::string& text, int depth,
               bool animated);
  // Lays the same text out again at a new place.
  void moveText(int x, int y, int depth, bool animated);

  // The glyphs leave: flying off in random diagonal directions when
  // animated, hidden at once otherwise. Ignored while fading.
  void flyOut();
  // The click effect: the text fades out, bursting into stars when the
  // animation setting and the burst switch are on.
  void clickFade();
  // Shows the text again after a fly-out or a fade.
  void refresh();
  // Ends a fly-in at once: glyphs still on their way home stand there, still.
  // Glyphs flying out are left alone.
  void land();
  // True when every glyph has left the screen on both axes, or the text is
  // fading or hidden.
  bool isGone() const;
  // True when (x, y) in main-window coordinates lies in the text's area and
  // the text is clickable, visible and not flying.
  bool hitTest(int x, int y) const;

  void setOpacity(int level);
  void setVisible(bool visible);
  void setMoving(bool moving);

  // One animation step (fade, end of flight or trembling); the screen moves
  // the glyphs themselves.
  virtual void tick(int elapsed);
  // True while tick would change nothing: in place (or faded out) and not
  // trembling.
  bool atRest() const;

  // Uses `effects` (not owned) instead of the shared switches; nullptr
  // returns to the shared ones.
  void setEffects(const zb::TextEffects* effects) { effects_ = effects; }
  // The star picture of the click burst (not owned); nullptr: no burst.
  void setStarPicture(OClip* star) { starPicture_ = star; }

  void setClickable(bool on);
  void setTrembleWhenPointed(bool on) { trembleWhenPointed_ = on; }
  void setTrembleAlways(bool on) { trembleAlways_ = on; }

  // Every text that exists, in creation order (for checks over all screens).
  static const std::vector<AClipString*>& all();

  const std::string& text() const { return text_; }
  int glyphCount() const { return int(glyphs_.size()); }
  OClip* glyph(int i) const { return glyphs_[size_t(i)]; }
  // Where glyph i rests when the text is in place.
  int homeX(int i) const { return homes_[size_t(i)].x; }
  int homeY(int i) const { return homes_[size_t(i)].y; }
  OEngine* screen() const { return screen_; }
  OClip* font() const { return font_; }
  int opacity() const { return opacity_; }
  bool visible() const { return visible_; }
  bool flying() const { return flying_; }
  bool fading() const { return fading_; }
  // The click fade has run its course (the text is fully faded and hidden).
  bool fadeDone() const { return fading_ && !visible_; }
  bool animated() const { return animated_; }
  bool clickable() const { return clickable_; }
  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int depth() const { return depth_; }

private:
  struct Home {
    int x = 0;
    int y = 0;
    int sequence = 0;  // sequence shown when in place
  };

  bool animationOn() const;
  void removeGlyphs();
  void layOut();
  void placeGlyph(OClip& glyph, int homeX, int homeY, int z);
  void burst();
  void trembleStep(bool pointerMatters);
  bool pointerInside() const;

  std::string text_;
  std::vector<OClip*> glyphs_;  // owned by the screen while added to it
  std::vector<Home> homes_;
  OClip* font_ = nullptr;
  OClip* starPicture_ = nullptr;
  OEngine* screen_ = nullptr;
  int opacity_ = 0;
  bool visible_ = true;
  bool flying_ = false;
  bool fading_ = false;
  bool animated_ = false;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  int depth_ = 0;
  bool clickable_ = false;
  bool trembleWhenPointed_ = true;
  bool trembleAlways_ = false;
  const zb::TextEffects* effects_ = nullptr;
};
