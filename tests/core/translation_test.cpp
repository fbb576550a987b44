#include "translation.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

// The language a desktop user gets from the environment, and a page from its address's query
// and the browser's languages: the one rule of both, sound::chooseLanguage.
struct LanguageCase {
    const char* name;
    std::map<std::string, std::string> environment;
    const char* query;
    std::vector<std::string> browser;
    const char* expected;
};

class LanguageChoice : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageChoice, PicksTheFirstLanguageThatHasACatalogue) {
    const LanguageCase& c = GetParam();
    const std::vector<std::string> preferred =
        c.environment.empty()
            ? sound::pagePreferences(c.query, c.browser)
            : sound::localePreferences([&c](const char* name) {
                  const auto found = c.environment.find(name);
                  return found != c.environment.end() ? found->second.c_str() : nullptr;
              });
    EXPECT_EQ(sound::chooseLanguage(preferred), c.expected);
}

using Env = std::map<std::string, std::string>;

INSTANTIATE_TEST_SUITE_P(
    Desktop, LanguageChoice,
    ::testing::Values(
        LanguageCase{"english_lang", Env{{"LANG", "en_US.UTF-8"}}, "", {}, "en"},
        LanguageCase{"japanese_lang", Env{{"LANG", "ja_JP.UTF-8"}}, "", {}, "ja"},
        LanguageCase{"c_locale", Env{{"LANG", "C"}}, "", {}, "ja"},
        LanguageCase{"posix_locale", Env{{"LC_ALL", "POSIX"}, {"LANG", "en_GB"}}, "", {}, "ja"},
        LanguageCase{"c_utf8_locale", Env{{"LANG", "C.UTF-8"}}, "", {}, "ja"},
        LanguageCase{"no_catalogue", Env{{"LANG", "fr_FR.UTF-8"}}, "", {}, "ja"},
        LanguageCase{
            "lc_all_before_lang", Env{{"LC_ALL", "en_US"}, {"LANG", "ja_JP"}}, "", {}, "en"},
        LanguageCase{"lc_messages_before_lang",
                     Env{{"LC_MESSAGES", "ja_JP"}, {"LANG", "en_US"}},
                     "",
                     {},
                     "ja"},
        LanguageCase{"lc_all_before_lc_messages",
                     Env{{"LC_ALL", "en_US"}, {"LC_MESSAGES", "ja_JP"}},
                     "",
                     {},
                     "en"},
        LanguageCase{"language_list_first",
                     Env{{"LANGUAGE", "fr:en:ja"}, {"LANG", "ja_JP.UTF-8"}},
                     "",
                     {},
                     "en"},
        LanguageCase{"language_list_japanese_first",
                     Env{{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}},
                     "",
                     {},
                     "ja"},
        LanguageCase{
            "language_list_ignored_under_c", Env{{"LANGUAGE", "en"}, {"LANG", "C"}}, "", {}, "ja"},
        LanguageCase{"language_list_ignored_without_locale", Env{{"LANGUAGE", "en"}}, "", {}, "ja"},
        LanguageCase{"empty_lc_all_skipped", Env{{"LC_ALL", ""}, {"LANG", "en_US"}}, "", {}, "en"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Page, LanguageChoice,
    ::testing::Values(LanguageCase{"browser_english", {}, "", {"en-US", "ja"}, "en"},
                      LanguageCase{"browser_first_match_wins", {}, "", {"de", "ja", "en"}, "ja"},
                      LanguageCase{"browser_capitals", {}, "", {"EN-gb"}, "en"},
                      LanguageCase{"browser_none_known", {}, "", {"de", "fr"}, "ja"},
                      LanguageCase{"address_overrides", {}, "?lang=ja", {"en-US"}, "ja"},
                      LanguageCase{"address_among_others", {}, "?a=1&lang=en&b", {"ja"}, "en"},
                      LanguageCase{
                          "address_unknown_falls_to_browser", {}, "?lang=xx", {"en"}, "en"},
                      LanguageCase{"address_empty_value", {}, "?lang=", {"en"}, "en"}),
    [](const auto& info) { return std::string(info.param.name); });

class Translation : public ::testing::Test {
protected:
    void TearDown() override { sound::setLanguage(sound::kSourceLanguage); }
};

TEST_F(Translation, JapaneseIsTheTextItself) {
    sound::setLanguage("ja");
    EXPECT_EQ(sound::tr("波源1"), "波源1");
    EXPECT_EQ(sound::tr("ファイル %s を作成できません", {"a%sb.okd"}),
              "ファイル a%sb.okd を作成できません");
}

TEST_F(Translation, EnglishComesFromItsCatalogue) {
    sound::setLanguage("fr");
    EXPECT_EQ(sound::language(), "ja");
    sound::setLanguage("en");
    EXPECT_EQ(sound::language(), "en");
    EXPECT_EQ(sound::tr("波源1"), "Source 1");
    EXPECT_EQ(sound::tr("距離の√に反比例"), "∝ 1/√r");
    // A value is put in as it is, even one that looks like a place for a value.
    EXPECT_EQ(sound::tr("ファイル %s を作成できません", {"a%sb.okd"}),
              "Cannot create the file a%sb.okd");
    EXPECT_EQ(sound::tr("%s は整数ではありません", {"'x'"}), "'x' is not a whole number");
}

} // namespace
