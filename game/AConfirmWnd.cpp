#include "game/AConfirmWnd.h"

#include "app/OMainWindow.h"
#include "platform/Language.h"

AConfirmWnd::AConfirmWnd(OMainWindow& owner, const Layout& layout)
    : AFramedWnd(owner, 6, 10, 780, 580), layout_(layout) {}

void AConfirmWnd::buildContents() {
  OAppState& app = owner().app();
  setTitle(newText(app.letters[2].get(), layout_.titleX, layout_.titleY, zb::tr(layout_.title), -10, false));
  int y = height() - layout_.buttonsFromBottom;
  setDefaultButton(newText(app.letters[0].get(), layout_.yesX, y, zb::tr("Yes"), -10, true));
  setCancelButton(newText(app.letters[0].get(), layout_.noX, y, zb::tr("No"), -10, true));
}

void AConfirmWnd::accept() { close(kAccepted); }

void AConfirmWnd::cancel() { close(kCancelled); }
