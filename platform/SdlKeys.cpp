#include "platform/SdlKeys.h"

#include <SDL.h>

#include "platform/KeyCodes.h"

namespace zb {

int vkFromSdlKey(int32_t key) {
  if (key >= SDLK_a && key <= SDLK_z) return vk::LetterA + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return vk::Digit0 + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return vk::F1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return vk::Numpad0 + 1 + (key - SDLK_KP_1);
  switch (key) {
    case SDLK_BACKSPACE: return vk::Backspace;
    case SDLK_TAB: return vk::Tab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return vk::Enter;
    case SDLK_PAUSE: return vk::Pause;
    case SDLK_ESCAPE: return vk::Escape;
    case SDLK_SPACE: return vk::Space;
    case SDLK_PAGEUP: return vk::PageUp;
    case SDLK_PAGEDOWN: return vk::PageDown;
    case SDLK_END: return vk::End;
    case SDLK_HOME: return vk::Home;
    case SDLK_LEFT: return vk::Left;
    case SDLK_UP: return vk::Up;
    case SDLK_RIGHT: return vk::Right;
    case SDLK_DOWN: return vk::Down;
    case SDLK_INSERT: return vk::Insert;
    case SDLK_DELETE: return vk::Delete;
    case SDLK_KP_0: return vk::Numpad0;
    case SDLK_EQUALS:
    case SDLK_PLUS: return vk::OemPlus;
    case SDLK_MINUS: return vk::OemMinus;
    case SDLK_KP_PLUS: return vk::Add;
    case SDLK_KP_MINUS: return vk::Subtract;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return vk::Shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return vk::Control;
    case SDLK_LALT:
    case SDLK_RALT: return vk::Alt;
    default: return 0;
  }
}

int32_t sdlKeyFromName(const std::string& name) {
  SDL_Keycode key = SDL_GetKeyFromName(name.c_str());
  return key == SDLK_UNKNOWN ? 0 : key;
}

void translateSdlKey(int32_t sdlKeycode, int mods, bool down, std::vector<WindowEvent>& out) {
  translateKey(vkFromSdlKey(sdlKeycode), mods, down, out);
}

int vkFromSdlKeyName(const std::string& sdlName) {
  SDL_Keycode key = SDL_GetKeyFromName(sdlName.c_str());
  return key == SDLK_UNKNOWN ? 0 : vkFromSdlKey(key);
}

}  // namespace zb
