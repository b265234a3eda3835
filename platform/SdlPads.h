#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/PadInput.h"
#include "platform/WindowEvent.h"

union SDL_Event;
struct _SDL_GameController;

namespace zb {

// The gamepads through SDL's game controller layer: plugged in and out at
// any time, any number, read with the controller database SDL ships. Their
// buttons and left stick become key messages by PadInput's rules. A
// virtual pad, made on first use, lets scripts press buttons through the
// same path.
class SdlPads {
public:
  SdlPads() = default;
  SdlPads(const SdlPads&) = delete;
  SdlPads& operator=(const SdlPads&) = delete;
  ~SdlPads();

  // Starts SDL's game controller layer; false when it cannot run (the game
  // is then played without pads).
  bool start();
  // Takes a controller event (device added or removed, button, axis);
  // false for any other event.
  bool translate(const SDL_Event& e, std::vector<WindowEvent>& out);
  // Repeats of a held direction that are due.
  void repeat(std::vector<WindowEvent>& out);
  // Milliseconds until the next repeat; -1 when none is held.
  int msToRepeat() const;
  // Any controller open (SDL must then be polled, not waited on).
  bool any() const { return !open_.empty(); }
  // Presses or releases a button of the virtual pad; false when no virtual
  // pad could be made.
  bool pressVirtual(PadButton button, bool down);

private:
  void openDevice(int deviceIndex);
  void closeAll();

  bool started_ = false;
  std::map<int32_t, _SDL_GameController*> open_;  // by joystick instance
  int virtualIndex_ = -1;
  _SDL_GameController* virtual_ = nullptr;
  PadInput input_;
};

}  // namespace zb
