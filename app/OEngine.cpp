#include "app/OEngine.h"

#include <algorithm>

#include "app/OClipControl.h"
#include "app/OMainWindow.h"
#include "platform/KeyCodes.h"

OEngine::OEngine(OMainWindow& owner, int x, int y, int width, int height)
    : frameInterval(std::max(owner.frameInterval, 1)), owner_(owner), width_(width), height_(height), x_(x), y_(y) {}

OEngine::~OEngine() {
  backBuffer_.reset();
  removeAllClips(true);
}

void OEngine::removeAllClips(bool del) {
  controls_.clear();
  std::vector<OClip*> gone;
  gone.swap(clips_);
  // The outline is the screen's own: it goes whatever the caller keeps.
  if (focusOutline_ && !del) {
    gone.erase(std::find(gone.begin(), gone.end(), focusOutline_));
    delete focusOutline_;
  }
  focusOutline_ = nullptr;
  if (del)
    for (OClip* c : gone) deleteClip(c);
}

void OEngine::deleteClip(OClip* clip) {
  if (clip == ticking_) tickingDeleted_ = true;
  delete clip;
}

ORect OEngine::coveredArea(const OClip& clip) const {
  // Both the last drawn place and the current one, at the clip's full size.
  ORect now = clip.clipRect();
  // A clip never drawn has no old place; its default (0, 0) would stretch
  // the area over much of the screen for nothing.
  const OClipDrawnState& d = clip.drawn;
  if (d.frameKey == -1 && d.width == 0 && d.height == 0)
    return ORect{now.left, now.top, now.left + clip.width, now.top + clip.height};
  return ORect{std::min(clip.drawn.left, now.left), std::min(clip.drawn.top, now.top),
               std::max(clip.drawn.left, now.left) + clip.width, std::max(clip.drawn.top, now.top) + clip.height};
}

void OEngine::removeClip(OClip* clip, bool del) {
  auto it = std::find(clips_.begin(), clips_.end(), clip);
  if (it == clips_.end()) return;
  addDirty(coveredArea(*clip));
  clips_.erase(it);
  if (clip == focusOutline_) {
    focusOutline_ = nullptr;
    if (!del) delete clip;
  }
  if (del) {
    // A deleted control must not stay behind in the control list.
    auto ctl = std::find(controls_.begin(), controls_.end(), clip);
    if (ctl != controls_.end()) controls_.erase(ctl);
    deleteClip(clip);
  }
}

void OEngine::removeControl(OClipControl* control, bool del) {
  removeClip(control, del);
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it != controls_.end()) controls_.erase(it);
}

void OEngine::removeExpiredClips(bool del) {
  std::vector<OClip*> keep;
  std::vector<OClip*> expired;
  for (OClip* c : clips_) (c->lifetime == 0 ? expired : keep).push_back(c);
  if (expired.empty()) return;
  clips_.swap(keep);
  for (OClip* c : expired) {
    c->lifetime = -1;
    addDirty(coveredArea(*c));
    if (c == focusOutline_) {
      focusOutline_ = nullptr;
      if (!del) delete c;
    }
    if (!del) continue;
    auto ctl = std::find(controls_.begin(), controls_.end(), c);
    if (ctl != controls_.end()) controls_.erase(ctl);
    deleteClip(c);
  }
}

void OEngine::addClip(OClip* clip) {
  // A clip held twice would be drawn twice and, once deleted, left behind.
  if (!clip || clip->empty() || std::find(clips_.begin(), clips_.end(), clip) != clips_.end()) return;
  clip->drawn.wasVisible = false;
  clips_.push_back(clip);
}

void OEngine::addControl(OClipControl* control) {
  if (!control || control->empty()) return;
  if (std::find(clips_.begin(), clips_.end(), control) != clips_.end()) {
    // Already on the screen: at most it starts taking input.
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) controls_.push_back(control);
    return;
  }
  control->drawn.wasVisible = false;
  clips_.push_back(control);
  controls_.push_back(control);
}

OClipControl* OEngine::onMouseMove(int x, int y) {
  OClipControl* result = nullptr;
  for (size_t i = 0; i < controls_.size(); ++i) {
    OClipControl* c = controls_[i];
    if (c->visible && c->hitMove(x - x_, y - y_, leftHeld_)) result = c;
  }
  return result;
}

OClipControl* OEngine::onRButtonDown(int, int) { return nullptr; }

OClipControl* OEngine::onRButtonUp(int, int) { return nullptr; }

OClipControl* OEngine::onLButtonDown(int x, int y) {
  leftHeld_ = true;
  OClipControl* result = nullptr;
  for (size_t i = 0; i < controls_.size(); ++i) {
    OClipControl* c = controls_[i];
    if (c->visible && c->hitPress(x - x_, y - y_)) result = c;
  }
  return result;
}

