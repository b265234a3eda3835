#include "ui/AOptionsWnd.h"

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "audio/OMusic.h"
#include "audio/OSound.h"
#include "game/AGameWnd.h"
#include "ui/AProgressBar.h"
#include "ui/OClipCheckBox.h"
#include "platform/Language.h"

AOptionsWnd::AOptionsWnd(OMainWindow& owner) : AFramedWnd(owner, 6, 10, 780, 580) {}

AOptionsWnd::~AOptionsWnd() { removeControls(); }

OClip* AOptionsWnd::font(int i) const { return owner().app().letters[size_t(i)].get(); }

void AOptionsWnd::open(OEngine** slot) {
  if (AGameHost* main = AGameHost::of(owner())) {
    savedSound_ = main->sound() && main->sound()->enabled();
    savedMusic_ = main->music() && main->music()->enabled();
    savedSoundVolume_ = main->sound() ? main->sound()->volume() : 0;
    savedMusicVolume_ = main->music() ? main->music()->volume() : 0;
  }
  AFramedWnd::open(slot);
}

OClipCheckBox* AOptionsWnd::addBox(int x, int y, const char* label) {
  const OClip* picture = owner().app().buttons[0].get();
  auto* box = new OClipCheckBox();
  if (picture) box->copyFrom(*picture);
  box->x = x;
  box->y = y;
  box->z = -5;
  box->visible = true;
  addControl(box);
  newText(font(3), x + 50, y + 5, label, -10, false);
  return box;
}

void AOptionsWnd::buildContents() {
  // Rebuilt over a closed child (the restart question): the boxes keep what
  // the player ticked rather than the settings, which have not changed yet.
  bool rebuilt = boxes_[0] != nullptr;
  bool ticked[kBoxCount] = {};
  for (int i = 0; rebuilt && i < kBoxCount; ++i) ticked[i] = boxes_[i]->checked();
  removeControls();
  AGameHost* main = AGameHost::of(owner());
  setTitle(newText(font(2), 280, 15, zb::tr("Options"), -10, false));
  setDefaultButton(newText(font(0), 130, height() - 45, zb::tr("OK"), -10, true));
  setCancelButton(newText(font(0), 440, height() - 45, zb::tr("Cancel"), -10, true));
  boxes_[kSound] = addBox(80, 390, zb::tr("Sound").c_str());
  boxes_[kMusic] = addBox(80, 460, zb::tr("Music").c_str());
  boxes_[kAutosave] = addBox(400, 65, zb::tr("Autosave").c_str());
  boxes_[kExplosion] = addBox(400, 105, zb::tr("block Explosion").c_str());
  boxes_[kAnimation] = addBox(400, 145, zb::tr("Animation").c_str());
  bool values[kBoxCount] = {
      main && main->sound() && main->sound()->enabled(),
      main && main->music() && main->music()->enabled(),
      main && main->settings().globalAutosave,
      main && main->game() ? main->game()->explosionEffect() : true,
      main && main->settings().animation,
  };
  for (int i = 0; i < kBoxCount; ++i) {
    if (rebuilt ? ticked[i] : values[i]) boxes_[i]->check(); else boxes_[i]->uncheck();
  }
  const OClip* cell = owner().app().buttons[2].get();
  if (cell) {
    soundBar_ = std::make_unique<AProgressBar>(this, *cell, 10, 380, 382, -1, -3);
    musicBar_ = std::make_unique<AProgressBar>(this, *cell, 10, 380, 452, -1, -3);
    soundBar_->setValue(cellOfVolume(main && main->sound() ? main->sound()->volume() : 0));
    musicBar_->setValue(cellOfVolume(main && main->music() ? main->music()->volume() : 0));
  }
  int barRight = 380 + 10 * ((cell ? cell->width : 30) - 3);
  for (int y : {390, 460}) {
    newText(font(3), 240, y, zb::tr("volume"), -10, false);
    newText(font(3), 370, y + 35, zb::tr("Low"), -10, false);
    newText(font(3), barRight - 40, y + 35, zb::tr("High"), -10, false);
  }
}

void AOptionsWnd::onControlClicked(OClipControl* control) {
  AGameHost* main = AGameHost::of(owner());
  if (!main) return;
  if (soundBar_ && soundBar_->controlClicked(control)) {
    if (main->sound()) main->sound()->setVolume(volumeOfCell(soundBar_->value()));
  } else if (musicBar_ && musicBar_->controlClicked(control)) {
    if (main->music()) main->music()->setVolume(volumeOfCell(musicBar_->value()));
  } else if (control == boxes_[kSound] && main->sound()) {
    main->sound()->setEnabled(boxes_[kSound]->checked());
  } else if (control == boxes_[kMusic] && main->music()) {
    main->music()->setEnabled(boxes_[kMusic]->checked());
    if (boxes_[kMusic]->checked()) {
      main->startMusic();
    } else {
      main->music()->stop();
    }
  }
}

void AOptionsWnd::takeBoxes() {
  if (!boxes_[0]) return;
  sound_ = boxes_[kSound]->checked();
  music_ = boxes_[kMusic]->checked();
  autosave_ = boxes_[kAutosave]->checked();
  explosion_ = boxes_[kExplosion]->checked();
  animation_ = boxes_[kAnimation]->checked();
}

void AOptionsWnd::accept() { finishAccept(); }

void AOptionsWnd::finishAccept() {
  takeBoxes();
  if (AGameHost* main = AGameHost::of(owner())) main->applyAnimation(animation_);
  close(kAccepted);
}

void AOptionsWnd::cancel() {
  takeBoxes();
  if (AGameHost* main = AGameHost::of(owner())) {
    if (main->sound()) {
      main->sound()->setEnabled(savedSound_);
      main->sound()->setVolume(savedSoundVolume_);
    }
    if (main->music()) {
      main->music()->setEnabled(savedMusic_);
      main->music()->setVolume(savedMusicVolume_);
      if (savedMusic_) main->startMusic(); else main->music()->stop();
    }
  }
  close(kCancelled);
}

void AOptionsWnd::removeControls() {
  soundBar_.reset();
  musicBar_.reset();
  for (OClipCheckBox*& box : boxes_) {
    if (box) removeControl(box, true);
    box = nullptr;
  }
}

void AOptionsWnd::onClosed() { removeControls(); }
