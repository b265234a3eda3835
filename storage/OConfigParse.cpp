// The reader of the configuration text (OConfig::parse).
#include <cstring>

#include "storage/OConfig.h"

namespace {

using Limits = OConfig::Limits;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

class Reader {
public:
  enum class Result { ok, failed, failedKeepFlag };

  Reader(const std::string& text, OConfig::ValueMap& values, const Limits& limits)
      : p_(text.data()), n_(text.size()), values_(values), limits_(limits), budget_(8 * text.size() + 65536) {}

  // The text broke one of the limits (the values read are then worthless).
  bool overLimit() const { return overLimit_; }

  Result run() {
    for (;;) {
      skip();
      if (pos_ >= n_) return Result::ok;
      std::string name = readName();
      if (name == "}") {
        if (!closeSection()) return Result::failed;
        continue;
      }
      // A name that ends the text: incomplete, but failed() is kept. White
      // space or a comment after it makes it a name without "=" instead.
      if (pos_ >= n_) return Result::failedKeepFlag;
      skip();
      if (pos_ >= n_ || p_[pos_] != '=') return Result::failed;
      ++pos_;
      skip();
      if (pos_ >= n_) return Result::failed;
      Result r = p_[pos_] == '{' ? readBlock(name) : store(name, readValue());
      if (r != Result::ok) return r;
    }
  }

private:
  // White space and "//" comments up to the end of their line.
  void skip() {
    while (pos_ < n_) {
      if (isSpace(p_[pos_])) {
        ++pos_;
      } else if (p_[pos_] == '/' && pos_ + 1 < n_ && p_[pos_ + 1] == '/') {
        skipLine();
      } else {
        break;
      }
    }
  }

  void skipLine() {
    const void* nl = std::memchr(p_ + pos_, '\n', n_ - pos_);
    pos_ = nl ? size_t(static_cast<const char*>(nl) - p_) : n_;
  }

  std::string readName() {
    if (p_[pos_] == '}') return std::string(1, p_[pos_++]);
    size_t start = pos_;
    while (pos_ < n_ && !isSpace(p_[pos_]) && p_[pos_] != '=') ++pos_;
    return std::string(p_ + start, pos_ - start);
  }

  // Drops the last component of the prefix ("Game.Options." -> "Game.").
  bool closeSection() {
    if (prefix_.empty()) return false;
    // The prefix ends in "."; look for the dot before that one.
    size_t dot = prefix_.size() < 2 ? std::string::npos : prefix_.rfind('.', prefix_.size() - 2);
    if (dot == std::string::npos)
      prefix_.clear();
    else
      prefix_.resize(dot + 1);
    prefixDepth_ = depthOf(prefix_);
    return true;
  }

  std::string readValue() {
    const char c = p_[pos_];
    if (c == '[') {
      const void* close = std::memchr(p_ + pos_, ']', n_ - pos_);
      // An open bracket runs to the end of the text and is closed there.
      if (!close) return takeRest() + "]";
      return take(size_t(static_cast<const char*>(close) - p_) + 1);
    }
    if (c == '"') {
      size_t backslashes = 0;
      for (size_t i = pos_ + 1; i < n_; ++i) {
        if (p_[i] == '\\') {
          ++backslashes;
          continue;
        }
        if (p_[i] == '"' && backslashes % 2 == 0) return take(i + 1);
        backslashes = 0;
      }
      return takeRest() + "\"";
    }
    size_t end = pos_;
    while (end < n_ && !isSpace(p_[end]) && p_[end] != '}') ++end;
    return take(end);
  }

  std::string take(size_t end) {
    std::string s(p_ + pos_, end - pos_);
    pos_ = end;
    return s;
  }

  std::string takeRest() { return take(n_); }

  // After "name =": either "{" followed by a list block or a section.
  Result readBlock(const std::string& name) {
    ++pos_;
    skip();
    if (pos_ >= n_) return Result::failed;
    if (p_[pos_] == '[') return readListBlock(name);
    if (!withinLimits(name, 1, 0)) return Result::failed;
    prefixDepth_ += depthOf(name) + 1;
    prefix_ += name;
    prefix_ += '.';
    return Result::ok;
  }

  // Keeps the bracketed groups up to the first "}" outside brackets.
  Result readListBlock(const std::string& name) {
    std::string raw = "{";
    bool inBracket = false;
    while (pos_ < n_) {
      const char c = p_[pos_];
      if (inBracket) {
        raw += c;
        inBracket = c != ']';
      } else if (c == '}') {
        break;
      } else if (c == '[') {
        raw += c;
        inBracket = true;
      } else if (c == '/' && pos_ + 1 < n_ && p_[pos_ + 1] == '/') {
        skipLine();
        continue;
      }
      ++pos_;
    }
    if (pos_ >= n_) return Result::failed;
    ++pos_;
    Result r = store(name, raw + "}");
    // The block must be followed by at least one more byte.
    if (r == Result::ok && pos_ >= n_) return Result::failed;
    return r;
  }

  Result store(const std::string& name, std::string raw) {
    const size_t length = prefix_.size() + name.size();
    if (!withinLimits(name, 0, raw.size())) return Result::failed;
    // Bounds the total work and memory of key paths to the text's length.
    if (length > budget_) return Result::failed;
    budget_ -= length;
    std::string& slot = values_[prefix_ + name];
    slot = std::move(raw);
    if (values_.size() > limits_.maxKeys) {
      overLimit_ = true;
      return Result::failed;
    }
    return Result::ok;
  }

  // Sections a name opens ("Options.Level" names one inside another).
  static size_t depthOf(const std::string& name) {
    size_t dots = 0;
    for (char c : name) dots += c == '.';
    return dots;
  }

  // The key path prefix + name (plus `extra` characters), its section depth
  // and a value of `valueSize` bytes keep to the limits.
  bool withinLimits(const std::string& name, size_t extra, size_t valueSize) {
    const bool ok = prefix_.size() + name.size() + extra <= limits_.maxKeyPath &&
                    prefixDepth_ + depthOf(name) + extra <= limits_.maxDepth && valueSize <= limits_.maxValueBytes;
    if (!ok) overLimit_ = true;
    return ok;
  }

  const char* p_;
  size_t n_;
  size_t pos_ = 0;
  OConfig::ValueMap& values_;
  const Limits& limits_;
  std::string prefix_;
  size_t prefixDepth_ = 0;  // sections the prefix opens
  size_t budget_;
  bool overLimit_ = false;
};

}  // namespace

bool OConfig::parse(const std::string& text, const Limits& limits) {
  values_.clear();
  Reader reader(text, values_, limits);
  switch (reader.run()) {
    case Reader::Result::ok: failed_ = false; return true;
    case Reader::Result::failed:
      failed_ = true;
      // No file the game writes comes near the limits: what such a text
      // holds is no saved state worth keeping, nor rewriting.
      if (reader.overLimit()) values_.clear();
      return false;
    case Reader::Result::failedKeepFlag: return false;
  }
  return false;
}
