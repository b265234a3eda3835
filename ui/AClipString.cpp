#include "ui/AClipString.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "game/AStar.h"
#include "platform/Random.h"

namespace zb {

TextEffects& textEffects() {
  static TextEffects effects;
  return effects;
}

}  // namespace zb

namespace {

// Below this a velocity component counts as no motion.
constexpr double kStill = 0.01;

bool stillClip(const OClip& clip) {
  return std::abs(clip.vx) < kStill && std::abs(clip.vy) < kStill && std::abs(clip.vz) < kStill &&
         clip.waypoints.empty();
}

// + or - the value, the sign drawn at random.
int randomSign() { return zb::random(2) == 0 ? 1 : -1; }

// 0, or with even chance minus a random number below `bound`.
int trembleOffset(int bound) {
  if (zb::random() % 2 == 0) return 0;
  return -zb::random(bound);
}

// Stars per glyph of a click burst: fewer for longer texts so a long line
// does not flood the screen.
int starsPerGlyph(int glyphs) {
  if (glyphs <= 6) return 7;
  if (glyphs <= 12) return 3;
  if (glyphs <= 19) return 2;
  return 1;
}

}  // namespace

namespace {

std::vector<AClipString*>& liveTexts() {
  static std::vector<AClipString*> texts;
  return texts;
}

}  // namespace

const std::vector<AClipString*>& AClipString::all() { return liveTexts(); }

AClipString::AClipString(OClip* font, OEngine* screen, int x, int y, const std::string& text,
                         int depth, bool animated, OClip* starPicture)
    : starPicture_(starPicture) {
  liveTexts().push_back(this);
  text_ = text;
  font_ = font;
  x_ = x;
  y_ = y;
  depth_ = depth;
  animated_ = animated;
  if (screen) setText(font, screen, x, y, text, depth, animated);
}

AClipString::~AClipString() {
  removeGlyphs();
  std::erase(liveTexts(), this);
}

int AClipString::glyphSequence(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= 0x80) {
    // Latin-1, for the translations: small letters share the capitals.
    if (u == 0xA1) return 39;
    if (u == 0xBF) return 40;
    const unsigned char capital = u >= 0xE0 && u != 0xF7 && u != 0xFF ? u - 0x20 : u;
    if (capital >= 0xC0 && capital <= 0xD6) return 41 + (capital - 0xC0);
    if (capital >= 0xD8 && capital <= 0xDE) return 64 + (capital - 0xD8);
    if (u == 0xDF) return 71;
    return kOtherGlyph;
  }
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return 10 + (c - 'A');
  if (c >= 'a' && c <= 'z') return 10 + (c - 'a');
  switch (c) {
    case '-': return 36;
    case '!': return 37;
    case '?': return 38;
    case '\'': return 72;
    case ' ':
    case '\n': return -1;
    default: return kOtherGlyph;
  }
}

bool AClipString::canDraw(const OClip* font, const std::string& text) {
  for (char c : text) {
    const int seq = glyphSequence(c);
    if (seq == kOtherGlyph || (seq >= 0 && (!font || seq >= font->sequenceCount))) return false;
  }
  return true;
}

bool AClipString::animationOn() const {
  return (effects_ ? *effects_ : zb::textEffects()).animation;
}

void AClipString::removeGlyphs() {
  if (screen_) {
    for (OClip* glyph : glyphs_) screen_->removeClip(glyph, true);
  } else {
    for (OClip* glyph : glyphs_) delete glyph;
  }
  glyphs_.clear();
  homes_.clear();
}

void AClipString::setText(OClip* font, OEngine* screen, int x, int y, const std::string& text,
                          int depth, bool animated) {
  removeGlyphs();
  font_ = font;
  screen_ = screen;
  text_ = text;
  x_ = x;
  y_ = y;
  depth_ = depth;
  animated_ = animated && animationOn();
  layOut();
}

void AClipString::moveText(int x, int y, int depth, bool animated) {
  setText(font_, screen_, x, y, text_, depth, animated);
}

