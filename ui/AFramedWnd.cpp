#include "ui/AFramedWnd.h"

#include <algorithm>
#include <unordered_set>

#include "app/OClipControl.h"
#include "app/OMainWindow.h"
#include "platform/KeyCodes.h"

AFramedWnd::AFramedWnd(OMainWindow& owner, int x, int y, int width, int height, AClipString* title,
                       AClipString* defaultButton, AClipString* cancelButton)
    : OEngine(owner, x, y, width, height),
      soundPlayer(sharedSoundPlayer()),
      defaultButton_(defaultButton),
      cancelButton_(cancelButton),
      title_(title) {
  redrawMode = kRedrawDirty;
}

AFramedWnd::~AFramedWnd() {
  // Texts handed to the constructor but never registered are still ours.
  std::vector<AClipString*> loose;
  for (AClipString* text : {title_, defaultButton_, cancelButton_}) {
    if (text && std::find(texts_.begin(), texts_.end(), text) == texts_.end() &&
        std::find(loose.begin(), loose.end(), text) == loose.end()) {
      loose.push_back(text);
    }
  }
  removeAllTexts();
  for (AClipString* text : loose) delete text;
}

std::function<void(int)>& AFramedWnd::sharedSoundPlayer() {
  static std::function<void(int)> player;
  return player;
}

void AFramedWnd::playSound(int effect) const {
  if (soundPlayer) soundPlayer(effect);
}

bool AFramedWnd::create() {
  backgroundColour = kBackground;
  if (defaultButton_) addText(defaultButton_);
  if (cancelButton_ && cancelButton_ != defaultButton_) addText(cancelButton_);
  if (title_) setTitle(title_);
  return true;
}

void AFramedWnd::setTitle(AClipString* text) {
  title_ = text;
  addText(text);
}

void AFramedWnd::accept() {}

void AFramedWnd::cancel() {}

void AFramedWnd::buildContents() {}

void AFramedWnd::addText(AClipString* text) {
  if (!text || std::find(texts_.begin(), texts_.end(), text) != texts_.end()) return;
  if (!text->screen()) {
    text->setText(text->font(), this, text->x(), text->y(), text->text(), text->depth(), text->animated());
  }
  texts_.push_back(text);
}

AClipString* AFramedWnd::newText(OClip* font, int x, int y, const std::string& text, int depth, bool button) {
  // Without a picture of its own the dialog bursts into the shared sparks.
  OClip* star = starPicture ? starPicture : owner().app().spark.get();
  auto* t = new AClipString(font, this, x, y, text, depth, true, star);
  t->setClickable(button);
  addText(t);
  return t;
}

void AFramedWnd::onTextClicked(AClipString* text) {
  if (state_ != kOpen) return;
  if (text == defaultButton_) {
    accept();
  } else if (text == cancelButton_) {
    cancel();
  }
}

void AFramedWnd::removeText(AClipString* text) {
  auto it = std::find(texts_.begin(), texts_.end(), text);
  if (it == texts_.end()) return;
  texts_.erase(it);
  if (text == defaultButton_) defaultButton_ = nullptr;
  if (text == cancelButton_) cancelButton_ = nullptr;
  if (text == title_) title_ = nullptr;
  if (text == clicked_) clicked_ = nullptr;
  delete text;
}

void AFramedWnd::removeAllTexts() {
  std::vector<AClipString*> texts;
  texts.swap(texts_);
  for (AClipString* text : texts) delete text;
  defaultButton_ = cancelButton_ = title_ = clicked_ = nullptr;
}

void AFramedWnd::finishClose(int result) {
  removeAllTexts();
  state_ = kClosed;
  dropBackdrop();
  onClosed();
  OEngine::close(result);
}

void AFramedWnd::onClosed() {}

void AFramedWnd::makeBackdrop(const OEngine& below) {
  dropBackdrop();
  auto image = std::make_unique<OBitmap>();
  if (!image->create(width() + 2, height() + 2, 0xFF0000)) return;
  if (const OBitmap* under = below.backBuffer()) {
    OBitmap::draw(*image, *under, below.x() - x(), below.y() - y());
  }
  auto clip = std::make_unique<OClip>();
  clip->addImage(std::move(image));
  clip->x = 0;
  clip->y = 0;
  clip->z = kBackdropDepth;
  backdrop_ = clip.release();
  addClip(backdrop_);
}

void AFramedWnd::dropBackdrop() {
  if (!backdrop_) return;
  removeClip(backdrop_, true);
  backdrop_ = nullptr;
}

void AFramedWnd::showContents(bool visible) {
  std::unordered_set<const OClip*> glyphs;
  for (const AClipString* text : texts_) {
    for (int i = 0; i < text->glyphCount(); ++i) glyphs.insert(text->glyph(i));
  }
  for (OClip* clip : clips()) {
    if (!glyphs.count(clip)) clip->visible = visible;
  }
}

