#include "ui/APickGameWnd.h"

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "platform/KeyCodes.h"
#include "ui/ARadioGroup.h"
#include "platform/Language.h"

namespace {

// The radio shown when the preselected variant is not in this build: the
// Remover, one of the first-start preselections.
constexpr int kFallbackRadio = 4;

// The variants as the screen lists them: the Sinkra column, the Tessel
// column, then the Gyrex row.
constexpr int kListOrder[zb::kPickRadioCount] = {4, 5, 6, 7, 8, 0, 1, 2, 3, 9, 10, 11};

bool available(int radio) {
  const zb::PickRadio& r = zb::pickRadio(radio);
  return zb::variantAvailable(r.family, r.kind);
}

}  // namespace

APickGameWnd::APickGameWnd(OMainWindow& owner) : AFramedWnd(owner, 6, 10, 780, 580) {}

APickGameWnd::~APickGameWnd() = default;

void APickGameWnd::open(OEngine** slot) {
  AGameHost* main = AGameHost::of(owner());
  if (main && main->game()) {
    current_ = zb::radioForGame(main->family(), main->game()->kind);
  } else if (main) {
    current_ = zb::radioForGame(main->family(), main->settings().gameKind);
  } else {
    current_ = zb::radioForGame(zb::kFamilyNone, 0);
  }
  selected_ = available(current_) ? current_ : kFallbackRadio;
  AFramedWnd::open(slot);
}

void APickGameWnd::buildContents() {
  OAppState& app = owner().app();
  OClip* title = app.letters[2].get();
  setTitle(newText(title, 226, 15, zb::tr("Pick game"), -10, false));
  newText(title, 20, 80, "Sinkra", -10, false);
  newText(title, 410, 80, "Tessel", -10, false);
  newText(title, 190, 360, "Gyrex", -10, false);
  radios_ = std::make_unique<ARadioGroup>(this);
  const OClip* box = app.buttons[1].get();
  for (int r = 0; r < zb::kPickRadioCount; ++r) {
    const zb::PickRadio& radio = zb::pickRadio(r);
    OClipCheckBox* b = box ? radios_->addBox(*box, radio.boxX, radio.boxY, -5) : nullptr;
    if (b && !available(r)) {
      b->enabled = false;
      b->setOpacity(140);
    }
  }
  // Labels in family order: Sinkra, Tessel, Gyrex.
  for (int r : kListOrder) {
    const zb::PickRadio& radio = zb::pickRadio(r);
    AClipString* label = newText(app.letters[3].get(), radio.boxX + 40, radio.boxY + 5, radio.label, -10, false);
    if (!available(r)) label->setOpacity(150);
  }
  radios_->select(selected_);
  setDefaultButton(newText(app.letters[0].get(), 570, height() - 60, zb::tr("Play!"), -10, true));
  demoButton_ = newText(app.letters[0].get(), 40, height() - 60, zb::tr("Demo!"), -10, true);
}

void APickGameWnd::select(int radio) {
  if (radio < 0 || radio >= zb::kPickRadioCount || !available(radio)) return;
  selected_ = radio;
  if (radios_) radios_->select(radio);
}

void APickGameWnd::onControlClicked(OClipControl* control) {
  if (!radios_) return;
  int index = radios_->indexOf(control);
  if (index < 0) return;
  if (available(index)) {
    radios_->select(index);
    selected_ = index;
  } else {
    radios_->select(selected_);
  }
}

void APickGameWnd::onTextClicked(AClipString* text) {
  if (state() == kOpen && text && text == demoButton_) {
    play(true);
    return;
  }
  AFramedWnd::onTextClicked(text);
}

void APickGameWnd::accept() { play(false); }

void APickGameWnd::play(bool demo) {
  AGameHost* main = AGameHost::of(owner());
  if (!main) {
    close(kAccepted);
    return;
  }
  if (demo) main->demoRequested = true;
  bool changed = selected_ != current_;
  AGameWnd* game = main->game();
  // Asked before the flag is raised: a game waiting for a new one is not under way.
  bool underWay = game && game->underWay();
  if (changed || !game) main->newGameNeeded = true;
  if (!demo && changed && underWay && !main->settings().globalAutosave) {
    owner().requestScreen(owner().app().screen(ScreenId::Restart));
    return;
  }
  close(kAccepted);
}

void APickGameWnd::cancel() { close(kCancelled); }

void APickGameWnd::onChildClosed(OEngine* child, int result) {
  if (child == owner().app().screen(ScreenId::Restart) && result != kAccepted) selected_ = current_;
  AFramedWnd::onChildClosed(child, result);
  if (child == owner().app().screen(ScreenId::Restart) && result == kAccepted) close(kAccepted);
}

void APickGameWnd::onClosed() {
  // The boxes are controls of this screen; they go with the contents.
  radios_.reset();
}

const void* APickGameWnd::preferredFocus() const {
  return radios_ && selected_ < radios_->boxCount() ? radios_->box(selected_) : nullptr;
}

void APickGameWnd::onKeyDown(int key, int mods) {
  // Return on the variants plays the one chosen, as "Play!" does.
  auto* focused = static_cast<const OClipControl*>(focusId());
  if (key == zb::vk::Enter && !inputBlocked() && radios_ && keysInUse() && radios_->indexOf(focused) >= 0) {
    accept();
    return;
  }
  // Home and Page Up (a pad's left shoulder) jump to the first variant,
  // End and Page Down (the right shoulder) to the last.
  bool first = key == zb::vk::Home || key == zb::vk::PageUp;
  if ((first || key == zb::vk::End || key == zb::vk::PageDown) && !inputBlocked() && radios_) {
    setKeysInUse(true);
    // Variants not in this build are passed over.
    for (int i = 0; i < zb::kPickRadioCount; ++i) {
      int radio = kListOrder[first ? i : zb::kPickRadioCount - 1 - i];
      if (!available(radio)) continue;
      select(radio);
      break;
    }
    setFocusId(preferredFocus());
    return;
  }
  bool walk = key == zb::vk::Up || key == zb::vk::Down;
  bool across = key == zb::vk::Left || key == zb::vk::Right;
  if (!(walk || across) || inputBlocked() || !radios_) {
    AFramedWnd::onKeyDown(key, mods);
    return;
  }
  if (!keysInUse()) {
    // The first key only shows where the focus stands.
    setKeysInUse(true);
    return;
  }
  if (walk) {
    stepVariant(key == zb::vk::Down ? 1 : -1);
  } else {
    stepAcross(key == zb::vk::Right ? 1 : -1);
  }
}

void APickGameWnd::stepVariant(int step) {
  int at = 0;
  for (int i = 0; i < zb::kPickRadioCount; ++i)
    if (kListOrder[i] == selected_) at = i;
  for (int n = 1; n < zb::kPickRadioCount; ++n) {
    int radio = kListOrder[(at + step * n + 2 * zb::kPickRadioCount) % zb::kPickRadioCount];
    if (!available(radio)) continue;
    select(radio);
    break;
  }
  setFocusId(preferredFocus());
}

void APickGameWnd::stepAcross(int step) {
  // Demo!, the variants, Play!, round and round.
  const void* ring[] = {demoButton_, preferredFocus(), defaultButton()};
  int at = 1;
  for (int i = 0; i < 3; ++i)
    if (ring[i] == focusId()) at = i;
  setFocusId(ring[(at + step + 3) % 3]);
}
