#include "app/AMainWnd.h"

#include "ui/AOptionsWnd.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/OMainWindow.h"
#include "audio/OMusic.h"
#include "audio/OSound.h"
#include "game/AGameWnd.h"
#include "game/AStar.h"
#include "game/GameCatalog.h"
#include "game/GameFamilies.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "ui/AClipString.h"
#include "ui/AFramedWnd.h"
#include "ui/OClipButton.h"
#include "platform/Language.h"

namespace {

constexpr const char* kTesselBackground = "clp/tessel/bg.clp";

// Panel button pictures, in the order they are laid from the right.
const char* const kButtonFiles[AMainWnd::kButtonCount] = {
    "clp/but7.clp", "clp/but10.clp", "clp/but8.clp", "clp/but9.clp", "clp/but11.clp", "clp/but12.clp",
};

constexpr uint32_t kTickerBack = 0x2A2016;

const char* const kTickerText = N_(
    "Welcome to Zenbox!  Pick a game, click the groups, climb the Top 10.  F1 help, Pause pauses, "
    "F4 switches the window mode.      ");

}  // namespace

AMainWnd::AMainWnd(OMainWindow& owner, int x, int y, int width, int height)
    : OEngine(owner, x, y, width, height) {}

AMainWnd::~AMainWnd() {
  closing_ = true;
  if (music_) music_->stop();
  bool hadGame = game_ != nullptr;
  if (game_) {
    if (game_->demo()) game_->stopDemo(true);
    if (game_->replaying()) game_->stopReplay(true);
    game_->saveGame();
    settings_.gameKind = game_->kind;
    deleteGame();
  }
  writeSettings(hadGame);
  menuText_.reset();
  gameOverText_.reset();
  // Screens destroyed after this one must not reach the players any more.
  AFramedWnd::sharedSoundPlayer() = nullptr;
  app().music = nullptr;
}

AMainWnd* AMainWnd::of(const OMainWindow& window) {
  return dynamic_cast<AMainWnd*>(window.app().mainScreen.get());
}

OAppState& AMainWnd::app() const { return owner().app(); }

OClip* AMainWnd::font(int i) const {
  if (i < 0 || i >= int(app().letters.size())) return nullptr;
  return app().letters[size_t(i)].get();
}

OClip* AMainWnd::star() const { return app().spark.get(); }

std::string AMainWnd::settingsPath() const {
  return home_.empty() ? zb::kSettingsFile : home_ + "/" + zb::kSettingsFile;
}

OClip* AMainWnd::loadClip(const std::string& file, double x, double y, double z, bool shown) {
  auto* clip = new OClip();
  if (!clip->load(file)) {
    loadFailed_ = true;
    delete clip;
    return nullptr;
  }
  clip->x = x;
  clip->y = y;
  clip->z = z;
  clip->visible = shown;
  addClip(clip);
  return clip;
}

bool AMainWnd::loadPictures() {
  panelBackground_ = loadClip("clp/jp9.clp", 600, 0, 1000, true);
  sinkraBackground_ = loadClip("clp/jp8.clp", 0, 0, 800, true);
  // Tessel's tray is decoded only while Tessel plays (a megabyte and more);
  // Gyrex lays its own board picture. Both must be there all the same.
  for (const char* file : {kTesselBackground, "clp/gyrex/bgnet.clp"})
    if (!zb::fileExists(file)) loadFailed_ = true;
  pausePicture_ = loadClip("clp/clp0.clp", 50, 180, 799, false);
  panelPicture_ = loadClip("clp/clp1.clp", 660, 140, 500, true);
  if (panelPicture_) panelPicture_->setOpacity(0);
  return !loadFailed_;
}

bool AMainWnd::load() {
  sound_ = std::make_unique<OSound>();
  music_ = std::make_unique<OMusic>();
  app().music = music_.get();
  AFramedWnd::sharedSoundPlayer() = [this](int id) { playSound(id); };
  loadPictures();
  readSettings();
  makePanel();
  if (loadFailed_) {
    owner().reportError("%s", zb::tr("Error: some files was not found! Please reinstall.").c_str());
    std::exit(255);
  }
  makeTexts();
  buildCurtainCells();
  addTiles(tileCount_);
  for (Tile& t : tiles_) t.clip->z = -50000;
  sortClips();
  return true;
}

void AMainWnd::readSettings() {
  settings_ = zb::loadSettings(settingsTree_, sound_->savedVolume(), music_->savedVolume(), settingsPath());
  sound_->setEnabled(settings_.sound);
  sound_->setDirectSound(settings_.directSound);
  sound_->setVolume(settings_.soundVolume);
  music_->setEnabled(settings_.music != 0);
  music_->setVolume(settings_.musicVolume);
  music_->useSlowPlaylist();
  app().windowMode = settings_.windowMode;
  app().zoom = settings_.zoom;
  if (settings_.zoom > 0) owner().setZoom(settings_.zoom);
  applyAnimation(settings_.animation);
  family_ = settings_.gameIndex;
}

void AMainWnd::applyAnimation(bool on) {
  settings_.animation = on;
  zb::textEffects().animation = on;
}

void AMainWnd::writeSettings(bool gameExists) {
  if (!sound_ || !music_) return;
  settings_.music = music_->enabled() ? 1 : 0;
  settings_.sound = sound_->enabled();
  settings_.windowMode = app().windowMode;
  settings_.zoom = app().zoom;
  settings_.soundVolume = sound_->volume();
  settings_.musicVolume = music_->volume();
  // The family of the last game stays even when none is running, so the
  // pick-game screen offers it again next time.
  settings_.gameIndex = static_cast<uint8_t>(family_);
  std::vector<zb::SaveFailure> failures;
  if (!zb::saveSettings(settingsTree_, settings_, gameExists, settingsPath(), &failures))
    reportSaveFailure(zb::describeSaveFailures(failures));
}

