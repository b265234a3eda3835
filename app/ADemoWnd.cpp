#include "app/ADemoWnd.h"

#include <cmath>
#include <cstdio>

#include "app/ADemoSprites.h"
#include "app/OMainWindow.h"
#include "platform/KeyCodes.h"
#include "platform/Random.h"

namespace {

constexpr int kArenaTop = 215;
constexpr int kArenaBottom = 585;
constexpr int kBallSize = 40;
constexpr uint32_t kBallColours[] = {0xE04040, 0x40C060, 0x4080F0, 0xF0C030, 0xC050E0, 0x30D0D0, 0xF08030};

enum Frame { kIdle = 0, kHover = 1, kDown = 2 };

}  // namespace

ADemoButton::ADemoButton(int width, int height, const char* label) {
  addImage(ademo::makeButtonFace(width, height, 0x3050A0, label));
  addImage(ademo::makeButtonFace(width, height, 0x4878D8, label));
  addImage(ademo::makeButtonFace(width, height, 0x203060, label));
  stopped = true;  // frames change only with the pointer
  shaped = true;
}

bool ADemoButton::hitMove(int x, int y, bool leftHeld) {
  bool inside = hitTest(x, y);
  int want = !inside ? kIdle : (pressed && leftHeld ? kDown : kHover);
  if (want != currentFrame) showFrame(want);
  return inside;
}

bool ADemoButton::hitPress(int x, int y) {
  if (!hitTest(x, y)) return false;
  pressed = true;
  showFrame(kDown);
  return true;
}

bool ADemoButton::hitRelease(int x, int y) {
  bool inside = hitTest(x, y);
  showFrame(inside ? kHover : kIdle);
  return inside;
}

ADemoWnd::ADemoWnd(OMainWindow& owner) : OEngine(owner, 0, 0, 800, 600) {
  backgroundColour = 0x0E1A33;
  redrawMode = kRedrawDirty;
}

bool ADemoWnd::startup(OMainWindow& window) {
  auto demo = std::make_unique<ADemoWnd>(window);
  if (!demo->load()) return false;
  OAppState& app = window.app();
  app.mainScreen = std::move(demo);
  int dw = 0, dh = 0;
  window.getScreenSize(dw, dh);
  window.moveTo((dw - 800) / 2, (dh - 600) / 2, 800, 600);
  app.mainScreen->open(&app.currentScreen);
  return true;
}

OClip* ADemoWnd::place(std::unique_ptr<OBitmap> image, double x, double y, double z) {
  auto* clip = new OClip();
  clip->addImage(std::move(image));
  clip->x = x;
  clip->y = y;
  clip->z = z;
  addClip(clip);
  return clip;
}

bool ADemoWnd::load() {
  place(ademo::makeText("Zenbox engine demo", 0xFFE070, 20, true), 20, 12, 0);
  place(ademo::makeText("Space or the button pauses, Esc ends", 0xA0B0D0, 10, false), 20, 44, 0);
  addModeRow();
  addBouncers();
  button_ = new ADemoButton(110, 36, "Pause");
  button_->x = 670;
  button_->y = 20;
  button_->z = -10;
  addControl(button_);
  showClock();
  sortClips();
  return true;
}

void ADemoWnd::addModeRow() {
  place(ademo::makeChecker(720, 130, 10, 0x2A3550, 0x6A7590), 40, 70, 900);
  static const char* const kLabels[] = {"colour key", "alpha plane", "translucent", "silhouette", "sub-pixel"};
  for (int i = 0; i < 5; ++i)
    place(ademo::makeText(kLabels[i], 0xFFFFFF, 10, false), 68 + i * 140, 170, 0);
  place(ademo::makeStar(64, 0xF0D020), 70, 90, 500);
  place(ademo::makeBall(64, 0x40A0FF), 210, 90, 500);
  place(ademo::makeStar(64, 0xF0D020), 350, 90, 500)->setOpacity(128);
  place(ademo::makeStar(64, 0xF0D020), 490, 90, 500)->setOpacity(300);
  glider_ = place(ademo::makeBall(64, 0xFF6080), 630, 90, 500);
  glider_->subPixel = true;
  glider_->addWaypoint(OWaypoint{680, 90, 1, 0.35});
  fader_ = place(ademo::makeBall(56, 0x60E080), 715, 250, 400);
  place(ademo::makeText("fading", 0xFFFFFF, 10, false), 722, 310, 0);
  auto* spinner = new OClip();
  for (int f = 0; f < 8; ++f) spinner->addImage(ademo::makeBar(64, f * 3.14159265 / 8, 0xFF8040));
  spinner->x = 30;
  spinner->y = 235;
  spinner->z = 400;
  addClip(spinner);
  place(ademo::makeText("animation", 0xFFFFFF, 10, false), 30, 305, 0);
}

