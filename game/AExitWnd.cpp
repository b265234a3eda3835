#include "game/AExitWnd.h"

#include "app/OMainWindow.h"

AExitWnd::AExitWnd(OMainWindow& owner) : AConfirmWnd(owner, {"QUIT THE GAME?", 155, 190, 180, 530, 240}) {}

void AExitWnd::accept() {
  owner().app().quitRequested = true;
  AConfirmWnd::accept();
}
