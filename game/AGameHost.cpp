#include "game/AGameHost.h"

#include <cstdio>

#include "app/OEngine.h"
#include "app/OMainWindow.h"

AGameHost* AGameHost::of(const OMainWindow& window) {
  return dynamic_cast<AGameHost*>(window.app().mainScreen.get());
}

void AGameHost::redrawAll() { screen().redrawAll(); }

void AGameHost::sortClips() { screen().sortClips(); }

void AGameHost::reportSaveFailure(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }
