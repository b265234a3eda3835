#pragma once
#include <string>
#include <vector>

// Scripted input: a small text format of timed steps that drives the game
// as a person would (README, "Scripted runs").
namespace zb {

struct ScriptStep {
  enum Kind { Wait, Move, Press, Release, Click, KeyDown, KeyUp, Key, Type, Shot, Quit };
  Kind kind = Wait;
  int line = 0;
  int ms = 0;            // Wait
  int x = 0, y = 0;      // pointer steps
  bool right = false;    // pointer steps: right button instead of left
  int key = 0;           // key steps: virtual key
  int mods = 0;          // key steps: modifiers written before the key ("Ctrl+V")
  std::string text;      // Type: Latin-1 text; Shot: file name
};

// Parses a whole script. Blank lines and lines starting with '#' are
// skipped. On the first bad line returns false with "line N: reason".
bool parseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);

}  // namespace zb
