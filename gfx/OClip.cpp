#include "gfx/OClip.h"

#include <algorithm>
#include <cmath>

namespace {

// Integer part of a position, kept inside the int range.
int wholePart(double v) {
  if (!(v > -1e9)) return -1000000000;
  if (v > 1e9) return 1000000000;
  return int(std::trunc(v));
}

}  // namespace

OClip::OClip(std::shared_ptr<DibSection> section) : sharedSection(std::move(section)) {}

OClip::~OClip() {
  for (LifeGuard* g = guards_; g; g = g->outer) g->gone = true;
}

void OClip::onWaypoint(const OWaypoint&) {}
void OClip::onArrive(const OWaypoint&) {}
void OClip::onFrameEvent(int, int) {}
void OClip::onFinished() {}
void OClip::onFrameChanged() {}
void OClip::onRemoved() {}

void OClip::clear() {
  // Layers point into the images, so they go first.
  layers_.clear();
  shown_ = nullptr;
  sequences.clear();
  images.clear();
  waypoints.clear();
  width = height = 0;
  x = y = z = vx = vy = vz = 0;
  opacity = -1;
  currentFrame = imageCount = currentSequence = sequenceCount = 0;
  visible = true;
  stopped = false;
  moves = true;
  subPixel = false;
  forcedRedraw = false;
  lifetime = -1;
  boundsCheck = false;
  boundLeft = boundRight = boundTop = boundBottom = -1;
  frameChangeCallback = nullptr;
  frameDuration = 100;
  frameTimer = 0;
  // `drawn` belongs to the screen showing the clip: it must still know where
  // the old picture was to repaint that area.
}

void OClip::setLayer0(OBitmap* image) {
  if (layers_.empty())
    layers_.push_back(image);
  else
    layers_[0] = image;
  shown_ = image;
}

void OClip::setExtraLayers(std::initializer_list<OBitmap*> extra) {
  if (layers_.empty()) return;
  layers_.resize(1);
  layers_.insert(layers_.end(), extra.begin(), extra.end());
}

void OClip::notifyFrameChanged() {
  onFrameChanged();
  if (frameChangeCallback) frameChangeCallback(*this);
}

void OClip::addImage(std::unique_ptr<OBitmap> image) {
  if (!image) return;
  OBitmap* raw = image.get();
  if (opacity != -1) raw->blendLevel = opacity;
  images.push_back(std::move(image));
  width = std::max(width, raw->width());
  height = std::max(height, raw->height());
  imageCount = int(images.size());
  if (images.size() == 1) setLayer0(raw);
  if (!parent) return;
  parent->width = std::max(parent->width, width);
  parent->height = std::max(parent->height, height);
  // The parent shows its current sequence; a sequence that is (or becomes
  // the first) current hands its first frame up.
  const bool current = parent->currentSequence < int(parent->sequences.size()) &&
                       parent->sequences[size_t(parent->currentSequence)].get() == this;
  if (images.size() == 1 && (current || parent->layers_.empty())) {
    parent->setLayer0(images[0].get());
    if (current) parent->imageCount = imageCount;
  } else if (current) {
    parent->imageCount = imageCount;
  }
}

void OClip::addImage(const OBitmap& image) { addImage(std::make_unique<OBitmap>(image)); }

void OClip::addSequence(std::unique_ptr<OClip> sequence) {
  if (!sequence) return;
  OClip* raw = sequence.get();
  raw->parent = this;
  sequences.push_back(std::move(sequence));
  sequenceCount = int(sequences.size());
  width = std::max(width, raw->width);
  height = std::max(height, raw->height);
  if (sequences.size() == size_t(currentSequence) + 1) {
    imageCount = raw->imageCount;
    if (raw->currentImage()) setLayer0(raw->currentImage());
  }
}

