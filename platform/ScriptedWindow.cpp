#include "platform/ScriptedWindow.h"

#include <cstdio>

#include "platform/Clock.h"
#include "platform/KeyCodes.h"

namespace zb {
namespace {

int modifierBit(int key) {
  return key == vk::Shift ? ModShift : key == vk::Control ? ModCtrl : key == vk::Alt ? ModAlt : 0;
}

}  // namespace

ScriptedWindow::ScriptedWindow(PlatformWindow& inner, std::vector<ScriptStep> steps, ShotWriter writeShot,
                               bool quitAtEnd, bool coarseWaits)
    : inner_(inner), steps_(std::move(steps)), writeShot_(std::move(writeShot)), quitAtEnd_(quitAtEnd),
      coarseWaits_(coarseWaits) {}

bool ScriptedWindow::pollEvent(WindowEvent& event) {
  if (inner_.pollEvent(event)) {
    padPending_ = false;
    return true;
  }
  if (queued_.empty()) runDueSteps();
  if (queued_.empty()) return false;
  event = queued_.front();
  queued_.pop_front();
  return true;
}

void ScriptedWindow::waitEvent(int timeoutMs) {
  if (!coarseWaits_ && waiting_) {
    // Wake up in time for the next step.
    int32_t left = static_cast<int32_t>(dueAt_ - nowMs());
    if (left < timeoutMs) timeoutMs = left > 0 ? left : 0;
  }
  inner_.waitEvent(timeoutMs);
}

void ScriptedWindow::cursorPos(int& x, int& y) const {
  if (!pointerKnown_) {
    inner_.cursorPos(x, y);
    return;
  }
  x = pointerX_;
  y = pointerY_;
}

void ScriptedWindow::runDueSteps() {
  // A pad step's messages come back through the inner window; the next step
  // waits for them (for a while: a pad that sends nothing must not stall it).
  if (padPending_ && static_cast<int32_t>(nowMs() - padSentAt_) < kPadPatienceMs) return;
  padPending_ = false;
  while (queued_.empty() && !quitQueued_ && !padPending_) {
    if (waiting_) {
      if (static_cast<int32_t>(nowMs() - dueAt_) < 0) return;
      waiting_ = false;
    }
    if (next_ >= steps_.size()) {
      if (quitAtEnd_) queue(WindowEvent::Quit, 0, 0, 0, 0);
      return;
    }
    runStep(steps_[next_++]);
  }
}

void ScriptedWindow::queue(WindowEvent::Kind kind, int x, int y, int key, int mods) {
  WindowEvent ev;
  ev.kind = kind;
  ev.x = x;
  ev.y = y;
  // Char events carry their character in `ch`, key events their key.
  if (kind == WindowEvent::Char)
    ev.ch = static_cast<unsigned char>(key);
  else
    ev.key = key;
  ev.mods = mods;
  queued_.push_back(ev);
  if (kind == WindowEvent::Quit) quitQueued_ = true;
}

void ScriptedWindow::queueKey(int key, int mods, bool down) {
  std::vector<WindowEvent> events;
  translateKey(key, mods, down, events);
  queued_.insert(queued_.end(), events.begin(), events.end());
}

void ScriptedWindow::runStep(const ScriptStep& s) {
  int mods = heldMods_ | s.mods;
  switch (s.kind) {
    case ScriptStep::Wait:
      waiting_ = true;
      dueAt_ = nowMs() + static_cast<uint32_t>(s.ms);
      return;
    case ScriptStep::Move:
    case ScriptStep::Press:
    case ScriptStep::Release:
    case ScriptStep::Click: {
      pointerKnown_ = true;
      pointerX_ = s.x;
      pointerY_ = s.y;
      if (s.kind == ScriptStep::Move) {
        queue(WindowEvent::MouseMove, s.x, s.y, 0, mods);
        return;
      }
      // A press or release is preceded by a move there, as a real pointer would be.
      queue(WindowEvent::MouseMove, s.x, s.y, 0, mods);
      if (s.kind != ScriptStep::Release)
        queue(s.right ? WindowEvent::RButtonDown : WindowEvent::LButtonDown, s.x, s.y, 0, mods);
      if (s.kind != ScriptStep::Press)
        queue(s.right ? WindowEvent::RButtonUp : WindowEvent::LButtonUp, s.x, s.y, 0, mods);
      return;
    }
    case ScriptStep::KeyDown:
    case ScriptStep::KeyUp:
    case ScriptStep::Key:
      // The same rules as the real window: system keys with Alt, Alt+F4
      // closing, the characters of Backspace, Tab and Enter.
      if (s.kind != ScriptStep::KeyUp) {
        heldMods_ |= modifierBit(s.key);
        queueKey(s.key, heldMods_ | s.mods, true);
      }
      if (s.kind != ScriptStep::KeyDown) {
        heldMods_ &= ~modifierBit(s.key);
        queueKey(s.key, heldMods_ | s.mods, false);
      }
      return;
    case ScriptStep::Type:
      for (char c : s.text) queue(WindowEvent::Char, 0, 0, static_cast<unsigned char>(c), mods);
      return;
    case ScriptStep::Shot:
      if (!writeShot_ || !writeShot_(s.text, inner_)) {
        std::fprintf(stderr, "script line %d: could not write %s\n", s.line, s.text.c_str());
        ++failures_;
      }
      return;
    case ScriptStep::Quit:
      queue(WindowEvent::Quit, 0, 0, 0, 0);
      return;
    case ScriptStep::Pad:
      // Pressed and released on the window's virtual pad: the messages come
      // back through the window as a real pad's would.
      if (!inner_.pressPadButton(PadButton(s.key), true) || !inner_.pressPadButton(PadButton(s.key), false)) {
        std::fprintf(stderr, "script line %d: no virtual gamepad for the pad step\n", s.line);
        ++failures_;
        return;
      }
      padPending_ = true;
      padSentAt_ = nowMs();
      return;
  }
}

}  // namespace zb
