#pragma once
#include <memory>
#include <string>

namespace SpaceSinkra {

// A number shown on the screen (score previews, floating bonus numbers, the
// computer's score). The base keeps the values only; the family window
// derives a drawn version. Tests read the fields.
class CNumberView {
public:
  virtual ~CNumberView() = default;
  virtual void setValue(int v) { value = v; }
  virtual void moveTo(double nx, double ny, double nz) {
    x = nx;
    y = ny;
    z = nz;
  }
  // 0 opaque .. 255 invisible.
  virtual void setOpacity(int level) { opacity = level; }
  virtual void setVisible(bool on) { visible = on; }
  // Width on screen in pixels (the drawn version knows its digit size).
  virtual int pixelWidth() const { return 0; }

  int value = 0;
  double x = 0, y = 0, z = 0;
  int opacity = 0;
  bool visible = true;
};

// A text shown on the screen (side-panel caption, turn caption).
class CTextView {
public:
  virtual ~CTextView() = default;
  virtual void setText(const std::string& t, int nx, int ny) {
    text = t;
    x = nx;
    y = ny;
  }
  virtual void setVisible(bool on) { visible = on; }
  // Lays the text out at (x, y) and `depth`, flying in when animations
  // are on, and shows it.
  virtual void flyIn(int nx, int ny, int /*depth*/) {
    x = nx;
    y = ny;
    visible = true;
  }
  // One animation step of a flying text.
  virtual void tick(int /*ms*/) {}
  // Size on screen in pixels (the drawn version knows its letters).
  virtual int pixelWidth() const { return 0; }
  virtual int pixelHeight() const { return 0; }

  std::string text;
  int x = 0, y = 0;
  bool visible = true;
};

// What a board needs from the window it plays in: effects, the window's
// explosion option and the texts and numbers of the side panel. The base is
// silent and shows nothing, which is what headless runs use.
class CFieldHost {
public:
  virtual ~CFieldHost() = default;
  // Plays a sound effect by number; `restart` cuts off one already sounding.
  virtual void playEffect(int /*id*/, bool /*restart*/) {}
  // The window's block-explosion option: sparks are made only when on.
  virtual bool blockExplosions() const { return true; }
  // A number of `digits` cells at (x, y, depth).
  virtual std::unique_ptr<CNumberView> makeNumber(int value, int /*digits*/, double x, double y,
                                                  double z) {
    auto n = std::make_unique<CNumberView>();
    n->value = value;
    n->moveTo(x, y, z);
    return n;
  }
  virtual std::unique_ptr<CTextView> makeText(const std::string& text, int x, int y) {
    auto t = std::make_unique<CTextView>();
    t->setText(text, x, y);
    return t;
  }
  // A text in the large title letters, hidden until it flies in.
  virtual std::unique_ptr<CTextView> makeTitle(const std::string& text) {
    auto t = std::make_unique<CTextView>();
    t->setText(text, 0, 0);
    t->visible = false;
    return t;
  }
};

}  // namespace SpaceSinkra
