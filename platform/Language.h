#pragma once
#include <functional>
#include <string>

// The player's language: texts are looked up in the "zenbox" gettext
// catalogue and handed back in Latin-1, the one byte per character the clip
// fonts and the text renderer draw. English (the text as written in the
// code) is the answer for the C locale, for an unknown language and for any
// text without a translation.

// Marks a text for the catalogue where it is stored before being looked up.
#define N_(text) text

namespace zb {

inline constexpr const char* kTextDomain = "zenbox";

// The gettext language list the desktop asks for, from LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG as gettext itself reads them: empty for the C and
// POSIX locales (and when nothing is set), which stay English.
std::string desktopLanguages(const std::function<const char*(const char*)>& getenv);

// The folder holding LANG/LC_MESSAGES/zenbox.mo: the installed one beside
// the program's folder, else the build tree's "locale" beside the program,
// else the configured prefix.
std::string localeFolder();

// Starts looking texts up in `languages` (a gettext list such as "de" or
// "fr_FR:fr"; empty: English). A language whose catalogue needs letters
// outside Latin-1 stays English as a whole. Can be called again to switch.
void startTranslations(const std::string& languages, const std::string& folder);
// Back to the English texts.
void stopTranslations();
// True while a catalogue is in use.
bool translating();

// The text in the player's language (Latin-1), or `english` unchanged.
std::string tr(const char* english);
std::string tr(const std::string& english);

// UTF-8 to Latin-1; false when a character lies beyond it or the bytes are
// not UTF-8.
bool utf8ToLatin1(const std::string& utf8, std::string& latin1);

}  // namespace zb
