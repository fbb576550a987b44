// The settings reader: any bytes as a file. It never reads past line 37; a set-up it
// accepts is written and read back unchanged; a rejected file names a line and gives a
// short message that shows as well-formed text without a control character; a byte-order
// mark in front changes nothing.
#include "escape_unsafe_text.h"
#include "integer_text.h"
#include "settings_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// What a reader that stops after line 37 leaves in the stream.
std::string_view afterLine37(std::string_view file) {
    std::size_t pos = 0;
    for (int line = 0; line < sound::kSettingsLineCount; ++line) {
        const std::size_t lf = file.find('\n', pos);
        if (lf == std::string_view::npos)
            return {};
        pos = lf + 1;
    }
    return file.substr(pos);
}

bool speedInRange(const sound::StoredSetup& setup) {
    const std::int32_t speed = setup.sliders[sound::StoredSetup::velocitychanger];
    return speed >= 5 && speed <= 50;
}

// The whole file as the window writes it: every line followed by CR LF.
std::string fileText(const sound::StoredSetup& setup) {
    std::string text;
    for (const std::string& line : sound::settingsLines(setup))
        text += line + "\r\n";
    return text;
}

// Well-formed UTF-8 with no C0 control character and no DEL: nothing a terminal acts on.
bool shownSafely(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = sound::utf8SequenceLength(text.substr(i));
        if (length == 0)
            return false;
        const auto first = static_cast<unsigned char>(text[i]);
        if (length == 1 && (first < 0x20 || first == 0x7F))
            return false;
        i += length;
    }
    return true;
}

sound::SettingsReadResult read(const std::string& text) {
    std::istringstream in(text);
    return sound::readSettings(in);
}

void checkAccepted(const sound::StoredSetup& setup) {
    check(speedInRange(setup));
    for (std::size_t k = 0; k < sound::kSourceCount; ++k)
        for (std::size_t v = 0; v < sound::StoredSetup::kSourceValueCount; ++v)
            check(sound::parseInteger(setup.sourceTexts[k][v]) == setup.sources[k][v]);

    const std::string written = fileText(setup);
    const auto reread = read(written);
    const auto* again = std::get_if<sound::StoredSetup>(&reread);
    check(again != nullptr);
    check(again->sliders == setup.sliders);
    check(again->options == setup.options);
    check(again->sources == setup.sources);
    for (std::size_t k = 0; k < sound::kSourceCount; ++k)
        for (std::size_t v = 0; v < sound::StoredSetup::kSourceValueCount; ++v)
            check(again->sourceTexts[k][v] == std::to_string(setup.sources[k][v]));
    check(fileText(*again) == written);
}

// The same outcome: the same set-up, or the same line and message.
bool sameResult(const sound::SettingsReadResult& a, const sound::SettingsReadResult& b) {
    if (a.index() != b.index())
        return false;
    if (const auto* setup = std::get_if<sound::StoredSetup>(&a))
        return *setup == std::get<sound::StoredSetup>(b);
    const auto& error = std::get<sound::SettingsLineError>(a);
    const auto& other = std::get<sound::SettingsLineError>(b);
    return error.line == other.line && error.message == other.message;
}

void checkRejected(const sound::SettingsLineError& error) {
    check(error.line >= 1 && error.line <= sound::kSettingsLineCount);
    check(shownSafely(sound::escapeUnsafeText(error.message)));
    // At most 100 characters of four bytes, the ellipsis, the quotes and the words.
    check(error.message.size() < 500);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);

    std::istringstream in(file);
    const sound::SettingsReadResult result = sound::readSettings(in);
    const std::string rest(std::istreambuf_iterator<char>(in), {});
    check(rest == afterLine37(file));

    if (const auto* setup = std::get_if<sound::StoredSetup>(&result))
        checkAccepted(*setup);
    else
        checkRejected(std::get<sound::SettingsLineError>(result));

    // A byte-order mark put in front is skipped; only the first mark is, so a file that
    // begins with one already would read its own mark as text.
    const std::string mark = "\xEF\xBB\xBF";
    if (!file.starts_with(mark))
        check(sameResult(read(mark + file), result));

    check(shownSafely(sound::escapeUnsafeText(file)));
    return 0;
}
