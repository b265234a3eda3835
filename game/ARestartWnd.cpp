#include "game/ARestartWnd.h"

#include "app/AMainWnd.h"

ARestartWnd::ARestartWnd(OMainWindow& owner)
    : AConfirmWnd(owner, {"Start new Game?", 145, 200, 170, 530, 220}) {}

void ARestartWnd::accept() {
  if (AMainWnd* main = AMainWnd::of(owner())) main->newGameNeeded = true;
  AConfirmWnd::accept();
}

void ARestartWnd::cancel() {
  if (AMainWnd* main = AMainWnd::of(owner())) main->newGameNeeded = false;
  AConfirmWnd::cancel();
}
