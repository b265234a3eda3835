#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowEvent.h"

// Gamepad input turned into key messages: no SDL here, so the rules (which
// pad drives, the stick's dead zone, key-like repeat) can be tested alone.
namespace zb {

// The buttons the game reads, named as scripts name them.
enum class PadButton : int {
  A, B, X, Y, Back, Start, LeftShoulder, RightShoulder, DpadUp, DpadDown, DpadLeft, DpadRight, Count
};

// "a", "b", "x", "y", "back", "start", "leftshoulder", "rightshoulder",
// "dpup", "dpdown", "dpleft", "dpright" (any case); false for other names.
bool padButtonFromName(const std::string& name, PadButton& button);

// The virtual key a pad button sends: the d-pad sends the arrows, the
// others keys of their own (vk::PadA ...).
int padButtonKey(PadButton button);

class PadInput {
public:
  // The stick counts as pushed beyond kPushed and as let go below
  // kReleased (so a stick resting near the edge does not chatter).
  static constexpr int kPushed = 16000;
  static constexpr int kReleased = 10000;
  // A held direction repeats as a held key does.
  static constexpr uint32_t kFirstRepeatMs = 400;
  static constexpr uint32_t kRepeatMs = 120;

  // Pads are told apart by `pad`, any number the caller keeps unique. The
  // first pad that presses a button drives; the others are ignored until
  // it is gone. Each call appends the key messages it gives to `out`.
  void button(int pad, PadButton button, bool down, uint32_t now, std::vector<WindowEvent>& out);
  // The left stick: axis 0 across (negative left), 1 down (negative up),
  // -32768..32767.
  void stick(int pad, int axis, int value, uint32_t now, std::vector<WindowEvent>& out);
  // A pad was unplugged: what it held is let go.
  void removed(int pad, std::vector<WindowEvent>& out);
  // Repeats of the held direction that are due.
  void repeat(uint32_t now, std::vector<WindowEvent>& out);
  // Milliseconds until the next repeat is due; -1 when none will be.
  int msToRepeat(uint32_t now) const;
  int driver() const { return driver_; }

private:
  bool takes(int pad);
  void holdDirection(int key, uint32_t now, std::vector<WindowEvent>& out);
  void releaseDirection(int key, std::vector<WindowEvent>& out);
  static void emit(int key, bool down, std::vector<WindowEvent>& out);

  int driver_ = -1;
  int repeating_ = 0;  // the direction key that repeats, 0 none
  uint32_t nextRepeat_ = 0;
  int stickKey_ = 0;   // the direction the stick holds, 0 none
  int stickX_ = 0, stickY_ = 0;
  uint32_t held_ = 0;  // bit per PadButton held by the driver
};

}  // namespace zb
