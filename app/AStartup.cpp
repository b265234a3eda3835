#include "app/AStartup.h"

#include <cstdio>
#include <cstdlib>

#include "app/AHelpWnd.h"
#include "app/AIntroWnd.h"
#include "app/AMainWnd.h"
#include "app/AMenuWnd.h"
#include "app/AReklamaWnd.h"
#include "app/OMainWindow.h"
#include "audio/OSound.h"
#include "game/AClearTop10Wnd.h"
#include "game/AExitWnd.h"
#include "game/AGameOverWnd.h"
#include "game/ARestartWnd.h"
#include "game/ATop10Wnd.h"
#include "ui/APickGameWnd.h"
#include "platform/Language.h"
#include "ui/AClipString.h"

namespace zb {
namespace {

std::unique_ptr<OClip> loadShared(const char* file) {
  auto clip = std::make_unique<OClip>();
  if (!clip->load(file)) return nullptr;
  return clip;
}

bool loadSharedPictures(OMainWindow& window) {
  OAppState& app = window.app();
  char file[32];
  for (int i = 0; i < 6; ++i) {
    std::snprintf(file, sizeof file, "clp/bt%d.clp", i);
    app.buttons[size_t(i)] = loadShared(file);
    if (!app.buttons[size_t(i)]) {
      window.reportError(zb::tr("Error: file %s not found!").c_str(), file);
      std::exit(255);
    }
  }
  // Without letters or sparks no screen can be drawn: say so, like the
  // other required pictures, rather than vanish.
  const char* letters[4] = {"clp/alph.clp", "clp/alph2.clp", "clp/alph3.clp", "clp/alph4.clp"};
  for (int i = 0; i < 4; ++i) {
    app.letters[size_t(i)] = loadShared(letters[i]);
    if (!app.letters[size_t(i)]) {
      window.reportError(zb::tr("Error: file %s not found!").c_str(), letters[i]);
      std::exit(255);
    }
    // A pack from before the translations has no accented letters: the
    // screens then stay English rather than show letters as gaps.
    if (app.letters[size_t(i)]->sequenceCount < AClipString::kLatin1Sequences) zb::stopTranslations();
  }
  app.spark = loadShared("clp/tessel/gst.clp");
  if (!app.spark) {
    window.reportError(zb::tr("Error: file %s not found!").c_str(), "clp/tessel/gst.clp");
    std::exit(255);
  }
  app.frame = loadShared("clp/lc.clp");
  if (!app.frame) {
    window.reportError(zb::tr("Error: file %s not found!").c_str(), "clp/lc.clp");
    std::exit(255);
  }
  app.frame->stopped = true;
  return true;
}

template <class Screen>
void addScreen(OMainWindow& window, ScreenId id) {
  auto screen = std::make_unique<Screen>(window);
  screen->setBounds(6, 10, 780, 580);
  screen->create();
  screen->backgroundColour = 0;
  screen->starPicture = window.app().spark.get();
  if (id == ScreenId::Top10) screen->redrawMode = OEngine::kRedrawDirty;
  window.app().screens[size_t(id)] = std::move(screen);
}

}  // namespace

bool startZenbox(OMainWindow& window) {
  OAppState& app = window.app();
  auto main = std::make_unique<AMainWnd>(window, 0, 0, 800, 600);
  main->redrawMode = OEngine::kRedrawDirty;
  main->backgroundColour = 0;
  AMainWnd* controller = main.get();
  app.mainScreen = std::move(main);
  app.firstStart = true;

  auto intro = std::make_unique<AIntroWnd>(window);
  intro->load();
  int dw = 0, dh = 0;
  window.getScreenSize(dw, dh);
  window.moveTo((dw - 400) / 2, (dh - 400) / 2, 400, 400);
  app.currentScreen = nullptr;
  intro->open(&app.currentScreen);
  app.introScreen = std::move(intro);
  // The intro is the splash: it shows while the pictures, sounds and fonts load.
  window.reveal();

  if (!loadSharedPictures(window)) return false;
  controller->load();
  app.familyOptions.reset();

  addScreen<ARestartWnd>(window, ScreenId::Restart);
  addScreen<AMenuWnd>(window, ScreenId::Menu);
  addScreen<AGameOverWnd>(window, ScreenId::GameOver);
  addScreen<APickGameWnd>(window, ScreenId::PickGame);
  addScreen<ATop10Wnd>(window, ScreenId::Top10);
  addScreen<AHelpWnd>(window, ScreenId::Help);
  addScreen<AClearTop10Wnd>(window, ScreenId::ClearTop10);
  addScreen<AExitWnd>(window, ScreenId::Exit);
  addScreen<AReklamaWnd>(window, ScreenId::Promotion);

  char file[32];
  for (int i = 0; i < 3; ++i) {
    std::snprintf(file, sizeof file, "wav/i%d.wav", i);
    if (controller->sound()) controller->sound()->load(1000000 + i, file);
  }
  app.pendingScreen = nullptr;
  return true;
}

}  // namespace zb
