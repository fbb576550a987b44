#include "setup_link.h"

#include "integer_text.h"

namespace sound {

namespace {

constexpr std::string_view kSetupMark = "okd=";
constexpr char kSeparator = ',';

// The values of a link as a settings file's bytes. A comma is the link's line break, and each
// value, the last one included, ends with one, as every line of a saved file does; escapes are
// decoded as they are read, so an escaped comma ("%2C") is a byte of its value.
//
// An escaped line break is a byte of its value too. An escaped CR right before a comma is
// then the CR of a CRLF file, which belongs to the break. An escaped LF is refused with its
// value's own message, as the conversions refuse every LF: taking it as a break instead
// would read a link's values on other lines than the ones its commas show.
class LinkSource final : public SettingsSource {
public:
    explicit LinkSource(std::string_view values) : values_(values) {}

    int next() override {
        if (next_ == values_.size()) {
            if (ended_)
                return kEnd;
            ended_ = true;
            return kLineBreak;
        }
        const char c = values_[next_++];
        if (c == kSeparator)
            return kLineBreak;
        const int high = next_ + 1 < values_.size() ? hexDigitValue(values_[next_]) : -1;
        const int low = next_ + 1 < values_.size() ? hexDigitValue(values_[next_ + 1]) : -1;
        if (c == '%' && high >= 0 && low >= 0) {
            next_ += 2;
            return high * 16 + low;
        }
        return static_cast<unsigned char>(c);
    }

private:
    std::string_view values_;
    std::size_t next_ = 0;
    bool ended_ = false;
};

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
    LinkSource source(fragment);
    return readSettings(source);
}

} // namespace sound
