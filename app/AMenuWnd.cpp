#include "app/AMenuWnd.h"

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "game/AGameWnd.h"
#include "platform/Language.h"

namespace {

const char* const kLabels[] = {N_("Pick Game"), N_("New Game"), N_("Demo"),     N_("Replay"), N_("Top 10"),
                               N_("Options"),   N_("Help"),     N_("Continue"), N_("Exit")};

}  // namespace

AMenuWnd::AMenuWnd(OMainWindow& owner) : AFramedWnd(owner, 6, 10, 780, 580) {}

void AMenuWnd::buildContents() {
  OAppState& app = owner().app();
  AGameHost* main = AGameHost::of(owner());
  AGameWnd* game = main ? main->game() : nullptr;
  choice_ = kContinue;
  shown_.clear();
  items_.clear();
  for (int c = kPickGame; c <= kExit; ++c) {
    // A replay needs a game that can show one.
    if (c == kReplay && !(game && game->canReplay())) continue;
    shown_.push_back(Choice(c));
  }
  setTitle(newText(app.letters[2].get(), 320, 20, zb::tr("Menu"), -10, false));
  int y = 95;
  for (Choice c : shown_) {
    AClipString* item = newText(app.letters[0].get(), 270, y, zb::tr(kLabels[c]), -10, true);
    items_.push_back(item);
    if (c == kContinue) {
      setDefaultButton(item);
      setCancelButton(item);
    }
    y += 52;
  }
}

void AMenuWnd::accept() {
  choice_ = kContinue;
  close(kAccepted);
}

void AMenuWnd::cancel() { accept(); }

void AMenuWnd::onTextClicked(AClipString* text) {
  if (state() != kOpen) return;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] != text) continue;
    choice_ = shown_[i];
    close(kAccepted);
    return;
  }
}