void AMainWnd::reportSaveFailure(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  if (closing_ || !owner().exists()) {
    owner().setQuitCode(kSaveFailedExitCode);
    return;
  }
  owner().reportError("%s", text.c_str());
}

void AMainWnd::makePanel() {
  double right = width() - 10;
  for (int b = 0; b < kButtonCount; ++b) {
    auto* button = new OClipButton();
    if (!button->load(kButtonFiles[b])) {
      loadFailed_ = true;
      delete button;
      continue;
    }
    button->x = right - button->width;
    button->y = 9;
    button->z = -10;
    button->shaped = true;
    right = button->x - 5;
    homeX_[size_t(b)] = int(button->x);
    homeY_[size_t(b)] = 9;
    buttons_[size_t(b)] = button;
    addControl(button);
  }
  // The ticker: one line of text scrolling through a 180 x 30 window.
  OTextStyle& style = OBitmap::textStyle();
  OTextStyle saved = style;
  style.face = "Arial";
  style.size = 11;
  style.textColour = 0xFFFF00;
  style.backColour = kTickerBack;
  const std::string tickerText = zb::tr(kTickerText);
  OSize extent = OBitmap::textExtent(tickerText);
  tickerStrip_ = std::make_unique<OBitmap>();
  auto window = std::make_unique<OBitmap>();
  if (extent.width > 0 && tickerStrip_->create(extent.width + 180, 30, kTickerBack) &&
      window->create(180, 30, kTickerBack)) {
    OBitmap::drawText(*tickerStrip_, tickerText, 180, 8);
    // Drawn as a plain band: the text changes every frame, so no colour key.
    ticker_ = new OClip();
    ticker_->addImage(std::move(window));
    ticker_->x = 610;
    ticker_->y = 555;
    ticker_->z = -500;
    addClip(ticker_);
  }
  style = saved;
}

void AMainWnd::scrollTicker() {
  if (!ticker_ || !ticker_->currentImage() || !tickerStrip_) return;
  OBitmap& window = *ticker_->currentImage();
  int span = tickerStrip_->width() - window.width();
  if (span <= 0) return;
  tickerOffset_ = (tickerOffset_ + 1) % span;
  for (int r = 0; r < window.height(); ++r) {
    std::memcpy(window.rowAddress(r), tickerStrip_->rowAddress(r) + tickerOffset_ * 3, size_t(window.width()) * 3);
  }
  window.markPixelsChanged();
  ticker_->forcedRedraw = true;
}

void AMainWnd::makeTexts() {
  menuText_ = std::make_unique<AClipString>(font(1), this, 630, 450, zb::tr("Menu"), -500, true, star());
  menuText_->setClickable(true);
}

void AMainWnd::playSound(int id, bool restart) {
  if (sound_) sound_->play(id, restart);
}

void AMainWnd::startMusic() {
  if (music_ && music_->enabled() && !closing_) music_->play(OMusic::kRandomTrack);
}

void AMainWnd::requestScreen(ScreenId id) {
  // The game-over screen holds the name entry: once asked for, nothing replaces it.
  OEngine* gameOver = app().screen(ScreenId::GameOver);
  if (gameOver && app().pendingScreen == gameOver && app().screen(id) != gameOver) return;
  owner().requestScreen(app().screen(id));
}

void AMainWnd::showGameOverText(const std::string& text, int centreX, int y) {
  gameOverText_ = std::make_unique<AClipString>(font(0), this, centreX, y, text, -500, true, star());
  gameOverShownAt_ = zb::nowMs();
  gameOverText_->moveText(centreX - gameOverText_->width() / 2, y, -500, gameOverText_->animated());
  sortClips();
}

void AMainWnd::deleteGame() {
  if (!game_) return;
  game_.reset();
  dropLeftoverSparks();
}

void AMainWnd::dropLeftoverSparks() {
  // Sparks belong to the screen and would outlive the game that made them.
  for (OClip* clip : std::vector<OClip*>(clips())) {
    if (dynamic_cast<AStar*>(clip)) clip->lifetime = 0;
  }
  removeExpiredClips(true);
}

void AMainWnd::showFamilyBackground() {
  // Tessel plays on a tray of its own; the others on the raked sand (Gyrex
  // lays its board picture over it).
  bool tessel = family_ == zb::kFamilyTessel;
  if (tessel && !tesselBackground_) {
    auto tray = std::make_unique<OClip>();
    if (tray->load(kTesselBackground)) {
      tray->z = 800;
      tesselBackground_ = tray.release();
      addClip(tesselBackground_);
      sortClips();
    }
  } else if (!tessel && tesselBackground_) {
    removeClip(tesselBackground_, true);
    tesselBackground_ = nullptr;
  }
  // A tray that cannot be read leaves the sand.
  if (sinkraBackground_) sinkraBackground_->visible = !tesselBackground_;
}

void AMainWnd::createGame(int family, int kind) {
  int carried = -1;
  if (game_) {
    game_->saveGame();
    carried = game_->carryOver();
    deleteGame();
  }
  if (pausePicture_) pausePicture_->visible = false;
  std::unique_ptr<AGameWnd> game = zb::createFamilyGame(family, kind, *this);
  family_ = game ? family : 255;
  showFamilyBackground();
  if (!game) {
    sortClips();
    return;
  }
  game->setSaveDir(home_);
  game->kind = kind;
  game_ = std::move(game);
  game_->buildPanel();
  game_->loadGame(0);
  if (carried >= 0) game_->takeCarryOver(carried);
  settings_.gameIndex = static_cast<uint8_t>(family);
  settings_.gameKind = kind;
  sortClips();
}
