#include "setup_link.h"

#include "integer_text.h"

#include <vector>

namespace sound {

namespace {

constexpr std::string_view kSetupMark = "okd=";
constexpr char kSeparator = ',';

std::string percentDecoded(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() ? hexDigitValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexDigitValue(text[i + 2]) : -1;
        if (text[i] == '%' && high >= 0 && low >= 0) {
            bytes.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            bytes.push_back(text[i]);
        }
    }
    return bytes;
}

} // namespace

std::string setupFragment(const StoredSetup& setup) {
    std::string fragment(kSetupMark);
    const auto lines = settingsLines(setup);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            fragment += kSeparator;
        fragment += lines[i];
    }
    return fragment;
}

std::optional<SettingsReadResult> readSetupFragment(std::string_view fragment) {
    if (!fragment.starts_with(kSetupMark))
        return std::nullopt;
    fragment.remove_prefix(kSetupMark.size());
    // Split before decoding, so that an escaped comma ("%2C") stays inside its value.
    std::vector<std::string> values;
    for (;;) {
        const std::size_t end = fragment.find(kSeparator);
        values.push_back(percentDecoded(fragment.substr(0, end)));
        if (end == std::string_view::npos || values.size() == kSettingsLineCount)
            break;
        fragment.remove_prefix(end + 1);
    }
    return readSettingsLines(values);
}

} // namespace sound