void AClipString::layOut() {
  flying_ = false;
  width_ = height_ = 0;
  // An empty font would give glyphs the screen refuses (and never deletes).
  if (!font_ || font_->empty() || !screen_) return;
  const int fontW = font_->width;
  const int fontH = font_->height;
  int column = 0;
  int rowY = y_;
  int counter = 0;
  // Lowest glyph top of the text so far; a line feed starts the next row one
  // font height below it.
  bool anyTop = false;
  int lowestTop = y_;
  for (char c : text_) {
    if (c == '\n') {
      rowY = (anyTop ? lowestTop : rowY) + fontH;
      column = 0;
      continue;
    }
    int seq = glyphSequence(c);
    // A letter set from before the Latin-1 letters has no such sequence.
    if (seq > 38 && seq >= font_->sequenceCount) seq = kOtherGlyph;
    if (seq != -1) {
      const int shown = seq == kOtherGlyph ? 0 : seq;
      // The letter's own sequence only: it never shows another.
      auto glyph = std::make_unique<OClip>();
      glyph->copyFrom(*font_, false, shown, 1);
      glyph->visible = true;
      glyph->stopped = animated_;
      glyph->showFrame(0, 0);
      int top = rowY;
      if (zb::random() % 2 == 0) top = rowY - zb::random(int(fontH * 0.2));
      if (!anyTop || top > lowestTop) lowestTop = top;
      anyTop = true;
      homes_.push_back(Home{x_ + column, top, seq == kOtherGlyph ? kOtherGlyph : shown});
      placeGlyph(*glyph, x_ + column, top, depth_ + counter);
      glyphs_.push_back(glyph.get());
      screen_->addClip(glyph.release());
    }
    column += fontW - fontW / 3 + zb::random(int(fontW * 2 / 11));
    --counter;
  }
  width_ = column + fontW;
  height_ = (anyTop ? lowestTop : y_) + fontH - y_;
}

void AClipString::placeGlyph(OClip& glyph, int homeX, int homeY, int z) {
  if (!animated_) {
    glyph.x = homeX;
    glyph.y = homeY;
    glyph.z = z;
    return;
  }
  // Start somewhere on a circle around the screen and fly home.
  const double r = std::max(screen_->width(), screen_->height());
  const double a = zb::random(360) * std::numbers::pi / 180.0;
  const int s = randomSign();
  const int t = randomSign();
  glyph.x = s * r * std::cos(a) - screen_->width() / 2.0;
  glyph.y = t * r * std::sin(a) + screen_->height() / 2.0;
  glyph.z = depth_;
  glyph.addWaypoint(OWaypoint{double(homeX), double(homeY), 0, kFlySpeed}, true);
  flying_ = true;
}

void AClipString::flyOut() {
  if (fading_) return;
  flying_ = true;
  trembleWhenPointed_ = false;
  trembleAlways_ = false;
  if (!animated_ || !animationOn()) {
    setVisible(false);
    return;
  }
  for (OClip* glyph : glyphs_) {
    glyph->waypoints.clear();
    const int vx = 30 + zb::random(10);
    glyph->vx = vx * randomSign();
    const int vy = 30 + zb::random(10);
    glyph->vy = vy * randomSign();
  }
}

void AClipString::clickFade() {
  fading_ = true;
  for (OClip* glyph : glyphs_) glyph->waypoints.clear();
  const zb::TextEffects& fx = effects_ ? *effects_ : zb::textEffects();
  if (fx.animation && fx.bursts) burst();
}

void AClipString::burst() {
  if (!starPicture_ || starPicture_->empty() || !screen_ || !font_) return;
  const int perGlyph = starsPerGlyph(glyphCount()) + int(font_->height * 0.2);
  for (OClip* glyph : glyphs_) {
    for (int i = 0; i < perGlyph; ++i) {
      // Row -1: a random row of the star picture.
      screen_->addClip(new AStar(*starPicture_, glyph->x, glyph->y, glyph->width, glyph->height, -1));
    }
  }
}

void AClipString::refresh() {
  const bool fadedOut = fading_ && opacity_ >= 255;
  // Glyphs that flew off keep flying; only a fresh layout brings them back.
  const bool flownOut = flying_ && !glyphs_.empty() && isGone();
  setMoving(true);
  opacity_ = 0;
  visible_ = true;
  if (clickable_) trembleWhenPointed_ = true;
  flying_ = false;
  fading_ = false;
  if (fadedOut || flownOut) {
    setText(font_, screen_, x_, y_, text_, depth_, animated_);
    return;
  }
  setOpacity(0);
  setVisible(true);
  for (size_t i = 0; i < glyphs_.size(); ++i) {
    if (homes_[i].sequence != kOtherGlyph) glyphs_[i]->showFrame(0, 0);
  }
}