void OClip::showFrame(int frame, int sequence) {
  if (sequences.empty()) {
    frameTimer = 0;
    if (frame < 0 || frame >= int(images.size())) frame = 0;
    currentFrame = frame;
    if (!images.empty()) setLayer0(images[size_t(frame)].get());
    LifeGuard guard(*this);
    notifyFrameChanged();
    if (guard.gone) return;
    if (parent && parent->sequences.size() > size_t(parent->currentSequence) &&
        parent->sequences[size_t(parent->currentSequence)].get() == this) {
      // A sequence animating by itself keeps its parent's picture and frame
      // number in step, so the screen sees the change.
      parent->currentFrame = currentFrame;
      if (!images.empty()) parent->setLayer0(images[size_t(frame)].get());
      parent->notifyFrameChanged();
    }
    return;
  }
  if (sequence != -1) {
    if (sequence < 0 || sequence >= int(sequences.size())) sequence = 0;
    currentSequence = sequence;
  }
  if (currentSequence < 0 || currentSequence >= int(sequences.size())) currentSequence = 0;
  OClip& target = *sequences[size_t(currentSequence)];
  imageCount = target.imageCount;
  // The sequence reports the change to this clip once, after the frame
  // number has been copied back.
  target.showFrame(frame, -1);
}

void OClip::setOpacity(int level) {
  opacity = level;
  for (auto& image : images) image->blendLevel = level == -1 ? 0 : level;
  for (auto& sequence : sequences) sequence->setOpacity(level);
}

void OClip::setColourKey(int key) {
  for (auto& image : images) image->setColourKey(key);
  for (auto& sequence : sequences) sequence->setColourKey(key);
}

void OClip::setFrameDuration(int ms) {
  frameDuration = ms;
  for (auto& sequence : sequences) sequence->setFrameDuration(ms);
}

void OClip::addWaypoint(const OWaypoint& waypoint, bool clearFirst) {
  if (clearFirst) waypoints.clear();
  waypoints.push_back(waypoint);
}

bool OClip::copyFrom(const OClip& other, bool keepPlace) {
  return copyFrom(other, keepPlace, 0, int(other.sequences.size()));
}

bool OClip::copyFrom(const OClip& other, bool keepPlace, int first, int count) {
  if (&other == this) return true;
  if (!other.images.empty() && !other.sequences.empty()) return false;
  const double px = x, py = y, pz = z, pvx = vx, pvy = vy, pvz = vz;
  const bool pVisible = visible;
  FrameCallback callback = std::move(frameChangeCallback);
  clear();
  frameChangeCallback = std::move(callback);
  sharedSection = other.sharedSection;
  opacity = other.opacity;
  frameDuration = other.frameDuration;
  moves = other.moves;
  subPixel = other.subPixel;
  lifetime = other.lifetime;
  boundsCheck = other.boundsCheck;
  boundLeft = other.boundLeft, boundRight = other.boundRight;
  boundTop = other.boundTop, boundBottom = other.boundBottom;
  stopped = other.stopped;
  if (keepPlace) {
    x = px, y = py, z = pz, vx = pvx, vy = pvy, vz = pvz;
    visible = pVisible;
  } else {
    x = other.x, y = other.y, z = other.z, vx = other.vx, vy = other.vy, vz = other.vz;
    visible = other.visible;
  }
  // Copies of an image share its pixels and keep offsets, key, blend level
  // and frame script.
  for (const auto& image : other.images) {
    auto copy = std::make_unique<OBitmap>(*image);
    OBitmap* raw = copy.get();
    addImage(std::move(copy));
    raw->blendLevel = image->blendLevel;
  }
  const int total = int(other.sequences.size());
  first = std::clamp(first, 0, total);
  const int last = first + std::clamp(count, 0, total - first);
  for (int s = first; s < last; ++s) {
    addSequence(std::make_unique<OClip>());
    sequences.back()->copyFrom(*other.sequences[size_t(s)], false);
  }
  width = other.width;
  height = other.height;
  if (!empty()) {
    if (sequences.empty()) {
      showFrame(other.currentFrame, -1);
    } else {
      currentSequence = std::clamp(other.currentSequence - first, 0, int(sequences.size()) - 1);
      showFrame(sequences[size_t(currentSequence)]->currentFrame, currentSequence);
    }
  }
  return true;
}

void OClip::advance() {
  if (stopped || int(images.size()) < 2) return;
  showFrame((currentFrame + 1) % int(images.size()), -1);
}

