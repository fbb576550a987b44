#include "translation.h"

#include "catalogue_table.h"

#include <algorithm>
#include <cctype>

namespace sound {

namespace {

std::string_view gLanguage = kSourceLanguage;

// The language of a tag or locale name: what comes before its region, script, encoding or
// modifier ("en" of "en-GB", "en_US.UTF-8", "en@quot"), in small letters.
std::string languageOf(std::string_view preference) {
    const std::string_view code = preference.substr(0, preference.find_first_of("-_.@"));
    std::string lower(code);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Splits at `separator`, leaving out empty parts.
std::vector<std::string> parts(std::string_view text, char separator) {
    std::vector<std::string> found;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(separator), text.size());
        if (end > 0)
            found.emplace_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return found;
}

} // namespace

std::vector<std::string_view> catalogueLanguages() {
    std::vector<std::string_view> languages{kSourceLanguage};
    languages.insert(languages.end(), kCatalogueNames, kCatalogueNames + kCatalogueCount);
    return languages;
}

std::string_view chooseLanguage(const std::vector<std::string>& preferred) {
    const std::vector<std::string_view> available = catalogueLanguages();
    for (const std::string& preference : preferred) {
        const std::string code = languageOf(preference);
        if (code == "c" || code == "posix")
            return kSourceLanguage;
        const auto found = std::find(available.begin(), available.end(), code);
        if (found != available.end())
            return *found;
    }
    return kSourceLanguage;
}

std::vector<std::string>
localePreferences(const std::function<const char*(const char*)>& variable) {
    const auto value = [&variable](const char* name) -> std::string_view {
        const char* text = variable(name);
        return text != nullptr ? text : "";
    };
    std::string_view locale = value("LC_ALL");
    if (locale.empty())
        locale = value("LC_MESSAGES");
    if (locale.empty())
        locale = value("LANG");
    // gettext gives LANGUAGE no say under the C locale, which a program's own texts are for.
    if (locale.empty() || locale == "C" || locale == "POSIX")
        return {"C"};
    std::vector<std::string> preferred = parts(value("LANGUAGE"), ':');
    preferred.emplace_back(locale);
    return preferred;
}

std::vector<std::string> pagePreferences(std::string_view query,
                                         const std::vector<std::string>& browserLanguages) {
    std::vector<std::string> preferred;
    if (!query.empty() && query.front() == '?')
        query.remove_prefix(1);
    for (const std::string& pair : parts(query, '&'))
        if (pair.starts_with("lang=") && pair.size() > 5) {
            preferred.push_back(pair.substr(5));
            break;
        }
    preferred.insert(preferred.end(), browserLanguages.begin(), browserLanguages.end());
    return preferred;
}

void setLanguage(std::string_view language) {
    gLanguage = chooseLanguage({std::string(language)});
}

std::string_view language() {
    return gLanguage;
}

std::string tr(std::string_view text) {
    if (gLanguage == kSourceLanguage)
        return std::string(text);
    const CatalogueText* end = kCatalogueTexts + kCatalogueTextCount;
    const CatalogueText* found = std::find_if(kCatalogueTexts, end, [text](const auto& entry) {
        return entry.language == gLanguage && entry.text == text;
    });
    return std::string(found != end ? found->translation : text);
}

std::string tr(std::string_view text, std::initializer_list<std::string_view> values) {
    const std::string translated = tr(text);
    std::string result;
    const std::string_view* value = values.begin();
    for (std::size_t i = 0; i < translated.size(); ++i) {
        if (translated.compare(i, 2, "%s") == 0 && value != values.end()) {
            result.append(*value++);
            ++i;
        } else {
            result.push_back(translated[i]);
        }
    }
    return result;
}

} // namespace sound