void AClipString::land() {
  for (size_t i = 0; i < glyphs_.size(); ++i) {
    OClip& glyph = *glyphs_[i];
    if (glyph.waypoints.empty()) continue;
    glyph.waypoints.clear();
    glyph.vx = glyph.vy = glyph.vz = 0;
    glyph.x = homes_[i].x;
    glyph.y = homes_[i].y;
  }
}

bool AClipString::isGone() const {
  if (fading_ || !visible_) return true;
  if (!screen_) return true;
  const double w = screen_->width();
  const double h = screen_->height();
  for (const OClip* glyph : glyphs_) {
    const bool outX = glyph->x < 0 || glyph->x > w;
    const bool outY = glyph->y < 0 || glyph->y > h;
    if (!(outX && outY)) return false;
  }
  return true;
}

bool AClipString::hitTest(int x, int y) const {
  if (!screen_ || flying_ || !clickable_ || !visible_) return false;
  const int rx = x - screen_->x();
  const int ry = y - screen_->y();
  return rx >= x_ && rx < x_ + width_ && ry >= y_ && ry < y_ + height_;
}

void AClipString::setOpacity(int level) {
  opacity_ = level;
  for (OClip* glyph : glyphs_) glyph->setOpacity(level);
}

void AClipString::setVisible(bool visible) {
  visible_ = visible;
  for (OClip* glyph : glyphs_) glyph->visible = visible;
}

void AClipString::setMoving(bool moving) {
  for (OClip* glyph : glyphs_) glyph->moves = moving;
}

void AClipString::setClickable(bool on) {
  clickable_ = on;
  if (on) trembleWhenPointed_ = true;
}

bool AClipString::pointerInside() const {
  int px = 0;
  int py = 0;
  if (!screen_) return false;
  screen_->owner().getCursorPos(px, py);
  const int rx = px - screen_->x();
  const int ry = py - screen_->y();
  return rx >= x_ && rx < x_ + width_ && ry >= y_ && ry < y_ + height_;
}

void AClipString::tick(int /*elapsed*/) {
  if (fading_) {
    if (opacity_ < 255) setOpacity(std::min(255, opacity_ + kFadeStep));
    if (opacity_ > 254) setVisible(false);
    return;
  }
  if (flying_) {
    bool allStill = true;
    for (const OClip* glyph : glyphs_) allStill = allStill && stillClip(*glyph);
    if (allStill) flying_ = false;
    return;
  }
  if (clickable_ && trembleWhenPointed_) {
    trembleStep(true);
    return;
  }
  if (trembleAlways_) trembleStep(false);
}

bool AClipString::atRest() const {
  if (fading_) return !visible_;
  if (flying_) return false;
  if (clickable_ && trembleWhenPointed_) return !pointerInside();
  return !trembleAlways_;
}

void AClipString::trembleStep(bool pointerMatters) {
  if (pointerMatters && !pointerInside()) {
    for (size_t i = 0; i < glyphs_.size(); ++i) {
      OClip* glyph = glyphs_[i];
      glyph->waypoints.clear();
      glyph->vx = glyph->vy = 0;
      glyph->x = homes_[i].x;
      glyph->y = homes_[i].y;
    }
    return;
  }
  for (size_t i = 0; i < glyphs_.size(); ++i) {
    OClip* glyph = glyphs_[i];
    // A pointer resting on the text would otherwise queue a waypoint every
    // tick for as long as it stays; a short queue trembles just the same.
    if (glyph->waypoints.size() >= kMaxTrembleQueue) continue;
    const int dx = trembleOffset(glyph->width / 3);
    const int dy = trembleOffset(glyph->height / 3);
    const double speed = 1 + zb::random(2);
    glyph->addWaypoint(OWaypoint{double(homes_[i].x + dx), double(homes_[i].y + dy), 0, speed});
  }
}
