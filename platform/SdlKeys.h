#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowEvent.h"

namespace zb {

// The virtual key for an SDL key code; 0 for keys the game does not know.
int vkFromSdlKey(int32_t sdlKeycode);

// SDL's key code for a key name as SDL spells it ("F4", "Return"); 0 when unknown.
int32_t sdlKeyFromName(const std::string& name);

// The events one SDL key press or release gives, with the modifier mask
// already in our bits. With Alt held (without Ctrl, which makes it AltGr)
// keys are system keys: only Alt itself is reported, and Alt+F4 asks the
// window to close. Backspace, Tab and Enter also type their character.
void translateSdlKey(int32_t sdlKeycode, int mods, bool down, std::vector<WindowEvent>& out);

}  // namespace zb
