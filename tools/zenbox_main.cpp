// zenbox: the game. Options: --data DIR, --windowed, --headless, --script FILE,
// --screen NAME, --language LIST.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/ADemoWnd.h"
#include "app/AStartup.h"
#include "game/GameFamilies.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "platform/Language.h"
#include "platform/PngWriter.h"
#include "platform/Script.h"
#include "platform/ScriptedWindow.h"
#include "platform/SdlWindow.h"
#include "platform/UserFolder.h"
#include "ui/AUiDemoWnd.h"

namespace {

struct Options {
  std::string dataDir;
  std::string scriptFile;
  std::string screen;  // "controls" or "engine": a demonstration screen instead of the game
  std::string language;  // --language: overrides the desktop's language
  bool windowed = false;
  bool headless = false;
};

void printUsage() {
  std::fprintf(stderr,
               "usage: zenbox [--data DIR] [--windowed] [--headless] [--script FILE]\n"
               "              [--language LIST]\n"
               "  --data DIR     folder holding clp/, cfg/, wav/ ... (the working directory);\n"
               "                 without it: the installed data, files written per user\n"
               "  --windowed     never switch to full screen at start\n"
               "  --headless     no display or sound; time runs as fast as frames are made\n"
               "  --script FILE  play a script of timed input steps (see README.md)\n"
               "  --screen NAME  start on a single screen instead: controls, engine\n"
               "  --language LIST  speak this gettext language list (\"de\", \"fr:es\", \"C\")\n"
               "                 instead of the desktop's; scripted and headless runs\n"
               "                 speak English unless given one\n");
}

// 0: parsed; 1: help shown; 2: bad arguments.
int parseArgs(int argc, char** argv, Options& opt) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool hasValue = i + 1 < argc;
    if (a == "--data" && hasValue) {
      opt.dataDir = argv[++i];
    } else if (a == "--script" && hasValue) {
      opt.scriptFile = argv[++i];
    } else if (a == "--screen" && hasValue &&
               (std::strcmp(argv[i + 1], "controls") == 0 || std::strcmp(argv[i + 1], "engine") == 0)) {
      opt.screen = argv[++i];
    } else if (a == "--language" && hasValue) {
      opt.language = argv[++i];
    } else if (a == "--windowed") {
      opt.windowed = true;
    } else if (a == "--headless") {
      opt.headless = true;
    } else if (a == "-h" || a == "--help") {
      printUsage();
      return 1;
    } else {
      std::fprintf(stderr, "zenbox: unknown or incomplete option '%s'\n", a.c_str());
      printUsage();
      return 2;
    }
  }
  return 0;
}

bool loadScript(const std::string& file, std::vector<zb::ScriptStep>& steps) {
  std::string error;
  if (zb::loadScriptFile(file, steps, error)) return true;
  std::fprintf(stderr, "zenbox: %s: %s\n", file.c_str(), error.c_str());
  return false;
}

std::string currentDir() {
  char buf[4096];
  return getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

// Shots are named relative to where zenbox was started, not to --data.
zb::ScriptedWindow::ShotWriter shotWriter(const std::string& startDir) {
  return [startDir](const std::string& name, const zb::PlatformWindow& window) {
    const uint32_t* px = window.content();
    int w = window.contentWidth(), h = window.contentHeight();
    if (!px || w <= 0 || h <= 0) return false;
    std::vector<uint8_t> bgr(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
      bgr[i * 3] = static_cast<uint8_t>(px[i]);
      bgr[i * 3 + 1] = static_cast<uint8_t>(px[i] >> 8);
      bgr[i * 3 + 2] = static_cast<uint8_t>(px[i] >> 16);
    }
    std::string path = !name.empty() && name[0] == '/' ? name : startDir + "/" + name;
    return zb::writePng(path, w, h, bgr.data(), w * 3, false);
  };
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  if (int rc = parseArgs(argc, argv, opt)) return rc == 1 ? 0 : rc;
  const std::string startDir = currentDir();
  std::vector<zb::ScriptStep> steps;
  if (!opt.scriptFile.empty() && !loadScript(opt.scriptFile, steps)) return 2;
  if (!opt.dataDir.empty() && chdir(opt.dataDir.c_str()) != 0) {
    std::fprintf(stderr, "zenbox: cannot enter data folder %s\n", opt.dataDir.c_str());
    return 2;
  }
  // The demonstration screens are for development: they stay where started.
  std::string folderError;
  if (opt.dataDir.empty() && opt.screen.empty() && !zb::enterUserFolder(folderError)) {
    std::fprintf(stderr, "zenbox: %s\n", folderError.c_str());
    return 2;
  }

  // Scripted and headless runs are checked against English texts, so only
  // an explicit --language changes theirs.
  std::string languages = opt.language == "C" ? std::string() : opt.language;
  if (opt.language.empty() && opt.scriptFile.empty() && !opt.headless) languages = zb::desktopLanguages(std::getenv);
  zb::startTranslations(languages, zb::localeFolder());

  // Headless time is virtual: every wait of the loop moves it on by its
  // full time-out, so frames follow each other as fast as they are made.
  zb::ManualClock virtualClock;
  if (opt.headless) {
    zb::SdlWindow::useDummyDrivers();
    zb::setClock(&virtualClock);
  }
  zb::SdlWindow sdl(opt.headless, opt.headless ? &virtualClock : nullptr);
  zb::PlatformWindow* platform = &sdl;
  std::unique_ptr<zb::ScriptedWindow> scripted;
  // A headless run ends with its script (at once when there is none).
  if (!opt.scriptFile.empty() || opt.headless) {
    scripted = std::make_unique<zb::ScriptedWindow>(sdl, steps, shotWriter(startDir), opt.headless, opt.headless);
    platform = scripted.get();
  }

  int result;
  {
    zb::registerFamilies();
    OMainWindow::Startup startup = zb::startZenbox;
    if (opt.screen == "controls") startup = AUiDemoWnd::startup;
    if (opt.screen == "engine") startup = ADemoWnd::startup;
    OMainWindow window(*platform, startup);
    window.app().forceWindowed = opt.windowed;
    result = window.run();
  }
  zb::setClock(nullptr);
  if (sdl.noDisplay()) return 1;
  if (scripted && scripted->failures() > 0) return 1;
  return result;
}
