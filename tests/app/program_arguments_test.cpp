// The desktop program's command line: the rules it shares with ondulix-k-render's. What the
// plainer lines start, and their messages, are in startup_test.cpp.
#include "in_language.h"
#include "program_arguments.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

struct ArgumentsCase {
    const char* name;
    std::vector<std::string> args;
    enum class Asks { Start, Help, Version, Error } asks;
    std::string value; // the file to start with ("" for none), or the error's message
};

using Asks = ArgumentsCase::Asks;

// Test listings show the row's name rather than its bytes.
void PrintTo(const ArgumentsCase& c, std::ostream* os) {
    *os << c.name;
}

// The rows give the messages in English.
class ProgramArguments : public ::testing::TestWithParam<ArgumentsCase> {
    testsupport::InLanguage english_{"en"};
};

TEST_P(ProgramArguments, AskForThis) {
    const ArgumentsCase& c = GetParam();
    const sd::ProgramArguments parsed = sd::parseProgramArguments(c.args);
    switch (c.asks) {
    case Asks::Start: {
        ASSERT_TRUE(std::holds_alternative<sd::StartRequest>(parsed));
        const std::optional<std::string>& file = std::get<sd::StartRequest>(parsed).settingsPath;
        EXPECT_EQ(file.value_or(""), c.value);
        EXPECT_EQ(file.has_value(), !c.value.empty());
        break;
    }
    case Asks::Help:
        EXPECT_TRUE(std::holds_alternative<sd::HelpRequest>(parsed));
        break;
    case Asks::Version:
        EXPECT_TRUE(std::holds_alternative<sd::VersionRequest>(parsed));
        break;
    case Asks::Error:
        ASSERT_TRUE(std::holds_alternative<sd::ArgumentError>(parsed));
        EXPECT_EQ(std::get<sd::ArgumentError>(parsed).message, c.value);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Desktop, ProgramArguments,
    ::testing::Values(
        ArgumentsCase{"dash_alone_is_a_name", {"-"}, Asks::Start, "-"},
        ArgumentsCase{"name_starting_with_a_dash_after_double_dash",
                      {"--", "-odd.okd"},
                      Asks::Start,
                      "-odd.okd"},
        ArgumentsCase{
            "help_after_double_dash_is_a_file_name", {"--", "--help"}, Asks::Start, "--help"},
        ArgumentsCase{"short_help", {"-h"}, Asks::Help, ""},
        ArgumentsCase{
            "help_despite_an_unknown_option", {"--fast", "a.okd", "--help"}, Asks::Help, ""},
        ArgumentsCase{"help_before_the_version", {"--version", "-h"}, Asks::Help, ""},
        ArgumentsCase{
            "version_despite_two_files", {"a.okd", "b.okd", "--version"}, Asks::Version, ""},
        // Qt's own options are not taken either: the line is read before Qt starts.
        ArgumentsCase{"toolkit_option",
                      {"-platform", "offscreen"},
                      Asks::Error,
                      "unknown option '-platform'"}),
    [](const auto& info) { return info.param.name; });

} // namespace
