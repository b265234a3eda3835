#include "platform/Language.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <system_error>

// Bumped to make gettext forget the answers it cached for another language.
extern "C" int _nl_msg_cat_cntr;

namespace zb {
namespace {

bool active = false;

bool isDirectory(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_directory(p, ec);
}

// Texts every catalogue translates: when one of them needs letters beyond
// Latin-1, the language cannot be drawn and stays English throughout
// rather than mixing the two on one screen.
constexpr const char* kProbes[] = {"Pick game", "Play!", "Options", "Menu", "Game over!", "Top 10", "Help"};

}  // namespace

std::string desktopLanguages(const std::function<const char*(const char*)>& getenv) {
  auto value = [&](const char* name) {
    const char* v = getenv(name);
    return std::string(v ? v : "");
  };
  std::string locale = value("LC_ALL");
  if (locale.empty()) locale = value("LC_MESSAGES");
  if (locale.empty()) locale = value("LANG");
  // gettext keeps the C locale's texts whatever LANGUAGE says.
  if (locale.empty() || locale == "C" || locale == "POSIX") return {};
  const std::string list = value("LANGUAGE");
  if (!list.empty()) return list;
  if (locale.rfind("C.", 0) == 0) return {};
  return locale;
}

std::string localeFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const std::filesystem::path bin = exe.parent_path();
    if (isDirectory(bin / "locale")) return (bin / "locale").string();
    const std::filesystem::path installed = (bin / ZB_LOCALE_FROM_BIN).lexically_normal();
    if (isDirectory(installed)) return installed.string();
  }
  return ZB_INSTALLED_LOCALE;
}

void startTranslations(const std::string& languages, const std::string& folder) {
  stopTranslations();
  if (languages.empty()) return;
  // gettext ignores LANGUAGE in the plain C locale; the UTF-8 one is built
  // into the C library, so no locale of the language has to be installed.
  // Only the messages category changes: numbers in saved files keep their
  // C spelling.
  if (!std::setlocale(LC_MESSAGES, "C.UTF-8") && !std::setlocale(LC_MESSAGES, "C.utf8")) return;
  ::setenv("LANGUAGE", languages.c_str(), 1);
  ::bindtextdomain(kTextDomain, folder.c_str());
  ::bind_textdomain_codeset(kTextDomain, "UTF-8");
  ++_nl_msg_cat_cntr;
  active = true;
  std::string unused;
  for (const char* probe : kProbes) {
    const char* found = ::dgettext(kTextDomain, probe);
    if (found != probe && !utf8ToLatin1(found, unused)) {
      stopTranslations();
      return;
    }
  }
}

void stopTranslations() {
  if (!active) return;
  active = false;
  std::setlocale(LC_MESSAGES, "C");
  ++_nl_msg_cat_cntr;
}

bool translating() { return active; }

std::string tr(const char* english) {
  if (!active || !english || !*english) return english ? english : "";
  std::string out;
  if (!utf8ToLatin1(::dgettext(kTextDomain, english), out)) return english;
  return out;
}

std::string tr(const std::string& english) { return tr(english.c_str()); }

bool utf8ToLatin1(const std::string& utf8, std::string& latin1) {
  latin1.clear();
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      latin1 += char(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
      latin1 += char(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace zb
