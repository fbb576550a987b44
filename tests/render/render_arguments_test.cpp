// The command line of ondulix-k-render: what each accepted line asks for, and the one
// line of explanation for each refused one.
#include "in_language.h"
#include "render_arguments.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using render::OutputKind;
using render::parseRenderArguments;
using render::RenderRequest;

struct AcceptedCase {
    const char* name;
    std::vector<std::string> args;
    std::string settings;
    std::string output;
    OutputKind kind;
    int frames;
    std::int32_t clock;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const AcceptedCase& c, std::ostream* os) {
    *os << c.name;
}

class AcceptedLine : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedLine, AsksForThisExport) {
    const AcceptedCase& c = GetParam();
    const render::ParsedArguments parsed = parseRenderArguments(c.args);
    if (const auto* error = std::get_if<render::ArgumentError>(&parsed))
        FAIL() << "refused: " << error->message;
    ASSERT_TRUE(std::holds_alternative<RenderRequest>(parsed));
    const RenderRequest& r = std::get<RenderRequest>(parsed);
    EXPECT_EQ(r.settingsPath, c.settings);
    EXPECT_EQ(r.outputPath, c.output);
    EXPECT_EQ(r.kind, c.kind);
    EXPECT_EQ(r.frames, c.frames);
    EXPECT_EQ(r.clock, c.clock);
}

INSTANTIATE_TEST_SUITE_P(
    Render, AcceptedLine,
    ::testing::Values(AcceptedCase{"picture_at_clock_zero",
                                   {"a.okd", "-o", "out.png"},
                                   "a.okd",
                                   "out.png",
                                   OutputKind::Png,
                                   1,
                                   0},
                      AcceptedCase{"picture_at_a_clock",
                                   {"a.okd", "-o", "out.png", "--clock", "250"},
                                   "a.okd",
                                   "out.png",
                                   OutputKind::Png,
                                   1,
                                   250},
                      AcceptedCase{"negative_clock_is_a_value_not_an_option",
                                   {"a.okd", "--clock", "-100000", "-o", "x.png"},
                                   "a.okd",
                                   "x.png",
                                   OutputKind::Png,
                                   1,
                                   -100000},
                      AcceptedCase{"animation",
                                   {"a.okd", "-o", "x.gif", "--frames", "40", "--clock", "7"},
                                   "a.okd",
                                   "x.gif",
                                   OutputKind::Gif,
                                   40,
                                   7},
                      AcceptedCase{"options_first_and_written_with_equals",
                                   {"--output=x.gif", "--frames=3", "--clock=+12", "a.okd"},
                                   "a.okd",
                                   "x.gif",
                                   OutputKind::Gif,
                                   3,
                                   12},
                      AcceptedCase{"long_output_option",
                                   {"a.okd", "--output", "x.png"},
                                   "a.okd",
                                   "x.png",
                                   OutputKind::Png,
                                   1,
                                   0},
                      AcceptedCase{"ending_in_capitals",
                                   {"a.okd", "-o", "SHOT.PNG"},
                                   "a.okd",
                                   "SHOT.PNG",
                                   OutputKind::Png,
                                   1,
                                   0},
                      AcceptedCase{"gif_ending_in_mixed_case",
                                   {"a.okd", "-o", "anim.Gif", "--frames", "1"},
                                   "a.okd",
                                   "anim.Gif",
                                   OutputKind::Gif,
                                   1,
                                   0},
                      AcceptedCase{"file_name_starting_with_a_dash_after_double_dash",
                                   {"-o", "x.png", "--", "-odd.okd"},
                                   "-odd.okd",
                                   "x.png",
                                   OutputKind::Png,
                                   1,
                                   0},
                      AcceptedCase{"help_after_double_dash_is_a_file_name",
                                   {"-o", "x.png", "--", "--help"},
                                   "--help",
                                   "x.png",
                                   OutputKind::Png,
                                   1,
                                   0},
                      AcceptedCase{"most_frames",
                                   {"a.okd", "-o", "x.gif", "--frames", "1000000"},
                                   "a.okd",
                                   "x.gif",
                                   OutputKind::Gif,
                                   1000000,
                                   0},
                      AcceptedCase{"lowest_clock",
                                   {"a.okd", "-o", "x.png", "--clock", "-2147483648"},
                                   "a.okd",
                                   "x.png",
                                   OutputKind::Png,
                                   1,
                                   -2147483647 - 1},
                      AcceptedCase{"highest_clock",
                                   {"a.okd", "-o", "x.png", "--clock", "2147483647"},
                                   "a.okd",
                                   "x.png",
                                   OutputKind::Png,
                                   1,
                                   2147483647}),
    [](const auto& info) { return info.param.name; });

