// The link reader: any bytes after "okd=" as a page's fragment. A set-up it accepts, written
// back as a link, reads back the same; it reads as the file whose lines are the link's values
// decoded, each ending with a line break, unless a value holds an escaped line feed, which
// stays in its value and is refused there; a refusal names a line and shows safely.
#include "escape_unsafe_text.h"
#include "integer_text.h"
#include "settings_file.h"
#include "setup_link.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// The values the reader looks at, split at the commas and decoded as a browser writes them.
std::vector<std::string> decodedValues(std::string_view values) {
    std::vector<std::string> decoded(1);
    for (std::size_t i = 0; i < values.size() && decoded.size() <= sound::kSettingsLineCount; ++i) {
        if (values[i] == ',') {
            decoded.emplace_back();
        } else if (values[i] == '%' && i + 2 < values.size() &&
                   sound::hexDigitValue(values[i + 1]) >= 0 &&
                   sound::hexDigitValue(values[i + 2]) >= 0) {
            decoded.back() += char(sound::hexDigitValue(values[i + 1]) * 16 +
                                   sound::hexDigitValue(values[i + 2]));
            i += 2;
        } else {
            decoded.back() += values[i];
        }
    }
    if (decoded.size() > std::size_t(sound::kSettingsLineCount))
        decoded.resize(sound::kSettingsLineCount);
    return decoded;
}

bool sameResult(const sound::SettingsReadResult& a, const sound::SettingsReadResult& b) {
    if (a.index() != b.index())
        return false;
    if (const auto* setup = std::get_if<sound::StoredSetup>(&a))
        return *setup == std::get<sound::StoredSetup>(b);
    const auto& error = std::get<sound::SettingsLineError>(a);
    const auto& other = std::get<sound::SettingsLineError>(b);
    return error.line == other.line && error.message == other.message;
}

void checkWrittenBack(const sound::StoredSetup& setup) {
    const std::string link = sound::setupFragment(setup);
    const auto reread = sound::readSetupFragment(link);
    check(reread.has_value());
    const auto* again = std::get_if<sound::StoredSetup>(&*reread);
    check(again != nullptr);
    check(again->sliders == setup.sliders);
    check(again->options == setup.options);
    check(again->sources == setup.sources);
    check(sound::setupFragment(*again) == link);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string values(reinterpret_cast<const char*>(data), size);
    const auto result = sound::readSetupFragment("okd=" + values);
    check(result.has_value());
    if (const auto* setup = std::get_if<sound::StoredSetup>(&*result)) {
        checkWrittenBack(*setup);
    } else {
        const auto& error = std::get<sound::SettingsLineError>(*result);
        check(error.line >= 1 && error.line <= sound::kSettingsLineCount);
        check(error.message.size() < 500);
        for (const char c : sound::escapeUnsafeText(error.message))
            check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    }

    const std::vector<std::string> lines = decodedValues(values);
    std::string file;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find('\n') != std::string::npos) {
            // Refused at that value at the latest, never read on as later lines.
            const auto* error = std::get_if<sound::SettingsLineError>(&*result);
            check(error != nullptr && error->line <= int(i) + 1);
            return 0;
        }
        file += lines[i] + '\n';
    }
    std::istringstream in(file);
    check(sameResult(sound::readSettings(in), *result));
    return 0;
}
