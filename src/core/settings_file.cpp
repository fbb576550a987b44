#include "settings_file.h"

#include "integer_text.h"
#include "option_text.h"
#include "translation.h"
#include "view.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <streambuf>

namespace sound {

namespace {

constexpr int kFirstOptionLine = 1 + StoredSetup::kSliderCount;
constexpr int kFirstSourceLine = kFirstOptionLine + StoredSetup::kOptionCount;
static_assert(kFirstSourceLine + kSourceCount * StoredSetup::kSourceValueCount - 1 ==
              kSettingsLineCount);

// The range of `velocitychanger`: ten times the wave speed.
constexpr std::int32_t kSpeedLineMin = 5;
constexpr std::int32_t kSpeedLineMax = 50;

// The first bytes of a line are kept for the message and the caption: enough for the
// 100 characters a message quotes, each at most four bytes long. The rest of a line is
// converted as it streams past, so a line of any length takes no more memory than this.
constexpr std::size_t kKeptLineBytes = 400;

// A message quotes at most this many characters of the offending line.
constexpr std::size_t kMaxQuotedChars = 100;
static_assert(kKeptLineBytes >= 4 * kMaxQuotedChars);

constexpr std::string_view kNotAnInteger = N_("%s は整数ではありません");
constexpr std::string_view kNotABoolean = N_("%s は正しい論理型ではありません");
constexpr std::string_view kEllipsis = "…";

// Editors on some systems put a byte-order mark before the first line of a text file they
// save as UTF-8. It is no part of the line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One line of the file as far as it was kept.
struct Line {
    std::string start; // the first kKeptLineBytes bytes
    bool cut = false;  // more bytes followed them

    void clear() {
        start.clear();
        cut = false;
    }
    // One more byte of the line, kept while there is room and handed to the conversion.
    template <typename Conversion> void take(char c, Conversion& conversion) {
        if (start.size() < kKeptLineBytes)
            start.push_back(c);
        else
            cut = true;
        conversion.add(c);
    }
};

// A settings file's bytes from its stream buffer, where a line ends at LF.
class StreamSource final : public SettingsSource {
public:
    explicit StreamSource(std::istream& in) : in_(in), buffer_(in.rdbuf()) {}

    int next() override {
        if (buffer_ == nullptr)
            return kEnd;
        const int c = buffer_->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in_.setstate(std::ios::eofbit);
            buffer_ = nullptr;
            return kEnd;
        }
        return c == '\n' ? kLineBreak : c;
    }

private:
    std::istream& in_;
    std::streambuf* buffer_;
};

// Reads lines one at a time from a source, handing every byte of a line to a conversion as it
// comes. A CR right before a line break belongs to the break, any other CR stays in the line.
// Past the end of the source every line reads as the empty text.
template <typename Source> class LineReader {
public:
    explicit LineReader(Source& source) : source_(source) {}

    template <typename Conversion> void read(Line& line, Conversion& conversion) {
        line.clear();
        const auto take = [&](char c) { line.take(c, conversion); };
        if (ended_)
            return;
        bool pendingCr = false;
        for (;;) {
            const int c = source_.next();
            if (c == SettingsSource::kEnd) {
                ended_ = true;
                break;
            }
            if (skipByteOrderMark(c, take))
                continue;
            if (c == SettingsSource::kLineBreak)
                return; // a CR just before is part of the line break
            if (pendingCr)
                take('\r');
            pendingCr = c == '\r';
            if (!pendingCr)
                take(static_cast<char>(c));
        }
        // A source that ends inside the mark keeps the bytes it has.
        if (markMatched_ > 0 && markMatched_ < kByteOrderMark.size())
            for (std::size_t i = 0; i < markMatched_; ++i)
                take(kByteOrderMark[i]);
        if (pendingCr)
            take('\r');
    }

private:
    // True when the byte belongs to a byte-order mark at the very start of the source. Bytes
    // that begin like the mark but do not complete it are handed back to the line first.
    template <typename Take> bool skipByteOrderMark(int c, const Take& take) {
        if (markDone_)
            return false;
        if (c == static_cast<unsigned char>(kByteOrderMark[markMatched_])) {
            markDone_ = ++markMatched_ == kByteOrderMark.size();
            return true;
        }
        markDone_ = true;
        for (std::size_t i = 0; i < markMatched_; ++i)
            take(kByteOrderMark[i]);
        markMatched_ = 0;
        return false;
    }

    Source& source_;
    std::size_t markMatched_ = 0;
    bool markDone_ = false;
    bool ended_ = false;
};

// The line as the message quotes it: its first characters, with "…" when there are more. The
// bytes are quoted as read, so that the error box and the command show what the line really
// holds; a byte that is not part of a UTF-8 character counts as one character.
std::string quoted(const Line& line) {
    const std::string_view text = line.start;
    std::size_t chars = 0;
    std::size_t end = 0;
    while (end < text.size() && chars < kMaxQuotedChars) {
        end += std::max<std::size_t>(utf8SequenceLength(text.substr(end)), 1);
        ++chars;
    }
    std::string result = "'";
    result.append(text.substr(0, end));
    if (end < text.size() || line.cut)
        result.append(kEllipsis);
    result.push_back('\'');
    return result;
}

template <typename Reader> std::optional<std::int32_t> readInteger(Reader& reader, Line& line) {
    IntegerTextReader integer;
    reader.read(line, integer);
    return integer.value();
}

} // namespace

