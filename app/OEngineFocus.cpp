#include <algorithm>
#include <memory>

#include "app/OClipControl.h"
#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "platform/KeyCodes.h"

namespace {

// The outline: dark, light, dark rings, so it stands out on any skin.
constexpr int kOutlineMargin = 4;
constexpr uint32_t kOutlineKey = 0xFF00FF;
constexpr uint32_t kOutlineDark = 0x101010;
constexpr uint32_t kOutlineLight = 0xFFE040;
constexpr int kOutlineDepth = -100000;

std::unique_ptr<OBitmap> outlinePicture(int width, int height) {
  auto image = std::make_unique<OBitmap>();
  if (!image->create(width, height, kOutlineKey)) return nullptr;
  image->colourKey = int(kOutlineKey);
  for (int ring = 0; ring < 4; ++ring) {
    uint32_t colour = ring == 0 || ring == 3 ? kOutlineDark : kOutlineLight;
    for (int x = ring; x < width - ring; ++x) {
      image->setPixel(x, ring, colour);
      image->setPixel(x, height - 1 - ring, colour);
    }
    for (int y = ring; y < height - ring; ++y) {
      image->setPixel(ring, y, colour);
      image->setPixel(width - 1 - ring, y, colour);
    }
  }
  return image;
}

}  // namespace

void OEngine::collectFocusTargets(std::vector<FocusTarget>& out) const {
  for (const OClipControl* c : controls_) {
    if (!c->visible || !c->enabled) continue;
    int left = int(c->x), top = int(c->y);
    out.push_back({ORect{left, top, left + c->width, top + c->height}, c});
  }
}

std::vector<OEngine::FocusTarget> OEngine::targetsNow() const {
  std::vector<FocusTarget> targets;
  collectFocusTargets(targets);
  return targets;
}

bool OEngine::keysInUse() const { return owner_.app().keysInUse; }

void OEngine::setKeysInUse(bool on) { owner_.app().keysInUse = on; }

bool OEngine::typingControl() const {
  return std::any_of(controls_.begin(), controls_.end(), [](const OClipControl* c) { return c->focused; });
}

bool OEngine::focusRect(ORect& rect) const {
  std::vector<FocusTarget> targets = targetsNow();
  for (const FocusTarget& t : targets) {
    if (t.id == focusId_) {
      rect = t.rect;
      return true;
    }
  }
  return false;
}

int OEngine::landFocus(const std::vector<FocusTarget>& targets) {
  std::vector<ORect> rects;
  for (const FocusTarget& t : targets) rects.push_back(t.rect);
  int current = -1;
  for (size_t i = 0; i < targets.size(); ++i)
    if (targets[i].id == focusId_) current = int(i);
  if (current >= 0 || targets.empty()) return current;
  // The focus lands first where the screen wants it, else on the first target.
  const void* preferred = preferredFocus();
  for (size_t i = 0; i < targets.size(); ++i)
    if (preferred && targets[i].id == preferred) current = int(i);
  if (current < 0) current = zb::readingOrder(rects).front();
  focusId_ = targets[size_t(current)].id;
  return current;
}

bool OEngine::moveFocus(zb::FocusStep step) {
  std::vector<FocusTarget> targets = targetsNow();
  if (targets.empty()) return false;
  std::vector<ORect> rects;
  for (const FocusTarget& t : targets) rects.push_back(t.rect);
  bool known = std::any_of(targets.begin(), targets.end(), [&](const FocusTarget& t) { return t.id == focusId_; });
  int current = landFocus(targets);
  if (!known && keysInUse()) return true;
  // The first key only shows where the focus stands.
  if (keysInUse()) focusId_ = targets[size_t(zb::stepFocus(rects, current, step))].id;
  setKeysInUse(true);
  return true;
}

bool OEngine::navigateFocus(int key, int mods) {
  switch (key) {
    case zb::vk::Tab: return moveFocus((mods & zb::ModShift) ? zb::FocusStep::Previous : zb::FocusStep::Next);
    case zb::vk::Left: return moveFocus(zb::FocusStep::Previous);
    case zb::vk::Right: return moveFocus(zb::FocusStep::Next);
    case zb::vk::Up: return moveFocus(zb::FocusStep::Up);
    case zb::vk::Down: return moveFocus(zb::FocusStep::Down);
    default: return false;
  }
}

bool OEngine::pressFocus() {
  ORect rect;
  if (!keysInUse() || !focusRect(rect)) return false;
  // A click at the centre, without moving the pointer.
  int cx = x_ + (rect.left + rect.right) / 2;
  int cy = y_ + (rect.top + rect.bottom) / 2;
  onLButtonDown(cx, cy);
  onLButtonUp(cx, cy);
  return true;
}

void OEngine::updateFocusOutline() {
  ORect rect;
  if (keysInUse() && !focusRect(rect)) landFocus(targetsNow());
  bool show = keysInUse() && focusRect(rect);
  if (!show) {
    if (focusOutline_) focusOutline_->visible = false;
    return;
  }
  int width = rect.width() + 2 * kOutlineMargin, height = rect.height() + 2 * kOutlineMargin;
  if (focusOutline_ && (outlineFor_.width() != rect.width() || outlineFor_.height() != rect.height())) {
    removeClip(focusOutline_, true);
  }
  if (!focusOutline_) {
    std::unique_ptr<OBitmap> picture = outlinePicture(width, height);
    if (!picture) return;
    auto clip = std::make_unique<OClip>();
    clip->addImage(std::move(picture));
    clip->z = kOutlineDepth;
    clip->moves = false;
    focusOutline_ = clip.release();
    addClip(focusOutline_);
    sortClips();
  }
  outlineFor_ = rect;
  focusOutline_->x = rect.left - kOutlineMargin;
  focusOutline_->y = rect.top - kOutlineMargin;
  focusOutline_->visible = true;
}

int OEngine::keyForPad(int padKey) const {
  switch (padKey) {
    case zb::vk::PadA: return zb::vk::Enter;
    case zb::vk::PadB:
    case zb::vk::PadBack: return zb::vk::Escape;
    case zb::vk::PadX: return 'U';
    case zb::vk::PadY: return 'H';
    case zb::vk::PadStart: return zb::vk::Pause;
    case zb::vk::PadLeftShoulder: return zb::vk::PageUp;
    case zb::vk::PadRightShoulder: return zb::vk::PageDown;
    default: return 0;
  }
}
