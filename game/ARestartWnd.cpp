#include "game/ARestartWnd.h"

#include "game/AGameHost.h"
#include "platform/Language.h"

ARestartWnd::ARestartWnd(OMainWindow& owner)
    : AConfirmWnd(owner, {N_("Start new Game?"), 145, 200, 170, 530, 220}) {}

void ARestartWnd::accept() {
  if (AGameHost* main = AGameHost::of(owner())) main->newGameNeeded = true;
  AConfirmWnd::accept();
}

void ARestartWnd::cancel() {
  if (AGameHost* main = AGameHost::of(owner())) main->newGameNeeded = false;
  AConfirmWnd::cancel();
}
