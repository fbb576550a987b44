#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's texts in the user's language. The texts are written in Japanese, the program's
// own language, and each other language has a catalogue, po/LANG.po, compiled into the program;
// every edition looks its texts up here, so that a text and its translations exist once.
namespace sound {

// Marks a text of a constant table for the catalogues (xgettext's keyword); it is translated
// where it is shown.
constexpr const char* N_(const char* text) {
    return text;
}

// The program's own language, which needs no catalogue.
inline constexpr std::string_view kSourceLanguage = "ja";

// The languages that have a catalogue, with the program's own first.
std::vector<std::string_view> catalogueLanguages();

// The first of the preferred languages, best first, that the program has: an entry is a
// language tag or a locale name ("en", "en-GB", "en_US.UTF-8", "ja_JP"); "C" and "POSIX" are
// the program's own texts. Japanese when none is there.
std::string_view chooseLanguage(const std::vector<std::string>& preferred);

// The languages a desktop user prefers, read from the environment as gettext reads it: the
// locale of messages is LC_ALL, else LC_MESSAGES, else LANG; when that is C or unset the texts
// are the program's own, and otherwise LANGUAGE (a list separated by ":") comes before it.
std::vector<std::string> localePreferences(const std::function<const char*(const char*)>& variable);

// The languages the page prefers: the one its address names with "lang=" in its query (the
// part from "?"), then the browser's, best first.
std::vector<std::string> pagePreferences(std::string_view query,
                                         const std::vector<std::string>& browserLanguages);

// The language every text is shown in from now on: one of catalogueLanguages(), the program's
// own for any other.
void setLanguage(std::string_view language);
std::string_view language();

// The text in the chosen language; the text itself when its catalogue lacks it, which the
// catalogues' test forbids.
std::string tr(std::string_view text);
// The same for a text with "%s" in it, each taking the next of `values` in the translated text.
std::string tr(std::string_view text, std::initializer_list<std::string_view> values);

} // namespace sound
