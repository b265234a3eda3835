#include "platform/SdlPads.h"

#include <SDL.h>

#include "platform/Clock.h"

namespace zb {
namespace {

// Our buttons as SDL's game controller names them.
constexpr SDL_GameControllerButton kSdlButton[int(PadButton::Count)] = {
    SDL_CONTROLLER_BUTTON_A,           SDL_CONTROLLER_BUTTON_B,          SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,           SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,   SDL_CONTROLLER_BUTTON_DPAD_LEFT,  SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};

bool ourButton(Uint8 sdl, PadButton& button) {
  for (int i = 0; i < int(PadButton::Count); ++i) {
    if (kSdlButton[i] == sdl) {
      button = PadButton(i);
      return true;
    }
  }
  return false;
}

}  // namespace

SdlPads::~SdlPads() {
  closeAll();
  if (virtualIndex_ >= 0) SDL_JoystickDetachVirtual(virtualIndex_);
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlPads::start() {
  if (started_) return true;
  // Pads are read while the window is in the background too: a player on
  // the couch may have another window focused by mistake.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  // Pads already plugged in arrive as "added" events as well.
  return started_;
}

void SdlPads::openDevice(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0 || open_.count(id)) return;
  if (SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex)) open_[id] = pad;
}

void SdlPads::closeAll() {
  for (auto& [id, pad] : open_) SDL_GameControllerClose(pad);
  open_.clear();
  virtual_ = nullptr;
}

bool SdlPads::translate(const SDL_Event& e, std::vector<WindowEvent>& out) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      openDevice(e.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto it = open_.find(e.cdevice.which);
      if (it != open_.end()) {
        if (it->second == virtual_) virtual_ = nullptr;
        SDL_GameControllerClose(it->second);
        open_.erase(it);
      }
      input_.removed(e.cdevice.which, out);
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      PadButton button;
      if (ourButton(e.cbutton.button, button))
        input_.button(e.cbutton.which, button, e.type == SDL_CONTROLLERBUTTONDOWN, nowMs(), out);
      return true;
    }
    case SDL_CONTROLLERAXISMOTION:
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
        input_.stick(e.caxis.which, e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? 0 : 1, e.caxis.value, nowMs(), out);
      return true;
    default:
      return false;
  }
}

void SdlPads::repeat(std::vector<WindowEvent>& out) { input_.repeat(nowMs(), out); }

int SdlPads::msToRepeat() const { return input_.msToRepeat(nowMs()); }

bool SdlPads::pressVirtual(PadButton button, bool down) {
  if (!start()) return false;
  if (!virtual_) {
    if (virtualIndex_ < 0) {
      SDL_VirtualJoystickDesc desc;
      SDL_zero(desc);
      desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
      desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
      desc.naxes = SDL_CONTROLLER_AXIS_MAX;
      desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
      // Every standard button and axis, in SDL's order: button i is SDL's button i.
      desc.button_mask = (1u << (SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1)) - 1;
      desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
      desc.name = "Zenbox script pad";
      virtualIndex_ = SDL_JoystickAttachVirtualEx(&desc);
      if (virtualIndex_ < 0) return false;
    }
    openDevice(virtualIndex_);
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(virtualIndex_);
    auto it = open_.find(id);
    if (it == open_.end()) return false;
    virtual_ = it->second;
  }
  SDL_Joystick* joystick = SDL_GameControllerGetJoystick(virtual_);
  if (SDL_JoystickSetVirtualButton(joystick, kSdlButton[int(button)], down ? 1 : 0) != 0) return false;
  // Sends the change now, so a press and its release both reach the queue.
  SDL_JoystickUpdate();
  return true;
}

}  // namespace zb
