#include "platform/Script.h"

#include <sys/stat.h>

#include <cstdio>
#include <sstream>

#include "platform/KeyCodes.h"
#include "platform/PadInput.h"

namespace zb {
namespace {

bool readInt(std::istringstream& in, int& value, int lo, int hi) {
  long long v;
  if (!(in >> v) || v < lo || v > hi) return false;
  value = static_cast<int>(v);
  return true;
}

// "left" (default) or "right"; anything else is an error.
bool readButton(std::istringstream& in, bool& right) {
  std::string word;
  right = false;
  if (!(in >> word)) return true;
  if (word == "left") return true;
  if (word == "right") {
    right = true;
    return true;
  }
  return false;
}

// A key name with optional modifier prefixes: "F4", "Ctrl+V", "Shift+Insert".
bool readKey(std::istringstream& in, int& key, int& mods) {
  std::string name;
  if (!(in >> name)) return false;
  mods = 0;
  size_t plus;
  while ((plus = name.find('+')) != std::string::npos && plus + 1 < name.size()) {
    int mod = vkFromName(name.substr(0, plus));
    if (mod == vk::Shift) mods |= ModShift;
    else if (mod == vk::Control) mods |= ModCtrl;
    else if (mod == vk::Alt) mods |= ModAlt;
    else return false;
    name = name.substr(plus + 1);
  }
  key = vkFromName(name);
  return key != 0;
}

bool atEnd(std::istringstream& in) {
  std::string rest;
  return !(in >> rest);
}

bool fail(std::string& why, const std::string& reason) {
  why = reason;
  return false;
}

bool parseLine(const std::string& line, ScriptStep& step, std::string& why) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  const int kMaxCoord = 65535;
  if (word == "wait") {
    step.kind = ScriptStep::Wait;
    if (!readInt(in, step.ms, 0, 3600 * 1000)) return fail(why, "wait needs milliseconds (0 to 3600000)");
  } else if (word == "move" || word == "press" || word == "release" || word == "click") {
    step.kind = word == "move" ? ScriptStep::Move : word == "press" ? ScriptStep::Press
              : word == "release" ? ScriptStep::Release : ScriptStep::Click;
    if (!readInt(in, step.x, 0, kMaxCoord) || !readInt(in, step.y, 0, kMaxCoord))
      return fail(why, word + " needs X and Y");
    if (step.kind != ScriptStep::Move && !readButton(in, step.right)) return fail(why, "button must be left or right");
  } else if (word == "keydown" || word == "keyup" || word == "key") {
    step.kind = word == "keydown" ? ScriptStep::KeyDown : word == "keyup" ? ScriptStep::KeyUp : ScriptStep::Key;
    if (!readKey(in, step.key, step.mods)) return fail(why, "unknown key name");
  } else if (word == "type") {
    step.kind = ScriptStep::Type;
    size_t start = line.find("type") + 4;
    if (start < line.size() && line[start] == ' ') ++start;
    step.text = toLatin1(line.substr(start));
    return true;
  } else if (word == "shot") {
    step.kind = ScriptStep::Shot;
    if (!(in >> step.text)) return fail(why, "shot needs a file name");
  } else if (word == "pad") {
    step.kind = ScriptStep::Pad;
    std::string name;
    PadButton button;
    if (!(in >> name) || !padButtonFromName(name, button))
      return fail(why, "pad needs a button: a, b, x, y, start, back, dpup, dpdown, dpleft, dpright, "
                       "leftshoulder or rightshoulder");
    step.key = int(button);
  } else if (word == "quit") {
    step.kind = ScriptStep::Quit;
  } else {
    return fail(why, "unknown step '" + word + "'");
  }
  if (!atEnd(in)) return fail(why, "unexpected text after the step");
  return true;
}

// An open "repeat N" block: where its steps begin.
struct RepeatBlock {
  size_t firstStep;
  int times;
  int line;
};

// "repeat N" opens a block, "end" closes the innermost one, which is then
// written out N times. True when the line was one of these (why set on an
// error in it); false for any other step.
bool blockLine(const std::string& line, int number, std::vector<ScriptStep>& steps, std::vector<RepeatBlock>& blocks,
               std::string& why) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  if (word == "repeat") {
    int times = 0;
    if (!readInt(in, times, 1, 100000) || !atEnd(in)) {
      fail(why, "repeat needs a count (1 to 100000)");
    } else {
      blocks.push_back({steps.size(), times, number});
    }
    return true;
  }
  if (word != "end") return false;
  if (!atEnd(in)) {
    fail(why, "unexpected text after the step");
  } else if (blocks.empty()) {
    fail(why, "end without repeat");
  } else {
    RepeatBlock block = blocks.back();
    blocks.pop_back();
    std::vector<ScriptStep> body(steps.begin() + long(block.firstStep), steps.end());
    // Scripts stay small however they nest.
    if (steps.size() + body.size() * size_t(block.times - 1) > kMaxScriptSteps) {
      fail(why, "the repeats make too many steps");
    } else {
      for (int n = 1; n < block.times; ++n) steps.insert(steps.end(), body.begin(), body.end());
    }
  }
  return true;
}

}  // namespace

bool parseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error) {
  steps.clear();
  if (text.size() > kMaxScriptBytes) {
    error = "script is larger than " + std::to_string(kMaxScriptBytes) + " bytes";
    return false;
  }
  std::istringstream in(text);
  std::string line;
  int number = 0;
  std::vector<RepeatBlock> blocks;
  while (std::getline(in, line)) {
    ++number;
    if (line.size() > kMaxScriptLineBytes) {
      error = "line " + std::to_string(number) + ": longer than " + std::to_string(kMaxScriptLineBytes) + " characters";
      steps.clear();
      return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::string why;
    if (!blockLine(line.substr(first), number, steps, blocks, why)) {
      ScriptStep step;
      step.line = number;
      if (parseLine(line.substr(first), step, why)) {
        steps.push_back(step);
        continue;
      }
    }
    if (why.empty()) continue;
    error = "line " + std::to_string(number) + ": " + why;
    steps.clear();
    return false;
  }
  if (!blocks.empty()) {
    error = "line " + std::to_string(blocks.back().line) + ": repeat without end";
    steps.clear();
    return false;
  }
  return true;
}

bool loadScriptFile(const std::string& path, std::vector<ScriptStep>& steps, std::string& error) {
  steps.clear();
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    error = "is a folder, not a script";
    return false;
  }
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = "cannot read the script";
    return false;
  }
  std::string text;
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    text.append(chunk, got);
    if (text.size() > kMaxScriptBytes) break;
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    error = "cannot read the script";
    return false;
  }
  return parseScript(text, steps, error);
}

}  // namespace zb
