#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Language.h"

namespace {

// The msgids of a gettext template, unescaped (the header left out).
std::vector<std::string> templateTexts(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> out;
  std::string line, current;
  bool inId = false;
  auto unquote = [](const std::string& s) {
    std::string text;
    size_t a = s.find('"'), b = s.rfind('"');
    for (size_t i = a + 1; i < b; ++i) {
      if (s[i] != '\\') {
        text += s[i];
        continue;
      }
      char e = s[++i];
      text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
    }
    return text;
  };
  auto flush = [&]() {
    if (inId && !current.empty()) out.push_back(current);
    inId = false;
    current.clear();
  };
  while (std::getline(in, line)) {
    if (line.rfind("msgid ", 0) == 0) {
      flush();
      inId = true;
      current = unquote(line);
    } else if (inId && !line.empty() && line[0] == '"') {
      current += unquote(line);
    } else {
      if (inId && line.rfind("msgstr", 0) == 0) flush();
    }
  }
  return out;
}

struct Env {
  std::map<std::string, std::string> vars;
  const char* operator()(const char* name) const {
    auto it = vars.find(name);
    return it == vars.end() ? nullptr : it->second.c_str();
  }
};

std::string languagesOf(std::map<std::string, std::string> vars) {
  Env env{std::move(vars)};
  return zb::desktopLanguages(std::cref(env));
}

class LanguageTest : public ::testing::Test {
protected:
  void TearDown() override { zb::stopTranslations(); }
};

}  // namespace

TEST(DesktopLanguage, FollowsTheVariablesInGettextOrder) {
  EXPECT_EQ(languagesOf({{"LANG", "de_DE.UTF-8"}}), "de_DE.UTF-8");
  EXPECT_EQ(languagesOf({{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}), "fr_FR.UTF-8");
  EXPECT_EQ(languagesOf({{"LC_ALL", "es_ES.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}), "es_ES.UTF-8");
  // LANGUAGE wins over the locale, but not over a C locale.
  EXPECT_EQ(languagesOf({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr:es"}}), "fr:es");
  EXPECT_EQ(languagesOf({{"LANG", "C.UTF-8"}, {"LANGUAGE", "de"}}), "de");
  EXPECT_EQ(languagesOf({{"LC_ALL", "C"}, {"LANGUAGE", "de"}, {"LANG", "de_DE.UTF-8"}}), "");
  EXPECT_EQ(languagesOf({{"LANG", "POSIX"}}), "");
  EXPECT_EQ(languagesOf({{"LANG", "C.UTF-8"}}), "");
  EXPECT_EQ(languagesOf({{"LANGUAGE", "de"}}), "");
  EXPECT_EQ(languagesOf({}), "");
}

TEST(DesktopLanguage, Latin1ConversionRefusesWhatCannotBeDrawn) {
  std::string out;
  ASSERT_TRUE(zb::utf8ToLatin1("Gr\xC3\xBC\xC3\x9F" "e \xC3\xA0 \xC2\xA1" "a", out));
  EXPECT_EQ(out, "Gr\xFC\xDF" "e \xE0 \xA1" "a");
  EXPECT_FALSE(zb::utf8ToLatin1("\xD0\x9F", out));          // Cyrillic
  EXPECT_FALSE(zb::utf8ToLatin1("\xE2\x82\xAC", out));      // the euro sign
  EXPECT_FALSE(zb::utf8ToLatin1("caf\xC3", out));           // cut short
  EXPECT_FALSE(zb::utf8ToLatin1("\xE9t\xE9", out));         // Latin-1, not UTF-8
}

TEST_F(LanguageTest, CLocaleAndUnknownLanguagesGiveTheEnglishTextsExactly) {
  const std::vector<std::string> texts = templateTexts(ZB_TEST_POT);
  ASSERT_GT(texts.size(), 50u);
  for (const char* languages : {"", "C", "xx", "xx_YY:zz"}) {
    zb::startTranslations(languages == std::string("C") ? "" : languages, ZB_TEST_LOCALE);
    for (const std::string& english : texts) EXPECT_EQ(zb::tr(english), english) << languages;
    EXPECT_FALSE(zb::translating() && std::string(languages).empty());
  }
}

TEST_F(LanguageTest, ShippedCataloguesAnswerInLatin1) {
  zb::startTranslations("de", ZB_TEST_LOCALE);
  ASSERT_TRUE(zb::translating());
  EXPECT_EQ(zb::tr("Pick game"), "Spiel w\xE4hlen");
  EXPECT_EQ(zb::tr("not a text of the game"), "not a text of the game");
  zb::startTranslations("xx:fr", ZB_TEST_LOCALE);  // the first language with a catalogue
  EXPECT_EQ(zb::tr("Options"), "Options");
  EXPECT_EQ(zb::tr("Close"), "Fermer");
  zb::stopTranslations();
  EXPECT_EQ(zb::tr("Close"), "Close");
}

TEST_F(LanguageTest, ALanguageTheLettersCannotDrawStaysEnglish) {
  zb::startTranslations("ru", ZB_TEST_OTHER_LOCALE);
  EXPECT_FALSE(zb::translating());
  EXPECT_EQ(zb::tr("Menu"), "Menu");
  // One text beyond Latin-1 in an otherwise drawable catalogue: that text
  // alone stays English.
  zb::startTranslations("eo", ZB_TEST_OTHER_LOCALE);
  ASSERT_TRUE(zb::translating());
  EXPECT_EQ(zb::tr("Menu"), "Menuo");
  EXPECT_EQ(zb::tr("Quit"), "Quit");
}
