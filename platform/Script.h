#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Scripted input: a small text format of timed steps that drives the game
// as a person would (README, "Scripted runs").
namespace zb {

struct ScriptStep {
  enum Kind { Wait, Move, Press, Release, Click, KeyDown, KeyUp, Key, Type, Shot, Quit, Pad };
  Kind kind = Wait;
  int line = 0;
  int ms = 0;            // Wait
  int x = 0, y = 0;      // pointer steps
  bool right = false;    // pointer steps: right button instead of left
  int key = 0;           // key steps: virtual key; Pad: the PadButton
  int mods = 0;          // key steps: modifiers written before the key ("Ctrl+V")
  std::string text;      // Type: Latin-1 text; Shot: file name
};

// Scripts are written by hand; anything larger is not one.
constexpr size_t kMaxScriptBytes = 4 * 1024 * 1024;
constexpr size_t kMaxScriptLineBytes = 4096;
// The most steps "repeat" blocks may expand to.
constexpr size_t kMaxScriptSteps = 1000000;

// Parses a whole script. Blank lines and lines starting with '#' are
// skipped; "repeat N" ... "end" blocks (nesting allowed) are written out.
// On the first bad line (or one longer than kMaxScriptLineBytes) returns
// false with "line N: reason"; a text over kMaxScriptBytes is refused whole.
bool parseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);

// Reads and parses the script file at `path` (used as it is written).
// False with a reason when it cannot be read, is a folder, or holds more
// than kMaxScriptBytes (read no further, so an endless device is refused too).
bool loadScriptFile(const std::string& path, std::vector<ScriptStep>& steps, std::string& error);

}  // namespace zb
