#include "tests/game/FlowRig.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/AStartup.h"
#include "platform/KeyCodes.h"
#include "platform/PngWriter.h"
#include "platform/Random.h"
#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "game/GameFamilies.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "sinkra/CClassicSinkraGame.h"
#include "sinkra/CTurnGame.h"
#include "ui/AFramedWnd.h"
#include "ui/APickGameWnd.h"

namespace flowtest {

namespace fs = std::filesystem;

std::string dataDir() {
  const char* env = std::getenv("ZB_DATA");
  return env && *env ? env : "build/data";
}

bool haveData() { return fs::exists(fs::path(dataDir()) / "clp" / "alph.clp"); }

namespace {
// Families register once, before the first controller is built.
OMainWindow::Startup registeredStartup() {
  static bool once = (zb::registerFamilies(), true);
  (void)once;
  return zb::startZenbox;
}
}  // namespace

FlowRig::FlowRig(const std::string& home) : window(platform, registeredStartup()) {
  if (home.empty()) {
    temp_ = std::make_unique<zbtest::TempDir>();
    home_ = temp_->path();
  } else {
    home_ = home;
  }
  std::error_code ec;
  fs::path data = fs::absolute(dataDir(), ec);
  for (const char* sub : {"clp", "cfg", "wav", "music", "help"}) {
    fs::path link = fs::path(home_) / sub;
    if (!fs::exists(link)) fs::create_directory_symlink(data / sub, link, ec);
  }
  char buf[4096];
  oldDir_ = getcwd(buf, sizeof buf) ? buf : ".";
  if (chdir(home_.c_str()) != 0) home_.clear();
  zb::setClock(&clock);
  clock.set(1000);
  platform.desktopWidth = 1024;
  platform.desktopHeight = 768;
}

FlowRig::~FlowRig() {
  stop();
  zb::setClock(nullptr);
  if (chdir(oldDir_.c_str()) != 0) return;
}

bool FlowRig::start() {
  window.backgroundColour = 0xCCCCFF;
  window.popup = true;
  window.fixedSize = true;
  window.frameInterval = 30;
  window.app().forceWindowed = true;
  started_ = window.create("Zenbox", "OMainWindow", 800, 600, 1);
  if (started_) window.show(true);
  return started_;
}

void FlowRig::frame() {
  zb::WindowEvent event;
  while (!ended_ && platform.pollEvent(event)) {
    if (event.kind == zb::WindowEvent::Quit) {
      ended_ = true;
      break;
    }
    window.dispatch(event);
  }
  if (ended_) return;
  clock.advance(30);
  window.onTick(30);
  platform.present();
  if (!platform.isOpen()) ended_ = true;
}

void FlowRig::run(int ms) {
  for (int t = 0; t < ms && !ended_; t += 30) frame();
}

bool FlowRig::runUntil(const std::function<bool()>& done, int limitMs) {
  for (int t = 0; t < limitMs && !ended_; t += 30) {
    if (done()) return true;
    frame();
  }
  return done();
}

void FlowRig::move(int x, int y) {
  platform.cursorX = x;
  platform.cursorY = y;
  platform.push({zb::WindowEvent::MouseMove, x, y});
  frame();
}

void FlowRig::click(int x, int y) {
  move(x, y);
  platform.push({zb::WindowEvent::LButtonDown, x, y});
  frame();
  platform.push({zb::WindowEvent::LButtonUp, x, y});
  frame();
}

void FlowRig::rightClick(int x, int y) {
  move(x, y);
  platform.push({zb::WindowEvent::RButtonDown, x, y});
  platform.push({zb::WindowEvent::RButtonUp, x, y});
  frame();
}

void FlowRig::key(int vk, int mods) {
  zb::WindowEvent down{zb::WindowEvent::KeyDown};
  down.key = vk;
  down.mods = mods;
  platform.push(down);
  zb::WindowEvent up = down;
  up.kind = zb::WindowEvent::KeyUp;
  platform.push(up);
  frame();
}

void FlowRig::type(const std::string& text) {
  for (char c : text) {
    zb::WindowEvent ch{zb::WindowEvent::Char};
    ch.ch = static_cast<unsigned char>(c);
    platform.push(ch);
  }
  frame();
}

AClipString* FlowRig::findText(const std::string& text) const {
  auto* dialog = dynamic_cast<AFramedWnd*>(current());
  if (!dialog) return nullptr;
  for (AClipString* t : dialog->texts()) {
    if (t->text() == text) return t;
  }
  return nullptr;
}

void FlowRig::settle() {
  // A dialog takes input only once its texts have flown in.
  runUntil([&] {
    auto* dialog = dynamic_cast<AFramedWnd*>(current());
    if (!dialog || dialog->state() != AFramedWnd::kOpen) return false;
    for (AClipString* t : dialog->texts())
      if (t->flying()) return false;
    return true;
  }, 5000);
}

bool FlowRig::clickText(const std::string& text) {
  settle();
  AClipString* t = findText(text);
  if (!t) return false;
  click(current()->x() + t->x() + t->width() / 2, current()->y() + t->y() + t->height() / 2);
  return true;
}

bool FlowRig::pick(int radio) {
  if (!runUntil([&] { return isCurrent(ScreenId::PickGame); })) return false;
  auto* pickScreen = static_cast<APickGameWnd*>(current());
  settle();
  const zb::PickRadio& r = zb::pickRadio(radio);
  click(pickScreen->x() + r.boxX + 15, pickScreen->y() + r.boxY + 15);
  if (pickScreen->selected() != radio) return false;
  return clickText("Play!");
}

bool FlowRig::waitPlaying(int limitMs) {
  return runUntil([&] {
    AMainWnd* m = main();
    return m && current() == m && m->state() == AMainWnd::kPlaying && m->tilesShown() == 0;
  }, limitMs);
}

bool FlowRig::leavePickGame() {
  if (!start() || !runUntil([&] { return isCurrent(ScreenId::PickGame); }, 9000)) return false;
  settle();
  key(zb::vk::Escape);
  return runUntil([&] { return current() == main(); });
}

bool FlowRig::playMoves(int moves) {
  auto* game = dynamic_cast<SpaceSinkra::AMyGame*>(main() ? main()->game() : nullptr);
  if (!game) return false;
  for (int m = 0; m < moves; ++m) {
    SpaceSinkra::CGameField& field = *game->current();
    auto* turn = dynamic_cast<SpaceSinkra::CTurnGame*>(&field);
    // The Classic game takes groups of three or more only.
    const int smallest = dynamic_cast<SpaceSinkra::CClassicSinkraGame*>(&field) ? 3 : 2;
    // In turn play only the player's turn takes clicks, and only legal groups.
    runUntil([&] { return field.idle() && !field.anyMoving() && (!turn || turn->whoseTurn() == 0); }, 15000);
    int cell = -1;
    for (int i = 0; i < field.grid().size() && cell < 0; ++i) {
      int n = field.groupSize(i);
      if (turn ? turn->legal(n) : n >= smallest) cell = i;
    }
    if (cell < 0) return false;
    click(int(field.cellX(cell) + field.cellSize() / 2), int(field.cellY(cell) + field.cellSize() / 2));
    run(1500);
  }
  return true;
}

std::string FlowRig::shot(const std::string& name) {
  const char* env = std::getenv("ZB_SHOTS");
  std::string dir = env && *env ? env : fs::temp_directory_path().string();
  std::string path = dir + "/" + name + ".png";
  const uint32_t* px = platform.content();
  int w = platform.contentWidth(), h = platform.contentHeight();
  if (!px || w <= 0 || h <= 0) return "";
  std::vector<uint8_t> bgr(size_t(w) * size_t(h) * 3);
  for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
    bgr[i * 3] = uint8_t(px[i]);
    bgr[i * 3 + 1] = uint8_t(px[i] >> 8);
    bgr[i * 3 + 2] = uint8_t(px[i] >> 16);
  }
  return zb::writePng(path, w, h, bgr.data(), w * 3, false) ? path : "";
}

void FlowRig::stop() {
  if (!started_ || destroyed_) return;
  destroyed_ = true;
  window.onDestroy();
}

}  // namespace flowtest
