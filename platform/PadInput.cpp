#include "platform/PadInput.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

#include "platform/KeyCodes.h"

namespace zb {
namespace {

const char* const kNames[] = {"a",    "b",     "x",           "y",            "back", "start",
                              "leftshoulder", "rightshoulder", "dpup", "dpdown", "dpleft", "dpright"};

bool isDirection(int key) { return key == vk::Up || key == vk::Down || key == vk::Left || key == vk::Right; }

}  // namespace

bool padButtonFromName(const std::string& name, PadButton& button) {
  for (int i = 0; i < int(PadButton::Count); ++i) {
    if (strcasecmp(name.c_str(), kNames[i]) == 0) {
      button = PadButton(i);
      return true;
    }
  }
  return false;
}

int padButtonKey(PadButton button) {
  switch (button) {
    case PadButton::A: return vk::PadA;
    case PadButton::B: return vk::PadB;
    case PadButton::X: return vk::PadX;
    case PadButton::Y: return vk::PadY;
    case PadButton::Back: return vk::PadBack;
    case PadButton::Start: return vk::PadStart;
    case PadButton::LeftShoulder: return vk::PadLeftShoulder;
    case PadButton::RightShoulder: return vk::PadRightShoulder;
    case PadButton::DpadUp: return vk::Up;
    case PadButton::DpadDown: return vk::Down;
    case PadButton::DpadLeft: return vk::Left;
    case PadButton::DpadRight: return vk::Right;
    default: return 0;
  }
}

void PadInput::emit(int key, bool down, std::vector<WindowEvent>& out) {
  WindowEvent ev;
  ev.kind = down ? WindowEvent::KeyDown : WindowEvent::KeyUp;
  ev.key = key;
  out.push_back(ev);
}

bool PadInput::takes(int pad) {
  if (driver_ < 0) driver_ = pad;
  return pad == driver_;
}

void PadInput::holdDirection(int key, uint32_t now, std::vector<WindowEvent>& out) {
  emit(key, true, out);
  repeating_ = key;
  nextRepeat_ = now + kFirstRepeatMs;
}

void PadInput::releaseDirection(int key, std::vector<WindowEvent>& out) {
  emit(key, false, out);
  if (repeating_ == key) repeating_ = 0;
}

void PadInput::button(int pad, PadButton button, bool down, uint32_t now, std::vector<WindowEvent>& out) {
  int key = padButtonKey(button);
  if (key == 0 || !takes(pad)) return;
  uint32_t bit = 1u << int(button);
  if (down == ((held_ & bit) != 0)) return;  // no second press without a release
  held_ = down ? held_ | bit : held_ & ~bit;
  if (!isDirection(key)) {
    emit(key, down, out);
  } else if (down) {
    holdDirection(key, now, out);
  } else {
    releaseDirection(key, out);
  }
}

void PadInput::stick(int pad, int axis, int value, uint32_t now, std::vector<WindowEvent>& out) {
  if (axis != 0 && axis != 1) return;
  // A stick resting off centre must not claim the pad before a button does.
  if (driver_ < 0 && std::abs(value) < kPushed) return;
  if (!takes(pad)) return;
  (axis == 0 ? stickX_ : stickY_) = value;
  int ax = std::abs(stickX_), ay = std::abs(stickY_);
  int key = stickKey_;
  if (stickKey_ != 0 && std::max(ax, ay) < kReleased) {
    key = 0;
  } else if (std::max(ax, ay) >= kPushed) {
    // The stronger axis decides, as a thumb pushing one way means it.
    key = ax >= ay ? (stickX_ < 0 ? vk::Left : vk::Right) : (stickY_ < 0 ? vk::Up : vk::Down);
  }
  if (key == stickKey_) return;
  if (stickKey_ != 0) releaseDirection(stickKey_, out);
  stickKey_ = key;
  if (key != 0) holdDirection(key, now, out);
}

void PadInput::removed(int pad, std::vector<WindowEvent>& out) {
  if (pad != driver_) return;
  for (int b = 0; b < int(PadButton::Count); ++b)
    if (held_ & (1u << b)) emit(padButtonKey(PadButton(b)), false, out);
  if (stickKey_ != 0) emit(stickKey_, false, out);
  held_ = 0;
  stickKey_ = repeating_ = 0;
  stickX_ = stickY_ = 0;
  driver_ = -1;
}

void PadInput::repeat(uint32_t now, std::vector<WindowEvent>& out) {
  if (repeating_ == 0 || int32_t(now - nextRepeat_) < 0) return;
  // A held key repeats as presses without releases.
  emit(repeating_, true, out);
  nextRepeat_ = now + kRepeatMs;
}

int PadInput::msToRepeat(uint32_t now) const {
  if (repeating_ == 0) return -1;
  int32_t left = int32_t(nextRepeat_ - now);
  return left > 0 ? left : 0;
}

}  // namespace zb