struct LinkLineCase {
    const char* name;
    std::vector<std::string> args;
    std::string settings;
    std::string pageUrl;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const LinkLineCase& c, std::ostream* os) {
    *os << c.name;
}

class LinkLine : public ::testing::TestWithParam<LinkLineCase> {};

TEST_P(LinkLine, AsksForTheLinkInsteadOfAPicture) {
    const render::ParsedArguments parsed = parseRenderArguments(GetParam().args);
    ASSERT_TRUE(std::holds_alternative<render::LinkRequest>(parsed));
    EXPECT_EQ(std::get<render::LinkRequest>(parsed).settingsPath, GetParam().settings);
    EXPECT_EQ(std::get<render::LinkRequest>(parsed).pageUrl, GetParam().pageUrl);
}

INSTANTIATE_TEST_SUITE_P(
    Render, LinkLine,
    ::testing::Values(LinkLineCase{"page_after_the_file",
                                   {"a.okd", "--link", "https://example.org/ondulix-k.html"},
                                   "a.okd",
                                   "https://example.org/ondulix-k.html"},
                      LinkLineCase{"written_with_equals_before_the_file",
                                   {"--link=file:///srv/ondulix-k.html#okd=1", "a.okd"},
                                   "a.okd",
                                   "file:///srv/ondulix-k.html#okd=1"}),
    [](const auto& info) { return info.param.name; });