void AFramedWnd::open(OEngine** slot) {
  state_ = kOpen;
  result_ = 0;
  clicked_ = nullptr;
  if (slot && *slot) makeBackdrop(**slot);
  showContents(true);
  buildContents();
  OEngine::open(slot);
}

void AFramedWnd::close(int result) {
  state_ = kClosing;
  result_ = result;
  clicked_ = nullptr;
  showContents(false);
  if (backdrop_) backdrop_->visible = true;
  for (AClipString* text : texts_) text->flyOut();
}

void AFramedWnd::hideForChild() {
  clicked_ = nullptr;
  for (AClipString* text : texts_) text->flyOut();
  // The backdrop stays so that the child opens over the same picture.
  showContents(false);
  if (backdrop_) backdrop_->visible = true;
  state_ = kHiding;
}

ScreenPhase AFramedWnd::phase() const {
  switch (state_) {
    case kOpen: return ScreenPhase::Open;
    case kHidden: return ScreenPhase::Closed;
    default: return ScreenPhase::Closing;
  }
}

void AFramedWnd::startClosing() {
  if (state_ == kOpen) hideForChild();
}

bool AFramedWnd::allTextsGone() const {
  return std::all_of(texts_.begin(), texts_.end(), [](const AClipString* t) { return t->isGone(); });
}

void AFramedWnd::tick(int elapsed) {
  if (clicked_) {
    if (clicked_->fadeDone()) {
      AClipString* text = clicked_;
      clicked_ = nullptr;
      onTextClicked(text);
    } else {
      clicked_->tick(elapsed);
    }
    OEngine::tick(elapsed);
    return;
  }
  if ((state_ == kClosing || state_ == kHiding) && allTextsGone()) {
    state_ = state_ == kClosing ? kClosed : kHidden;
  } else if (state_ == kClosed) {
    finishClose(result_);
    return;  // the screen below is current again
  } else if (state_ == kHidden) {
    removeAllTexts();
    return;
  }
  for (AClipString* text : texts_) text->tick(elapsed);
  // Dialog clips always move one step per tick, however late the tick.
  OEngine::tick(30);
}

bool AFramedWnd::atRest() const {
  if (state_ != kOpen || clicked_) return false;
  return std::all_of(texts_.begin(), texts_.end(), [](const AClipString* t) { return t->atRest(); }) &&
         clipsAtRest();
}

bool AFramedWnd::inputBlocked() const {
  if (state_ != kOpen || clicked_) return true;
  // Nothing is taken while texts are still flying in (or out while open).
  return std::any_of(texts_.begin(), texts_.end(),
                     [](const AClipString* t) { return t->flying() && !t->isGone(); });
}

OClipControl* AFramedWnd::onLButtonDown(int x, int y) {
  if (inputBlocked()) return nullptr;
  return OEngine::onLButtonDown(x, y);
}

OClipControl* AFramedWnd::onLButtonUp(int x, int y) {
  if (inputBlocked()) return nullptr;
  OClipControl* control = OEngine::onLButtonUp(x, y);
  if (control) playSound(kClickSound);
  // The screen's own handling may have closed the dialog.
  if (inputBlocked()) return control;
  for (AClipString* text : texts_) {
    if (!text->hitTest(x, y)) continue;
    playSound(kClickSound);
    if (text->clickable()) {
      text->clickFade();
      clicked_ = text;
    }
    break;
  }
  return control;
}

void AFramedWnd::onKeyDown(int key, int mods) {
  if (inputBlocked()) return;
  if (key == zb::vk::Enter && !typingControl() && pressFocus()) return;
  if (key == zb::vk::Enter) {
    accept();
  } else if (key == zb::vk::Escape) {
    cancel();
  } else {
    OEngine::onKeyDown(key, mods);
  }
}

void AFramedWnd::onChar(unsigned char ch, int mods) {
  if (inputBlocked()) return;
  OEngine::onChar(ch, mods);
}

void AFramedWnd::onControlClicked(OClipControl* /*control*/) {}

void AFramedWnd::collectFocusTargets(std::vector<FocusTarget>& out) const {
  // Nothing while texts fly in: the focus lands once everything is in place.
  if (inputBlocked()) return;
  OEngine::collectFocusTargets(out);
  for (const AClipString* text : texts_) {
    if (!text->clickable() || !text->visible() || text->flying()) continue;
    out.push_back({ORect{text->x(), text->y(), text->x() + text->width(), text->y() + text->height()}, text});
  }
}

void AFramedWnd::onChildClosed(OEngine* /*child*/, int /*result*/) {
  showContents(true);
  removeAllTexts();
  buildContents();
  state_ = kOpen;
  sortClips();
  redrawAll();
}
