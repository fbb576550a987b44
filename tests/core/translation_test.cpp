#include "translation.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Splits "A=1 B=2" or "en-US ja" at its spaces.
std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        found.push_back(word);
    return found;
}

// The language a desktop user gets from the environment: gettext's order of the variables, and
// the program's own texts under C, POSIX or a language without a catalogue.
TEST(LanguageChoice, FromTheEnvironmentAsGettextReadsIt) {
    const std::pair<const char*, const char*> rows[] = {
        {"LANG=en_US.UTF-8", "en"},
        {"LANG=ja_JP.UTF-8", "ja"},
        {"LANG=C", "ja"},
        {"LANG=C.UTF-8", "ja"},
        {"LC_ALL=POSIX LANG=en_GB", "ja"},
        {"LANG=fr_FR.UTF-8", "ja"},
        {"LC_ALL=en_US LANG=ja_JP", "en"},
        {"LC_MESSAGES=ja_JP LANG=en_US", "ja"},
        {"LC_ALL=en_US LC_MESSAGES=ja_JP", "en"},
        {"LC_ALL= LANG=en_US", "en"},
        {"LANGUAGE=fr:en:ja LANG=ja_JP.UTF-8", "en"},
        {"LANGUAGE=ja:en LANG=en_US.UTF-8", "ja"},
        {"LANGUAGE=en LANG=C", "ja"},
        {"LANGUAGE=en", "ja"},
    };
    for (const auto& [environment, expected] : rows) {
        std::map<std::string, std::string> variables;
        for (const std::string& assignment : words(environment))
            variables[assignment.substr(0, assignment.find('='))] =
                assignment.substr(assignment.find('=') + 1);
        const auto preferred = sound::localePreferences([&variables](const char* name) {
            const auto found = variables.find(name);
            return found != variables.end() ? found->second.c_str() : nullptr;
        });
        EXPECT_EQ(sound::chooseLanguage(preferred), expected) << environment;
    }
}

// A page's language: its address's lang= first, then the browser's languages, first match.
TEST(LanguageChoice, FromTheAddressThenTheBrowser) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"", "en-US ja", "en"},   {"", "de ja en", "ja"},      {"", "EN-gb", "en"},
        {"", "de fr", "ja"},      {"?lang=ja", "en-US", "ja"}, {"?a=1&lang=en&b", "ja", "en"},
        {"?lang=xx", "en", "en"}, {"?lang=", "en", "en"},
    };
    for (const auto& [query, browser, expected] : rows)
        EXPECT_EQ(sound::chooseLanguage(sound::pagePreferences(query, words(browser))), expected)
            << query << " " << browser;
}

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