struct RefusedCase {
    const char* name;
    std::vector<std::string> args;
    std::string message;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

// The rows give the messages in English.
class RefusedLine : public ::testing::TestWithParam<RefusedCase> {
    testsupport::InLanguage english_{"en"};
};

TEST_P(RefusedLine, SaysWhyOnOneLine) {
    const RefusedCase& c = GetParam();
    const render::ParsedArguments parsed = parseRenderArguments(c.args);
    ASSERT_TRUE(std::holds_alternative<render::ArgumentError>(parsed));
    const std::string& message = std::get<render::ArgumentError>(parsed).message;
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(message.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Render, RefusedLine,
    ::testing::Values(
        RefusedCase{"nothing", {}, "no settings file given (SETTINGS.okd)"},
        RefusedCase{"no_output", {"a.okd"}, "no output given: use -o OUT.png or -o OUT.gif"},
        RefusedCase{"two_settings_files",
                    {"a.okd", "b.okd", "-o", "x.png"},
                    "more than one settings file: 'a.okd' and 'b.okd'"},
        RefusedCase{
            "unknown_long_option", {"a.okd", "-o", "x.png", "--fast"}, "unknown option '--fast'"},
        RefusedCase{"unknown_short_option", {"-x", "a.okd"}, "unknown option '-x'"},
        RefusedCase{"output_option_at_the_end", {"a.okd", "-o"}, "-o needs a file name"},
        RefusedCase{"frames_option_at_the_end",
                    {"a.okd", "-o", "x.gif", "--frames"},
                    "--frames needs a number"},
        RefusedCase{
            "output_twice", {"a.okd", "-o", "x.png", "--output=y.png"}, "--output is given twice"},
        RefusedCase{"other_picture_kind",
                    {"a.okd", "-o", "x.jpg"},
                    "the output must end in .png or .gif: 'x.jpg'"},
        RefusedCase{"ending_alone_is_not_enough_without_a_dot",
                    {"a.okd", "-o", "xpng"},
                    "the output must end in .png or .gif: 'xpng'"},
        RefusedCase{"animation_without_frames",
                    {"a.okd", "-o", "x.gif"},
                    "an animated GIF needs --frames N"},
        RefusedCase{"picture_with_frames",
                    {"a.okd", "-o", "x.png", "--frames", "2"},
                    "--frames is for an animated GIF; a .png holds one frame"},
        RefusedCase{"zero_frames",
                    {"a.okd", "-o", "x.gif", "--frames", "0"},
                    "--frames takes a whole number from 1 to 1000000, not '0'"},
        RefusedCase{"too_many_frames",
                    {"a.okd", "-o", "x.gif", "--frames", "1000001"},
                    "--frames takes a whole number from 1 to 1000000, not '1000001'"},
        RefusedCase{"frames_after_a_blank",
                    {"a.okd", "-o", "x.gif", "--frames", " 5"},
                    "--frames takes a whole number from 1 to 1000000, not ' 5'"},
        RefusedCase{"frames_in_hexadecimal",
                    {"a.okd", "-o", "x.gif", "--frames", "0x10"},
                    "--frames takes a whole number from 1 to 1000000, not '0x10'"},
        RefusedCase{"frames_with_two_signs",
                    {"a.okd", "-o", "x.gif", "--frames=+-3"},
                    "--frames takes a whole number from 1 to 1000000, not '+-3'"},
        RefusedCase{"frames_empty",
                    {"a.okd", "-o", "x.gif", "--frames="},
                    "--frames takes a whole number from 1 to 1000000, not ''"},
        RefusedCase{"clock_with_a_fraction",
                    {"a.okd", "-o", "x.png", "--clock", "1.5"},
                    "--clock takes a whole number of ticks, not '1.5'"},
        RefusedCase{"clock_beyond_32_bits",
                    {"a.okd", "-o", "x.png", "--clock", "2147483648"},
                    "--clock takes a whole number of ticks, not '2147483648'"},
        RefusedCase{"clock_followed_by_letters",
                    {"a.okd", "-o", "x.png", "--clock", "12abc"},
                    "--clock takes a whole number of ticks, not '12abc'"},
        RefusedCase{
            "link_option_at_the_end", {"a.okd", "--link"}, "--link needs the page's address"},
        RefusedCase{"link_without_a_settings_file",
                    {"--link", "https://example.org/"},
                    "no settings file given (SETTINGS.okd)"},
        RefusedCase{"link_with_an_output",
                    {"a.okd", "--link", "x.html", "-o", "x.png"},
                    "--link prints a link and draws nothing: leave out -o, --frames and --clock"},
        RefusedCase{"link_with_a_clock",
                    {"a.okd", "--link", "x.html", "--clock", "5"},
                    "--link prints a link and draws nothing: leave out -o, --frames and --clock"},
        RefusedCase{"clock_lone_plus",
                    {"a.okd", "-o", "x.png", "--clock", "+"},
                    "--clock takes a whole number of ticks, not '+'"}),
    [](const auto& info) { return info.param.name; });

struct HelpCase {
    const char* name;
    std::vector<std::string> args;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const HelpCase& c, std::ostream* os) {
    *os << c.name;
}

class HelpLine : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpLine, AsksForTheUsage) {
    EXPECT_TRUE(std::holds_alternative<render::HelpRequest>(parseRenderArguments(GetParam().args)));
}

INSTANTIATE_TEST_SUITE_P(Render, HelpLine,
                         ::testing::Values(HelpCase{"long", {"--help"}}, HelpCase{"short", {"-h"}},
                                           HelpCase{"despite_an_unknown_option",
                                                    {"--fast", "a.okd", "--help"}},
                                           HelpCase{"despite_a_missing_output", {"a.okd", "-h"}},
                                           HelpCase{"before_the_version", {"--version", "-h"}}),
                         [](const auto& info) { return info.param.name; });

class VersionLine : public ::testing::TestWithParam<HelpCase> {};

TEST_P(VersionLine, AsksForTheVersion) {
    EXPECT_TRUE(
        std::holds_alternative<render::VersionRequest>(parseRenderArguments(GetParam().args)));
}

INSTANTIATE_TEST_SUITE_P(Render, VersionLine,
                         ::testing::Values(HelpCase{"alone", {"--version"}},
                                           HelpCase{"despite_a_bad_frame_count",
                                                    {"a.okd", "-o", "x.gif", "--frames=0",
                                                     "--version"}}),
                         [](const auto& info) { return info.param.name; });

TEST(Usage, ShowsEveryFormOfTheCommand) {
    const std::string usage = render::usageText();
    EXPECT_NE(usage.find("ondulix-k-render SETTINGS.okd -o OUT.png [--clock T]\n"),
              std::string::npos);
    EXPECT_NE(usage.find("ondulix-k-render SETTINGS.okd -o OUT.gif --frames N [--clock T]\n"),
              std::string::npos);
    EXPECT_NE(usage.find("ondulix-k-render SETTINGS.okd --link PAGE_URL\n"), std::string::npos);
    EXPECT_EQ(usage.back(), '\n');
}

} // namespace