void OClip::runAction(const FrameScript& frame) {
  const int a1 = frame.arg1, a2 = frame.arg2;
  OClip& owner = parent ? *parent : *this;
  LifeGuard guard(*this);
  switch (frame.action) {
    case kActionAdvance:
      advance();
      break;
    case kActionStop:
      stopped = true;
      break;
    case kActionFinish:
      owner.onFinished();
      break;
    case kActionJump:
      if (stopped) break;
      if (parent)
        parent->showFrame(a1, a2 == -1 ? parent->currentSequence : a2);
      else
        showFrame(a1, -1);
      break;
    case kActionJumpStop:
      if (parent)
        parent->showFrame(a1, a2 == 1000 ? parent->currentSequence : a2);
      else
        showFrame(a1, -1);
      if (!guard.gone) stopped = true;
      break;
    case kActionEvent:
      owner.onFrameEvent(a1, a2);
      if (!guard.gone) advance();
      break;
    default:
      break;
  }
}

void OClip::tickClip(int elapsed) {
  if (lifetime > 0) lifetime = std::max(0, lifetime - elapsed);
  if (!sequences.empty() && images.empty()) {
    if (currentSequence >= 0 && currentSequence < int(sequences.size()))
      sequences[size_t(currentSequence)]->tickClip(elapsed);
    return;
  }
  if (boundsCheck && (x < boundLeft || y < boundTop || x + width > boundRight || y + height > boundBottom)) {
    LifeGuard guard(*this);
    onFinished();
    if (guard.gone) return;
  }
  frameTimer += elapsed;
  if (frameTimer < frameDuration) return;
  if (parent) stopped = parent->stopped;
  // A still picture, most of a screen, has nothing to run.
  if (!actionIsIdle()) {
    const OBitmap& frame = *images[size_t(currentFrame)];
    LifeGuard guard(*this);
    // The action may show another frame or clear the clip: take its script first.
    runAction(FrameScript{frame.action, frame.arg1, frame.arg2});
    if (guard.gone) return;
  }
  if (parent) parent->stopped = stopped;
  frameTimer = 0;
}

bool OClip::actionIsIdle() const {
  if (currentFrame < 0 || currentFrame >= int(images.size())) return true;
  // A sequence takes its parent's stop flag when it ticks.
  const bool halted = parent ? parent->stopped : stopped;
  switch (images[size_t(currentFrame)]->action) {
    case kActionAdvance: return halted || images.size() < 2;
    case kActionStop:
    case kActionJump: return halted;
    default: return false;  // callbacks, or a frame shown again
  }
}

bool OClip::atRest() const {
  if (lifetime >= 0 || forcedRedraw || subPixel || boundsCheck) return false;
  if (moves && (!waypoints.empty() || vx != 0 || vy != 0 || vz != 0)) return false;
  // The frame list tickClip works on: the current sequence's, or the clip's own.
  if (!sequences.empty() && images.empty())
    return currentSequence < 0 || currentSequence >= int(sequences.size()) ||
           sequences[size_t(currentSequence)]->actionIsIdle();
  return actionIsIdle();
}

int OClip::frameKey() const {
  if (sequences.empty()) return currentFrame;
  if (currentSequence < 0 || currentSequence >= int(sequences.size())) return currentSequence * 1000;
  return currentSequence * 1000 + sequences[size_t(currentSequence)]->currentFrame;
}

const OClip& OClip::currentTarget() const {
  if (!sequences.empty() && currentSequence >= 0 && currentSequence < int(sequences.size()))
    return *sequences[size_t(currentSequence)];
  return *this;
}

ORect OClip::imageRect() const {
  const OBitmap* image = currentImage();
  const int left = wholePart(x) + (image ? image->xOffset : 0);
  const int top = wholePart(y) + (image ? image->yOffset : 0);
  return ORect{left, top, left + (image ? image->width() : 0), top + (image ? image->height() : 0)};
}

ORect OClip::clipRect() const {
  const OBitmap* image = currentImage();
  const int left = wholePart(x) + (image ? image->xOffset : 0);
  const int top = wholePart(y) + (image ? image->yOffset : 0);
  return ORect{left, top, left + width, top + height};
}