void ADemoWnd::addBouncers() {
  for (int i = 0; i < 14; ++i) {
    OClip* ball = place(ademo::makeBall(kBallSize, kBallColours[i % 7]), 150 + (i % 7) * 70,
                        kArenaTop + 40 + (i / 7) * 120, 100 + i);
    bouncers_.push_back(ball);
    sendSomewhere(*ball);
  }
}

void ADemoWnd::sendSomewhere(OClip& ball) {
  OWaypoint wp;
  wp.x = 110 + zb::random(560);
  wp.y = kArenaTop + zb::random(kArenaBottom - kArenaTop - kBallSize);
  wp.speed = 2 + zb::random(5);
  ball.addWaypoint(wp);
}

void ADemoWnd::onClipArrived(OClip* clip, const OWaypoint& waypoint) {
  if (clip == glider_) {
    // Back and forth slowly, so the fractional placement shows.
    glider_->addWaypoint(OWaypoint{waypoint.tag ? 630.0 : 680.0, 90, waypoint.tag ? 0 : 1, 0.35});
    return;
  }
  sendSomewhere(*clip);
}

void ADemoWnd::spawnSparks() {
  for (int i = 0; i < 2; ++i) {
    auto* spark = new OClip();
    spark->addImage(ademo::makeBall(10, 0xFFF0A0));
    spark->x = 395;
    spark->y = 570;
    spark->z = 50;
    spark->vx = (zb::random(400) - 200) / 100.0;
    spark->vy = -(4 + zb::random(400) / 100.0);
    spark->lifetime = 600 + zb::random(500);
    addClip(spark);
  }
}

void ADemoWnd::showClock() {
  char text[48];
  std::snprintf(text, sizeof text, "time %d s", elapsedMs_ / 1000);
  if (clock_) removeClip(clock_, true);
  clock_ = place(ademo::makeText(text, 0xC0FFC0, 12, true), 20, 570, 0);
}

void ADemoWnd::tick(int elapsed) {
  elapsedMs_ += elapsed;
  if (elapsedMs_ / 1000 != shownSecond_) {
    shownSecond_ = elapsedMs_ / 1000;
    showClock();
  }
  // Opacity runs 0 (solid) to 255 (gone) and back over two seconds.
  int phase = (elapsedMs_ / 10) % 200;
  fader_->setOpacity(phase < 100 ? phase * 255 / 100 : (200 - phase) * 255 / 100);
  if (!paused_) {
    sparkTimer_ += elapsed;
    for (; sparkTimer_ >= 60; sparkTimer_ -= 60) spawnSparks();
  }
  sortClips();
  OEngine::tick(elapsed);
}

void ADemoWnd::setPaused(bool on) {
  paused_ = on;
  for (OClip* c : clips()) c->moves = !on;
}

void ADemoWnd::onControlClicked(OClipControl* control) {
  control->pressed = false;
  if (control == button_) setPaused(!paused_);
}

void ADemoWnd::onKeyDown(int key, int mods) {
  if (key == zb::vk::Space) {
    setPaused(!paused_);
    return;
  }
  if (key == zb::vk::Escape) {
    owner().app().quitRequested = true;
    return;
  }
  OEngine::onKeyDown(key, mods);
}
