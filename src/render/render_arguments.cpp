#include "render_arguments.h"

#include "help_or_version.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

namespace render {

namespace {

// A whole decimal number and nothing else: no blanks, no exponent, no hexadecimal, so a
// mistyped value is refused instead of being read as something the user did not mean.
template <typename Int> std::optional<Int> parseDecimal(std::string_view text) {
    // from_chars takes a leading minus but no plus; a plus must be followed by a digit.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front())))
            return std::nullopt;
    }
    Int value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '\'';
    result += text;
    result += '\'';
    return result;
}

// The options that take a value, with the word used when the value is missing.
struct ValueOption {
    std::string_view shortName; // empty when there is none
    std::string_view longName;
    std::string_view valueWord;
};

constexpr ValueOption kOutput{"-o", "--output", "a file name"};
constexpr ValueOption kFrames{"", "--frames", "a number"};
constexpr ValueOption kClock{"", "--clock", "a number"};
constexpr ValueOption kLink{"", "--link", "the page's address"};

} // namespace

ParsedArguments parseRenderArguments(const std::vector<std::string>& args) {
    switch (sound::helpOrVersionAsked(args)) {
    case sound::HelpOrVersion::Help:
        return HelpRequest{};
    case sound::HelpOrVersion::Version:
        return VersionRequest{};
    case sound::HelpOrVersion::Neither:
        break;
    }

    std::optional<std::string> settings;
    std::optional<std::string> output;
    std::optional<std::string> framesText;
    std::optional<std::string> clockText;
    std::optional<std::string> pageUrl;

    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg.front() != '-') {
            if (settings)
                return ArgumentError{"more than one settings file: " + quoted(*settings) + " and " +
                                     quoted(arg)};
            settings = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        struct Slot {
            const ValueOption* option;
            std::optional<std::string>* value;
        };
        const Slot valueSlots[] = {{&kOutput, &output},
                                   {&kFrames, &framesText},
                                   {&kClock, &clockText},
                                   {&kLink, &pageUrl}};
        bool matched = false;
        for (const Slot& slot : valueSlots) {
            const ValueOption& option = *slot.option;
            const std::string withEquals = std::string(option.longName) + "=";
            std::optional<std::string> value;
            if (arg == option.longName || (!option.shortName.empty() && arg == option.shortName)) {
                if (i + 1 >= args.size())
                    return ArgumentError{std::string(arg) + " needs " +
                                         std::string(option.valueWord)};
                value = args[++i];
            } else if (arg.rfind(withEquals, 0) == 0) {
                value = arg.substr(withEquals.size());
            } else {
                continue;
            }
            if (*slot.value)
                return ArgumentError{std::string(option.longName) + " is given twice"};
            *slot.value = std::move(value);
            matched = true;
            break;
        }
        if (!matched)
            return ArgumentError{"unknown option " + quoted(arg)};
    }

    if (!settings)
        return ArgumentError{"no settings file given (SETTINGS.okd)"};
    if (pageUrl) {
        if (output || framesText || clockText)
            return ArgumentError{"--link prints a link and draws nothing: leave out -o, --frames "
                                 "and --clock"};
        return LinkRequest{*settings, *pageUrl};
    }
    if (!output)
        return ArgumentError{"no output given: use -o OUT.png or -o OUT.gif"};

    RenderRequest request;
    request.settingsPath = *settings;
    request.outputPath = *output;
    if (endsWithIgnoringCase(*output, ".png"))
        request.kind = OutputKind::Png;
    else if (endsWithIgnoringCase(*output, ".gif"))
        request.kind = OutputKind::Gif;
    else
        return ArgumentError{"the output must end in .png or .gif: " + quoted(*output)};

    if (request.kind == OutputKind::Gif) {
        if (!framesText)
            return ArgumentError{"an animated GIF needs --frames N"};
        const std::optional<int> frames = parseDecimal<int>(*framesText);
        if (!frames || *frames < 1 || *frames > kMaxFrames)
            return ArgumentError{"--frames takes a whole number from 1 to " +
                                 std::to_string(kMaxFrames) + ", not " + quoted(*framesText)};
        request.frames = *frames;
    } else if (framesText) {
        return ArgumentError{"--frames is for an animated GIF; a .png holds one frame"};
    }

    if (clockText) {
        const std::optional<std::int32_t> clock = parseDecimal<std::int32_t>(*clockText);
        if (!clock)
            return ArgumentError{"--clock takes a whole number of ticks, not " +
                                 quoted(*clockText)};
        request.clock = *clock;
    }
    return request;
}

std::string usageText() {
    return "Usage: ondulix-k-render SETTINGS.okd -o OUT.png [--clock T]\n"
           "  or:  ondulix-k-render SETTINGS.okd -o OUT.gif --frames N [--clock T]\n"
           "  or:  ondulix-k-render SETTINGS.okd --link PAGE_URL\n"
           "\n"
           "Draws the frames Ondulix-K draws for a settings file, without a window:\n"
           "a 601 x 601 PNG picture, or an animated GIF that loops forever. Or prints\n"
           "the link that opens the set-up in the browser edition's page.\n"
           "\n"
           "  -o, --output FILE  where to write; the name's ending (.png or .gif) picks the kind\n"
           "  --frames N         frames of the animation, one per tick that draws (1 to " +
           std::to_string(kMaxFrames) +
           ")\n"
           "  --clock T          the animation clock at the first tick (default 0); as in the\n"
           "                     program, a clock past 100000 wraps to -100000 on a tick that\n"
           "                     draws nothing\n"
           "  --link PAGE_URL    print PAGE_URL#okd=... for the set-up, as File > Save\n"
           "                     would write it, and write no picture; a fragment that\n"
           "                     PAGE_URL already has is replaced\n"
           "  -h, --help         show this help and exit\n"
           "  --version          show the version and exit\n"
           "\n"
           "SETTINGS.okd may be \"-\" for standard input; a pipe is read to its end.\n"
           "\n"
           "The picture is the frame the program draws on the first tick after opening the\n"
           "file with the clock at T: with the turning view on, that tick turns the view\n"
           "first. The GIF holds the frames of N ticks in a row from there, each shown for\n"
           "the file's tick interval. A failure prints one line, FILE:LINE: message for a\n"
           "line of the settings file that does not convert, and writes no file.\n";
}

std::string versionText() {
    return "ondulix-k-render (Ondulix-K) " ONDULIX_VERSION "\n";
}

} // namespace render
