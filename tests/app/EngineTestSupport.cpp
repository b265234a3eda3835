#include "tests/app/EngineTestSupport.h"

namespace enginetest {

std::unique_ptr<OClip> makeClip(int w, int h, uint32_t colour) {
  auto clip = std::make_unique<OClip>();
  auto image = std::make_unique<OBitmap>();
  image->create(w, h, colour);
  clip->addImage(std::move(image));
  return clip;
}

TestControl::TestControl(int w, int h) {
  auto image = std::make_unique<OBitmap>();
  image->create(w, h, 0x00FF00);
  addImage(std::move(image));
}

bool TestControl::hitMove(int x, int y, bool leftHeld) {
  lastX = x;
  lastY = y;
  lastLeftHeld = leftHeld;
  return hitTest(x, y);
}

bool TestControl::hitPress(int x, int y) {
  if (!hitTest(x, y)) return false;
  pressed = true;
  return true;
}

bool TestControl::hitRelease(int x, int y) { return hitTest(x, y); }

void TestControl::keyDown(int key, int) { keys.push_back(key); }

void TestControl::charTyped(unsigned char ch, int) { typed += static_cast<char>(ch); }

LogScreen::LogScreen(OMainWindow& owner, std::vector<std::string>& journal, const std::string& name, int x, int y,
                     int w, int h)
    : OEngine(owner, x, y, w, h), journal_(journal), name_(name) {}

OClipControl* LogScreen::onMouseMove(int x, int y) {
  journal_.push_back(name_ + ".move " + std::to_string(x) + "," + std::to_string(y));
  return OEngine::onMouseMove(x, y);
}

void LogScreen::onChildClosed(OEngine*, int result) {
  childResult = result;
  journal_.push_back(name_ + ".childClosed " + std::to_string(result));
}

void LogScreen::onControlClicked(OClipControl* control) {
  clicked = control;
  journal_.push_back(name_ + ".clicked");
}

void LogScreen::onClipExpired(OClip*) { journal_.push_back(name_ + ".expired"); }

void LogScreen::onClipWaypoint(OClip*, const OWaypoint& wp) {
  journal_.push_back(name_ + ".waypoint " + std::to_string(wp.tag));
}

void LogScreen::onClipArrived(OClip*, const OWaypoint& wp) {
  journal_.push_back(name_ + ".arrived " + std::to_string(wp.tag));
}

void LogScreen::tick(int elapsed) {
  ++ticks;
  tickTimes.push_back(elapsed);
  OEngine::tick(elapsed);
}

void LogScreen::startClosing() { ++closingStarts; }

Rig::Rig() {
  zb::setClock(&clock);
  window.frameInterval = 30;
  window.create("Zenbox", "OMainWindow", 800, 600, 1);
}

Rig::~Rig() { zb::setClock(nullptr); }

}  // namespace enginetest
