#include "storage/OConfig.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "storage/Container.h"
#include "storage/NumberText.h"

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The raw value without its first and last characters (quotes, brackets).
std::string inner(const std::string& raw) { return raw.size() < 2 ? std::string() : raw.substr(1, raw.size() - 2); }

std::vector<std::string> splitPath(const std::string& key) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t dot = key.find('.', start);
    if (dot == std::string::npos) break;
    parts.push_back(key.substr(start, dot - start));
    start = dot + 1;
  }
  parts.push_back(key.substr(start));
  return parts;
}

}  // namespace

bool OConfig::KeyLess::operator()(const std::string& a, const std::string& b) const {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  int c = n ? std::memcmp(a.data(), b.data(), n) : 0;  // memcmp compares unsigned bytes
  return c < 0 || (c == 0 && a.size() < b.size());
}

bool OConfig::parse(const char* text) { return parse(std::string(text ? text : "")); }

std::string OConfig::write() {
  failed_ = false;
  std::string out;
  std::vector<std::string> open;  // sections of the previous key path
  auto closeTo = [&](size_t depth) {
    while (open.size() > depth) {
      out.append(open.size() - 1, '\t');
      out += "}\n";
      open.pop_back();
    }
  };
  for (const auto& [path, raw] : values_) {
    std::vector<std::string> parts = splitPath(path);
    const size_t sections = parts.size() - 1;
    size_t shared = 0;
    while (shared < sections && shared < open.size() && open[shared] == parts[shared]) ++shared;
    closeTo(shared);
    for (size_t d = shared; d < sections; ++d) {
      out.append(d, '\t');
      out += parts[d] + " = {\n";
      open.push_back(parts[d]);
    }
    out.append(sections, '\t');
    out += parts.back() + "=" + raw + "\n";
  }
  closeTo(0);
  return out;
}

void OConfig::clearAll() { values_.clear(); }

bool OConfig::hasSection(const std::string& name) const {
  if (name.empty()) return false;
  std::string prefix = name.back() == '.' ? name : name + ".";
  auto it = values_.lower_bound(prefix);
  return it != values_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

const std::string* OConfig::find(const std::string& path) {
  failed_ = false;
  auto it = values_.find(path);
  if (it == values_.end()) {
    failed_ = true;
    return nullptr;
  }
  return &it->second;
}

int32_t OConfig::getInt(const std::string& path, int32_t def) {
  const std::string* raw = find(path);
  if (!raw) return def;
  if (raw->size() >= 2 && (*raw)[0] == '0' && (*raw)[1] == 'x') {
    uint64_t v = 0;
    size_t i = 2;
    for (; i < raw->size() && hexDigit((*raw)[i]) >= 0; ++i) {
      v = v * 16 + uint64_t(hexDigit((*raw)[i]));
      if (v > 0xFFFFFFFFu) v = 0xFFFFFFFFu;
    }
    return i == 2 ? def : int32_t(uint32_t(v));
  }
  return zb::readAtol(*raw);
}

double OConfig::getDouble(const std::string& path, double def) {
  const std::string* raw = find(path);
  if (!raw) return def;
  return std::strtod(raw->c_str(), nullptr);
}

std::string OConfig::getString(const std::string& path, const std::string& def) {
  const std::string* raw = find(path);
  return raw ? unescape(*raw) : def;
}

std::string OConfig::getCString(const std::string& path, const std::string& def) {
  std::string s = getString(path, def);
  size_t zero = s.find('\0');
  if (zero != std::string::npos) s.resize(zero);
  return s;
}

std::vector<int32_t> OConfig::getIntArray(const std::string& path, char separator) {
  std::vector<int32_t> out;
  const std::string* raw = find(path);
  if (!raw) return out;
  const std::string body = inner(*raw);
  size_t i = 0;
  while (i < body.size()) {
    while (i < body.size() && body[i] == separator) ++i;
    if (i >= body.size()) break;
    size_t start = i;
    while (i < body.size() && body[i] != separator) ++i;
    out.push_back(zb::readAtol(std::string_view(body).substr(start, i - start)));
  }
  return out;
}

std::string OConfig::getRaw(const std::string& path, const std::string& def) {
  const std::string* raw = find(path);
  return raw ? *raw : def;
}

void OConfig::setInt(const std::string& path, int32_t value) { values_[path] = std::to_string(value); }

void OConfig::setDouble(const std::string& path, double value) {
  int n = std::snprintf(nullptr, 0, "%f", value);
  std::string s(size_t(n > 0 ? n : 0) + 1, '\0');
  std::snprintf(s.data(), s.size(), "%f", value);
  s.resize(s.size() - 1);
  values_[path] = s;
}

void OConfig::setIntArray(const std::string& path, const int32_t* values, int count, char separator) {
  std::string s = "[";
  for (int i = 0; i < count; ++i) {
    if (i) s += separator;
    s += std::to_string(values[i]);
  }
  values_[path] = s + "]";
}

void OConfig::setIntArray(const std::string& path, const std::vector<int32_t>& values, char separator) {
  setIntArray(path, values.data(), int(values.size()), separator);
}

void OConfig::setString(const std::string& path, const std::string& text) {
  values_[path] = "\"" + escape(text) + "\"";
}

void OConfig::setRaw(const std::string& path, const std::string& raw) { values_[path] = raw; }

bool OConfig::loadEncrypted(const std::string& path, const char* keyText, const Limits& limits) {
  std::string text;
  if (!LoadEncryptedText(path, text, keyText)) {
    parse(std::string());
    return false;
  }
  return parse(text, limits);
}

bool OConfig::saveEncrypted(const std::string& path, const char* keyText, std::string* reason) {
  return SaveEncryptedText(path, write(), keyText, reason);
}

std::string OConfig::key(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string s(size_t(n > 0 ? n : 0) + 1, '\0');
  std::vsnprintf(s.data(), s.size(), format, again);
  va_end(again);
  s.resize(s.size() - 1);
  return s;
}

std::string OConfig::escape(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\0': out += "\\0"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

std::string OConfig::unescape(const std::string& quotedRaw) {
  const std::string body = inner(quotedRaw);
  std::string out;
  out.reserve(body.size());
  for (size_t i = 0; i < body.size(); ++i) {
    char c = body[i];
    if (c != '\\' || i + 1 >= body.size()) {
      out += c;
      continue;
    }
    switch (body[i + 1]) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '0': out += '\0'; break;
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      default: out += '\\'; continue;  // kept; the next character reads normally
    }
    ++i;
  }
  return out;
}
