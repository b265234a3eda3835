#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A tree of named values addressed by dotted key paths ("Game.Options.Level"),
// read from and written to a small nested text format:
//
//   Game = {
//   	Options = {
//   		Level=1
//   	}
//   }
//
// Values are kept raw, exactly as written (quotes and brackets included);
// the typed getters interpret them on each read.
// What one configuration text may hold. The defaults are what the game
// itself ever writes (a Gyrex save with two recordings at their bounds, a
// Tessel record at its bound) with margin; docs/DATA.md lists them.
struct OConfigLimits {
  size_t maxKeys = 1250000;
  size_t maxDepth = 8;      // sections around a value: "." in its key path
  size_t maxKeyPath = 256;  // bytes
  size_t maxValueBytes = size_t(16) << 20;
};

class OConfig {
public:
  // Key paths in unsigned byte order, a string before any longer one that
  // begins with it. This is the order of the written text.
  struct KeyLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using ValueMap = std::map<std::string, std::string, KeyLess>;

  using Limits = OConfigLimits;
  // The settings file and a family's options file: a handful of keys.
  static constexpr Limits kSmallFileLimits{256, 4, 256, 64u << 10};

  // Removes all values, then reads the text. False (and failed() set) on a
  // syntax error, the values read before it kept; a text that breaks the
  // limits is refused the same way but leaves the tree empty.
  bool parse(const std::string& text, const Limits& limits = Limits());
  // The text ends at its first zero byte; null reads as empty.
  bool parse(const char* text);

  // The text of the whole tree; clears failed().
  std::string write();

  void clearAll();

  // True when some key path begins with name + "." (the dot is not doubled).
  // False for an empty name.
  bool hasSection(const std::string& name) const;

  // The last lookup missed its key path, or the last parse met an error.
  bool failed() const { return failed_; }

  // Getters clear failed(), then return the default (setting failed()) when
  // the key path is absent.

  // "0x..." is hexadecimal; anything else reads like atol (0 without digits,
  // so a quoted value reads 0). Out-of-range numbers saturate.
  int32_t getInt(const std::string& path, int32_t def);
  // Reads like strtod (0.0 when not a number).
  double getDouble(const std::string& path, double def);
  // The quoted value without its quotes, with \n \t \0 \" \\ resolved.
  std::string getString(const std::string& path, const std::string& def = std::string());
  // As getString, cut at the first zero byte.
  std::string getCString(const std::string& path, const std::string& def = std::string());
  // The bracketed value split at runs of `separator`, each piece read like
  // atol. Empty (and failed() set) when the key path is absent.
  std::vector<int32_t> getIntArray(const std::string& path, char separator = ' ');
  // The value exactly as stored (list blocks are read through this).
  std::string getRaw(const std::string& path, const std::string& def = std::string());

  // Setters create the key path or replace its value; failed() is untouched.
  void setInt(const std::string& path, int32_t value);
  void setDouble(const std::string& path, double value);  // "%f"
  // "[" + values joined by separator + "]" ("[]" for no values).
  void setIntArray(const std::string& path, const int32_t* values, int count, char separator = ' ');
  void setIntArray(const std::string& path, const std::vector<int32_t>& values, char separator = ' ');
  // Quoted and escaped; the whole byte string is kept, zero bytes included.
  void setString(const std::string& path, const std::string& text);
  void setRaw(const std::string& path, const std::string& raw);

  bool has(const std::string& path) const { return values_.count(path) != 0; }
  const ValueMap& values() const { return values_; }

  // Loads a container file (storage/Container.h) and parses it. False when
  // the file does not load (the tree is then left empty) or does not parse.
  bool loadEncrypted(const std::string& path, const char* keyText, const Limits& limits = Limits());
  // Writes the tree into a container file; on failure `reason` (when given)
  // says why.
  bool saveEncrypted(const std::string& path, const char* keyText, std::string* reason = nullptr);

  // printf-style key path, e.g. OConfig::key("Game.Options.Skin_%d", i).
  static std::string key(const char* format, ...) __attribute__((format(printf, 1, 2)));

  // Escaping used by setString and its inverse used by getString.
  static std::string escape(const std::string& text);
  static std::string unescape(const std::string& quotedRaw);

private:
  const std::string* find(const std::string& path);

  ValueMap values_;
  bool failed_ = false;
};
