#include "game/AExitWnd.h"

#include "app/OMainWindow.h"
#include "platform/Language.h"

AExitWnd::AExitWnd(OMainWindow& owner) : AConfirmWnd(owner, {N_("QUIT THE GAME?"), 155, 190, 180, 530, 240}) {}

void AExitWnd::accept() {
  owner().app().quitRequested = true;
  AConfirmWnd::accept();
}