OClipControl* OEngine::onLButtonUp(int x, int y) {
  leftHeld_ = false;
  OClipControl* result = nullptr;
  for (size_t i = 0; i < controls_.size(); ++i) {
    OClipControl* c = controls_[i];
    if (c->visible && c->hitRelease(x - x_, y - y_)) {
      result = c;
      if (c->pressed) {
        // The pressed mark stays for the derived screen to see.
        onControlClicked(c);
        return c;
      }
    }
    c->pressed = false;
  }
  return result;
}

void OEngine::onKeyDown(int key, int mods) {
  if (!typingControl()) {
    if (navigateFocus(key, mods)) return;
    if ((key == zb::vk::Enter || key == zb::vk::Space) && pressFocus()) return;
  }
  if (key == zb::vk::Tab) {
    moveFocusOn();
    return;
  }
  bool paste = (key == 'V' && (mods & zb::ModCtrl)) ||
               ((key == zb::vk::Insert || key == zb::vk::Numpad0) && (mods & zb::ModShift));
  if (paste) {
    pasteFromClipboard();
    return;
  }
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i]->focused) controls_[i]->keyDown(key, mods);
}

void OEngine::moveFocusOn() {
  // Each focused control hands its focus to the next one. The bound on
  // hand-overs keeps a control that will not give up its focus from
  // looping forever after a wrap.
  size_t handOvers = controls_.size() + 1;
  size_t i = 0;
  while (i < controls_.size() && handOvers > 0) {
    if (!controls_[i]->focused) {
      ++i;
      continue;
    }
    --handOvers;
    controls_[i]->setFocus(false);
    size_t next = (i + 1) % controls_.size();
    controls_[next]->setFocus(true);
    i = next + 1;
  }
}

void OEngine::pasteFromClipboard() {
  const int kMaxPaste = 100;
  char buffer[kMaxPaste + 1];
  owner_.pasteText(buffer, kMaxPaste);
  for (const char* p = buffer; *p; ++p)
    for (size_t i = 0; i < controls_.size(); ++i)
      if (controls_[i]->focused) controls_[i]->charTyped(static_cast<unsigned char>(*p), 0);
}

int OEngine::onKeyUp(int, int) { return 0; }

void OEngine::onControlClicked(OClipControl*) {}

void OEngine::onChar(unsigned char ch, int mods) {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i]->focused) controls_[i]->charTyped(ch, mods);
}

void OEngine::onChildClosed(OEngine*, int) {}

void OEngine::onClipExpired(OClip*) {}

void OEngine::onClipWaypoint(OClip*, const OWaypoint&) {}

void OEngine::onClipArrived(OClip*, const OWaypoint&) {}

void OEngine::open(OEngine** slot) {
  focusId_ = nullptr;
  backBuffer_ = std::make_unique<OBitmap>();
  backBuffer_->create(width_, height_);
  slot_ = slot;
  OEngine* below = slot ? *slot : nullptr;
  // Opening the current screen again keeps the screen below it: a screen
  // that were its own previous screen would make the stack endless.
  if (below != this) {
    previous_ = below;
    if (previous_) previous_->skipNextDraw = true;
  }
  if (slot) *slot = this;
  sortClips();
  redrawAll();
  int px = 0, py = 0;
  owner_.getCursorPos(px, py);
  onMouseMove(px, py);
}

void OEngine::close(int result) {
  backBuffer_.reset();
  if (!previous_ || !slot_) return;
  OEngine* below = previous_;
  OEngine** slot = slot_;
  *slot = below;
  below->redrawAll();
  int px = 0, py = 0;
  owner_.getCursorPos(px, py);
  below->onMouseMove(px, py);
  below->onChildClosed(this, result);
  // The screen below may have opened this one again in the meantime.
  if (*slot != this) {
    previous_ = nullptr;
    slot_ = nullptr;
  }
  skipNextDraw = true;
}

bool OEngine::load() { return true; }

ScreenPhase OEngine::phase() const { return ScreenPhase::Closed; }

void OEngine::startClosing() {}

void OEngine::requestQuit() { owner().app().quitRequested = true; }

void OEngine::setBounds(int x, int y, int width, int height) {
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  if (backBuffer_) {
    backBuffer_ = std::make_unique<OBitmap>();
    backBuffer_->create(width_, height_);
  }
}

void OEngine::sortClips() {
  auto deeperFirst = [](const OClip* a, const OClip* b) { return a->z > b->z; };
  // Screens sort every frame and the order rarely changes: checking is
  // cheaper than a stable sort, which allocates.
  if (std::is_sorted(clips_.begin(), clips_.end(), deeperFirst)) return;
  std::stable_sort(clips_.begin(), clips_.end(), deeperFirst);
}
