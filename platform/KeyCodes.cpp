#include "platform/KeyCodes.h"

#include <strings.h>

#include <cstdlib>

namespace zb {
namespace {

struct NamedKey {
  const char* name;
  int code;
};

const NamedKey kNamedKeys[] = {
    {"Backspace", vk::Backspace}, {"Tab", vk::Tab},       {"Enter", vk::Enter},
    {"Return", vk::Enter},        {"Shift", vk::Shift},   {"Ctrl", vk::Control},
    {"Control", vk::Control},     {"Alt", vk::Alt},       {"Pause", vk::Pause},
    {"Escape", vk::Escape},       {"Esc", vk::Escape},    {"Space", vk::Space},
    {"PageUp", vk::PageUp},       {"PageDown", vk::PageDown}, {"End", vk::End},
    {"Home", vk::Home},           {"Left", vk::Left},     {"Up", vk::Up},
    {"Right", vk::Right},         {"Down", vk::Down},     {"Insert", vk::Insert},
    {"Delete", vk::Delete},
    {"Plus", vk::OemPlus},        {"Minus", vk::OemMinus}, {"NumPlus", vk::Add},
    {"NumMinus", vk::Subtract},
};

// Decodes one UTF-8 sequence at text[i]; returns the code point and advances
// i, or returns -1 (and advances one byte) for a malformed sequence.
long decodeUtf8(const std::string& text, size_t& i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || i + extra >= text.size()) {
    ++i;
    return -1;
  }
  long cp = c & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char cc = static_cast<unsigned char>(text[i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return -1;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += extra + 1;
  return cp;
}

}  // namespace

int vkFromName(const std::string& name) {
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') return vk::LetterA + (c - 'a');
    if (c >= 'A' && c <= 'Z') return vk::LetterA + (c - 'A');
    if (c >= '0' && c <= '9') return vk::Digit0 + (c - '0');
  }
  for (const NamedKey& k : kNamedKeys)
    if (strcasecmp(k.name, name.c_str()) == 0) return k.code;
  if (name.size() == 4 && strncasecmp(name.c_str(), "Num", 3) == 0 && name[3] >= '0' && name[3] <= '9')
    return vk::Numpad0 + (name[3] - '0');
  if ((name.size() == 2 || name.size() == 3) && (name[0] == 'F' || name[0] == 'f')) {
    int n = std::atoi(name.c_str() + 1);
    if (n >= 1 && n <= 12 && name.find_first_not_of("0123456789", 1) == std::string::npos) return vk::F1 + n - 1;
  }
  return 0;
}

void translateKey(int key, int mods, bool down, std::vector<WindowEvent>& out) {
  bool systemKey = (mods & ModAlt) && !(mods & ModCtrl);
  if (systemKey && key != vk::Alt) {
    if (down && key == vk::F4) {
      WindowEvent close;
      close.kind = WindowEvent::CloseRequest;
      out.push_back(close);
    }
    return;
  }
  if (key == 0) return;
  WindowEvent ev;
  ev.kind = down ? WindowEvent::KeyDown : WindowEvent::KeyUp;
  ev.key = key;
  ev.mods = mods;
  out.push_back(ev);
  // Text input does not report these keys, but the game expects their characters.
  if (down && (key == vk::Backspace || key == vk::Tab || key == vk::Enter)) {
    WindowEvent ch;
    ch.kind = WindowEvent::Char;
    ch.ch = static_cast<unsigned char>(key);
    ch.mods = mods;
    out.push_back(ch);
  }
}

std::string toLatin1(const std::string& utf8) {
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t start = i;
    long cp = decodeUtf8(utf8, i);
    if (cp < 0)
      out += utf8[start];
    else
      out += cp < 256 ? static_cast<char>(cp) : '?';
  }
  return out;
}

std::string fromLatin1(const std::string& latin1) {
  std::string out;
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool arrowStep(int key, int& dx, int& dy) {
  dx = key == vk::Left ? -1 : key == vk::Right ? 1 : 0;
  dy = key == vk::Up ? -1 : key == vk::Down ? 1 : 0;
  return dx != 0 || dy != 0;
}

}  // namespace zb