std::int32_t roundSourceValue(double value) {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(Round(value), kMin, kMax));
}

std::array<std::string, kSettingsLineCount> settingsLines(const StoredSetup& setup) {
    std::array<std::string, kSettingsLineCount> lines;
    std::size_t i = 0;
    for (std::int32_t position : setup.sliders)
        lines[i++] = std::to_string(position);
    for (bool checked : setup.options)
        lines[i++] = checked ? "-1" : "0";
    for (const auto& source : setup.sources)
        for (std::int32_t value : source)
            lines[i++] = std::to_string(value);
    return lines;
}

namespace {

template <typename Reader> SettingsReadResult readSettingsFrom(Reader& reader) {
    Line line;
    StoredSetup setup;
    std::optional<SettingsLineError> failure;
    const auto fail = [&](int number, std::string_view what) {
        if (!failure)
            failure = SettingsLineError{number, tr(what, {quoted(line)})};
    };

    // Every line is read and converted even after a failure, so the stream always ends up
    // just past line 37 (or at its end); only the first failure is reported.
    int number = 1;
    for (std::size_t i = 0; i < StoredSetup::kSliderCount; ++i, ++number) {
        const auto value = readInteger(reader, line);
        if (!value) {
            fail(number, kNotAnInteger);
            continue;
        }
        setup.sliders[i] = i == StoredSetup::velocitychanger
                               ? std::clamp(*value, kSpeedLineMin, kSpeedLineMax)
                               : *value;
    }

    for (std::size_t i = 0; i < StoredSetup::kOptionCount; ++i, ++number) {
        OptionTextReader option;
        reader.read(line, option);
        const auto value = option.value();
        if (!value) {
            fail(number, kNotABoolean);
            continue;
        }
        setup.options[i] = *value;
    }

    for (std::size_t k = 0; k < kSourceCount; ++k) {
        for (std::size_t v = 0; v < StoredSetup::kSourceValueCount; ++v, ++number) {
            const auto value = readInteger(reader, line);
            if (!value) {
                fail(number, kNotAnInteger);
                continue;
            }
            setup.sources[k][v] = *value;
            // Accepted integer text is plain ASCII, so a caption can show it as it is. A line
            // longer than its kept start (hundreds of blanks or zeros) shows its value instead.
            setup.sourceTexts[k][v] = line.cut ? std::to_string(*value) : line.start;
        }
    }

    if (failure)
        return *std::move(failure);
    return setup;
}

} // namespace

SettingsReadResult readSettings(std::istream& in) {
    StreamSource source(in);
    LineReader reader(source);
    return readSettingsFrom(reader);
}

SettingsReadResult readSettings(SettingsSource& source) {
    LineReader reader(source);
    return readSettingsFrom(reader);
}

std::size_t utf8SequenceLength(std::string_view s) {
    if (s.empty())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(0);
    if (b0 < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0)
            low = 0xA0;
        else if (b0 == 0xED)
            high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0)
            low = 0x90;
        else if (b0 == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length)
        return 0;
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

} // namespace sound
