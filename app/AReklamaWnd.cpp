#include "app/AReklamaWnd.h"

#include "app/OMainWindow.h"
#include "platform/Language.h"

AReklamaWnd::AReklamaWnd(OMainWindow& owner) : AFramedWnd(owner, 6, 10, 780, 580) {}

void AReklamaWnd::open(OEngine** slot) {
  owner().closeAllowed = true;
  AFramedWnd::open(slot);
}

void AReklamaWnd::buildContents() {
  OAppState& app = owner().app();
  setTitle(newText(app.letters[2].get(), 170, 40, zb::tr("Thanks for playing"), -10, false));
  OClip* small = app.letters[3].get();
  newText(small, 300, 160, "Zenbox", -10, false);
  newText(small, 190, 220, "Sinkra   Tessel   Gyrex", -10, false);
  newText(small, 215, 280, zb::tr("twelve quiet puzzles"), -10, false);
  newText(small, 245, 340, zb::tr("come back soon"), -10, false);
  AClipString* quit = newText(app.letters[0].get(), 330, height() - 90, zb::tr("Quit"), -10, true);
  setDefaultButton(quit);
  setCancelButton(quit);
}

void AReklamaWnd::accept() {
  owner().app().quitRequested = true;
  close(kAccepted);
}

void AReklamaWnd::cancel() { accept(); }
