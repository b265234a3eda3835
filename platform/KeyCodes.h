#pragma once
#include <string>
#include <vector>

#include "platform/WindowEvent.h"

// Virtual-key numbers as the game code sees them (the classic desktop
// numbering), and the modifier mask that travels with key messages.
namespace zb {

namespace vk {
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Alt = 18;
constexpr int Pause = 19;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Digit0 = 48;  // '0'..'9' are 48..57
constexpr int LetterA = 65; // 'A'..'Z' are 65..90
constexpr int Numpad0 = 96; // numeric pad 0..9 are 96..105
constexpr int F1 = 112;     // F1..F12 are 112..123
constexpr int F3 = 114;
constexpr int F4 = 115;
constexpr int Add = 107;        // numeric pad +
constexpr int Subtract = 109;   // numeric pad -
// Gamepad buttons other than the d-pad (which sends the arrows), in a
// range no keyboard key uses.
constexpr int PadA = 0x88;
constexpr int PadB = 0x89;
constexpr int PadX = 0x8A;
constexpr int PadY = 0x8B;
constexpr int PadBack = 0x8C;
constexpr int PadStart = 0x8D;
constexpr int PadLeftShoulder = 0x8E;
constexpr int PadRightShoulder = 0x8F;
constexpr int OemPlus = 187;    // the = + key
constexpr int OemMinus = 189;   // the - _ key
}  // namespace vk

// The step of an arrow key: dx, dy of -1, 0 or 1; false for other keys.
bool arrowStep(int key, int& dx, int& dy);

// Whether a virtual key is one of the gamepad's own (vk::PadA ...).
inline bool isPadKey(int key) { return key >= vk::PadA && key <= vk::PadRightShoulder; }

// Modifier mask bits.
constexpr int ModShift = 1;
constexpr int ModCtrl = 2;
constexpr int ModAlt = 4;

// The virtual key for a script key name ("A", "7", "Enter", "F4", "Num0",
// "Plus", case-insensitive); 0 when the name is unknown.
int vkFromName(const std::string& name);

// The virtual key for an SDL key name as SDL spells it ("Backspace",
// "Keypad 0", "F4"); 0 for keys the game does not know. Lets tests check
// the SDL translation table without touching SDL themselves.
int vkFromSdlKeyName(const std::string& sdlName);

// The events one key press or release of virtual key `key` gives. With Alt
// held (without Ctrl, which makes it AltGr) keys are system keys: only Alt
// itself is reported, and Alt+F4 asks the window to close. Backspace, Tab
// and Enter also type their character. Key 0 (unknown) gives nothing.
void translateKey(int key, int mods, bool down, std::vector<WindowEvent>& out);

// One byte per character: the UTF-8 text reduced to Latin-1, other
// characters becoming '?'. Malformed bytes are taken as Latin-1 as they are.
std::string toLatin1(const std::string& utf8);
// The other way: one byte per character to UTF-8.
std::string fromLatin1(const std::string& latin1);

}  // namespace zb
