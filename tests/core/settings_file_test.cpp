#include "settings_file.h"
#include "setup_link.h"
#include "startup_settings_lines.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using sound::readSettings;
using sound::SettingsLineError;
using sound::StoredSetup;

// The window's controls and sources right after start-up.
StoredSetup startupSetup() {
    StoredSetup s;
    s.sliders = {-30, 30, 20, 20, 20, 200};
    s.options = {false, true, false, true, true, true, true, false, false, false, false};
    return s;
}

using testsupport::startupLines;
using testsupport::startupWith;

std::string join(const std::vector<std::string>& lines, const std::string& lineBreak,
                 bool finalBreak = true) {
    return testsupport::joinLines(lines, lineBreak, finalBreak);
}

sound::SettingsReadResult readText(const std::string& text) {
    std::istringstream in(text);
    return readSettings(in);
}

StoredSetup expectSetup(const sound::SettingsReadResult& result) {
    if (const auto* error = std::get_if<SettingsLineError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<StoredSetup>(result);
}

SettingsLineError expectError(const sound::SettingsReadResult& result) {
    if (std::holds_alternative<StoredSetup>(result)) {
        ADD_FAILURE() << "the file was accepted";
        return {};
    }
    return std::get<SettingsLineError>(result);
}

// The whole file as the window writes it: every line followed by CR LF.
std::string fileText(const StoredSetup& setup) {
    const auto lines = sound::settingsLines(setup);
    return join({lines.begin(), lines.end()}, "\r\n");
}

std::string notAnInteger(const std::string& quoted) {
    return "'" + quoted + "' は整数ではありません";
}

std::string notABoolean(const std::string& quoted) {
    return "'" + quoted + "' は正しい論理型ではありません";
}

// --- Writing ---------------------------------------------------------------------------

TEST(SettingsWriter, StartupSetupIsThe124ByteFile) {
    const std::string expected = "-30\r\n30\r\n20\r\n20\r\n20\r\n200\r\n"
                                 "0\r\n-1\r\n0\r\n-1\r\n-1\r\n-1\r\n-1\r\n0\r\n0\r\n0\r\n0\r\n"
                                 "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                                 "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    ASSERT_EQ(expected.size(), 124u);
    EXPECT_EQ(fileText(startupSetup()), expected);
}

TEST(SettingsWriter, WritesPlainDecimalsAndOptionsAsMinusOneOrZero) {
    StoredSetup s = startupSetup();
    s.sliders[StoredSetup::thetachanger] = 7;
    s.sources[0][StoredSetup::x] = -2147483647 - 1;
    s.sources[3][StoredSetup::phase] = 2147483647;
    s.sources[1][StoredSetup::amp] = 40;
    s.options[StoredSetup::ch_koma] = true;
    s.sourceTexts[1][StoredSetup::amp] = "  $28"; // captions do not reach the file
    const auto lines = sound::settingsLines(s);
    EXPECT_EQ(lines[0], "7");
    EXPECT_EQ(lines[16], "-1");
    EXPECT_EQ(lines[17], "-2147483648");
    EXPECT_EQ(lines[24], "40");
    EXPECT_EQ(lines[36], "2147483647");
}

struct RoundCase {
    const char* name;
    double value;
    std::int32_t rounded;
};

class SourceRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(SourceRounding, RoundsToNearestWithHalvesToEven) {
    EXPECT_EQ(sound::roundSourceValue(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsWriter, SourceRounding,
    ::testing::Values(RoundCase{"whole", 12.0, 12}, RoundCase{"below_half", 0.4999, 0},
                      RoundCase{"above_half", 0.5001, 1}, RoundCase{"half_to_even_down", 2.5, 2},
                      RoundCase{"half_to_even_up", 3.5, 4}, RoundCase{"minus_half", -0.5, 0},
                      RoundCase{"minus_two_and_half", -2.5, -2},
                      RoundCase{"upper_limit", 2147483647.0, 2147483647},
                      RoundCase{"lower_limit", -2147483648.0, -2147483647 - 1},
                      RoundCase{"beyond_upper_limit", 1e12, 2147483647},
                      RoundCase{"beyond_lower_limit", -1e12, -2147483647 - 1}),
    [](const auto& info) { return info.param.name; });

// --- Reading whole files -----------------------------------------------------------------

// A set-up whose every value differs from the defaults and from its neighbours, the sources'
// values spread over the whole 32-bit range.
StoredSetup variedSetup() {
    StoredSetup s;
    s.sliders = {45, -180, 50, 5, 33, 1000};
    s.options = {true, false, false, false, true, false, true, true, false, true, true};
    std::int32_t v = -2147483647 - 1;
    for (auto& source : s.sources)
        for (auto& value : source)
            value = v += 107374182;
    return s;
}

TEST(SettingsReader, RoundTripGivesTheSameValuesAndDecimalCaptions) {
    const StoredSetup s = variedSetup();
    const StoredSetup read = expectSetup(readText(fileText(s)));
    EXPECT_EQ(read.sliders, s.sliders);
    EXPECT_EQ(read.options, s.options);
    EXPECT_EQ(read.sources, s.sources);
    for (std::size_t k = 0; k < 4; ++k)
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_EQ(read.sourceTexts[k][i], std::to_string(s.sources[k][i]));
}

TEST(SettingsReader, StartupFileReadsBackAsTheStartupSetup) {
    StoredSetup expected = startupSetup();
    for (auto& texts : expected.sourceTexts)
        texts.fill("0");
    EXPECT_EQ(expectSetup(readText(join(startupLines(), "\r\n"))), expected);
}

struct LineBreakCase {
    const char* name;
    std::string lineBreak;
    bool finalBreak;
};

class LineBreaks : public ::testing::TestWithParam<LineBreakCase> {};

TEST_P(LineBreaks, ReadLikeCrLf) {
    std::vector<std::string> lines = startupLines();
    lines[17] = "  12";
    lines[36] = "$1F";
    const StoredSetup reference = expectSetup(readText(join(lines, "\r\n")));
    const StoredSetup read =
        expectSetup(readText(join(lines, GetParam().lineBreak, GetParam().finalBreak)));
    EXPECT_EQ(read, reference);
    EXPECT_EQ(read.sources[3][StoredSetup::phase], 31);
}

INSTANTIATE_TEST_SUITE_P(SettingsReader, LineBreaks,
                         ::testing::Values(LineBreakCase{"lf_only", "\n", true},
                                           LineBreakCase{"crlf_without_final_break", "\r\n", false},
                                           LineBreakCase{"lf_without_final_break", "\n", false}),
                         [](const auto& info) { return info.param.name; });

struct ByteOrderMarkCase {
    const char* name;
    std::string before;  // put before the first line
    std::string message; // "" when the file reads as without it
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const ByteOrderMarkCase& c, std::ostream* os) {
    *os << c.name;
}

class ByteOrderMark : public ::testing::TestWithParam<ByteOrderMarkCase> {};

TEST_P(ByteOrderMark, IsSkippedOnlyWholeAndAtTheStart) {
    const std::string file = GetParam().before + join(startupLines(), "\r\n");
    if (GetParam().message.empty()) {
        EXPECT_EQ(expectSetup(readText(file)), expectSetup(readText(join(startupLines(), "\r\n"))));
        return;
    }
    const SettingsLineError error = expectError(readText(file));
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(error.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsReader, ByteOrderMark,
    ::testing::Values(
        ByteOrderMarkCase{"whole_mark", "\xEF\xBB\xBF", ""},
        ByteOrderMarkCase{"two_marks", "\xEF\xBB\xBF\xEF\xBB\xBF", notAnInteger("\uFEFF-30")},
        ByteOrderMarkCase{"part_of_a_mark", "\xEF\xBB", notAnInteger("\xEF\xBB-30")},
        ByteOrderMarkCase{"blank_before_the_mark", " \xEF\xBB\xBF", notAnInteger(" \uFEFF-30")}),
    [](const auto& info) { return info.param.name; });

TEST(SettingsReader, FileOfOnlyPartOfAMarkKeepsItsBytes) {
    EXPECT_EQ(expectError(readText("\xEF\xBB")).message, notAnInteger("\xEF\xBB"));
    EXPECT_EQ(expectError(readText("\xEF\xBB\xBF")).message, notAnInteger(""));
}

TEST(SettingsReader, EmptyFileFailsAtLineOneWithTheEmptyText) {
    const SettingsLineError error = expectError(readText(""));
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(error.message, notAnInteger(""));
}

TEST(SettingsReader, FileOf36LinesFailsAtLine37WithTheEmptyText) {
    std::vector<std::string> lines = startupLines();
    lines[35] = "-9";
    lines.pop_back();
    const SettingsLineError error = expectError(readText(join(lines, "\r\n")));
    EXPECT_EQ(error.line, 37);
    EXPECT_EQ(error.message, notAnInteger(""));
}

TEST(SettingsReader, FileOf40LinesIgnoresAndLeavesTheLastThreeLines) {
    const std::string tail = "garbage\r\n\xFF\xFE\r\n1.5\r\n";
    std::istringstream in(join(startupLines(), "\r\n") + tail);
    EXPECT_TRUE(std::holds_alternative<StoredSetup>(readSettings(in)));
    // Nothing after line 37 was consumed.
    std::string rest(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(rest, tail);
}

TEST(SettingsReader, BadSpeedLineIsReportedAsLineFive) {
    std::vector<std::string> lines = startupLines();
    lines[0] = "45";
    lines[3] = "7";
    lines[4] = "abc";
    const SettingsLineError error = expectError(readText(join(lines, "\r\n")));
    EXPECT_EQ(error.line, 5);
    EXPECT_EQ(error.message, notAnInteger("abc"));
}

TEST(SettingsReader, OnlyTheFirstOfSeveralBadLinesIsReported) {
    std::vector<std::string> lines = startupLines();
    lines[8] = "maybe";
    lines[20] = "x";
    lines[2] = "3 ";
    const SettingsLineError error = expectError(readText(join(lines, "\n")));
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(error.message, notAnInteger("3 "));
}

// --- One line at a time ------------------------------------------------------------------

struct OptionLineCase {
    const char* name;
    std::string text;
    bool checked;
};

class OptionLine : public ::testing::TestWithParam<OptionLineCase> {};

TEST_P(OptionLine, SetsTheCheckBox) {
    std::vector<std::string> lines = startupLines();
    lines[9] = GetParam().text;
    const StoredSetup read = expectSetup(readText(join(lines, "\r\n")));
    EXPECT_EQ(read.options[StoredSetup::ch_baishitsu], GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsReader, OptionLine,
    ::testing::Values(OptionLineCase{"minus_one", "-1", true}, OptionLineCase{"zero", "0", false},
                      OptionLineCase{"one", "1", true}, OptionLineCase{"half", "0.5", true},
                      OptionLineCase{"zero_point_zero", "0.0", false},
                      OptionLineCase{"zero_between_blanks", " 0 ", false},
                      OptionLineCase{"True", "True", true}, OptionLineCase{"FALSE", "FALSE", false},
                      OptionLineCase{"tRuE", "tRuE", true}),
    [](const auto& info) { return info.param.name; });

TEST(SettingsReader, OptionLineYesIsNotABoolean) {
    std::vector<std::string> lines = startupLines();
    lines[9] = "yes";
    const SettingsLineError error = expectError(readText(join(lines, "\r\n")));
    EXPECT_EQ(error.line, 10);
    EXPECT_EQ(error.message, notABoolean("yes"));
}

struct SourceLineCase {
    const char* name;
    std::string text;
    std::int32_t value;
};

class SourceLine : public ::testing::TestWithParam<SourceLineCase> {};

TEST_P(SourceLine, KeepsTheTextAsReadForTheCaption) {
    std::vector<std::string> lines = startupLines();
    lines[17] = GetParam().text;
    const StoredSetup read = expectSetup(readText(join(lines, "\r\n")));
    EXPECT_EQ(read.sources[0][StoredSetup::x], GetParam().value);
    EXPECT_EQ(read.sourceTexts[0][StoredSetup::x], GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(SettingsReader, SourceLine,
                         ::testing::Values(SourceLineCase{"two_blanks_then_12", "  12", 12},
                                           SourceLineCase{"dollar_1F", "$1F", 31},
                                           SourceLineCase{"plus_and_zeros", "+007", 7},
                                           SourceLineCase{"minus_zero", "-0", 0}),
                         [](const auto& info) { return info.param.name; });

TEST(SettingsReader, SourceLineWithTrailingBlankIsAnError) {
    std::vector<std::string> lines = startupLines();
    lines[17] = "12 ";
    const SettingsLineError error = expectError(readText(join(lines, "\r\n")));
    EXPECT_EQ(error.line, 18);
    EXPECT_EQ(error.message, notAnInteger("12 "));
}

struct SpeedCase {
    const char* name;
    std::string text;
    std::int32_t position;
};

class SpeedLine : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(SpeedLine, IsHeldInsideTheSliderRange) {
    std::vector<std::string> lines = startupLines();
    lines[4] = GetParam().text;
    const StoredSetup read = expectSetup(readText(join(lines, "\r\n")));
    EXPECT_EQ(read.sliders[StoredSetup::velocitychanger], GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsReader, SpeedLine,
    ::testing::Values(SpeedCase{"zero", "0", 5}, SpeedCase{"negative", "-5", 5},
                      SpeedCase{"lowest_minimum", "-2147483648", 5}, SpeedCase{"minimum", "5", 5},
                      SpeedCase{"inside", "27", 27}, SpeedCase{"maximum", "50", 50},
                      SpeedCase{"one_past_maximum", "51", 50}, SpeedCase{"far_past", "5000", 50}),
    [](const auto& info) { return info.param.name; });

TEST(SettingsReader, OtherSlidersAreNotClamped) {
    std::vector<std::string> lines = startupLines();
    lines[0] = "120";
    lines[2] = "3";
    lines[5] = "5000";
    const StoredSetup read = expectSetup(readText(join(lines, "\r\n")));
    EXPECT_EQ(read.sliders[StoredSetup::thetachanger], 120);
    EXPECT_EQ(read.sliders[StoredSetup::numpoints], 3);
    EXPECT_EQ(read.sliders[StoredSetup::fpschanger], 5000);
}

TEST(SettingsReader, CarriageReturnNotBeforeLineFeedStaysInTheLine) {
    std::vector<std::string> lines = startupLines();
    lines[1] = "3\r0";
    const SettingsLineError error = expectError(readText(join(lines, "\r\n")));
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.message, notAnInteger("3\r0"));

    // A file ending in a lone CR keeps it in its last line.
    lines = startupLines();
    const SettingsLineError last = expectError(readText(join(lines, "\r\n", false) + "\r"));
    EXPECT_EQ(last.line, 37);
    EXPECT_EQ(last.message, notAnInteger("0\r"));
}

// --- Hostile files ------------------------------------------------------------------------

TEST(SettingsReader, FiveMegabyteLineIsRejectedWithAShortQuote) {
    std::vector<std::string> lines = startupLines();
    lines[17] = std::string(5 << 20, '1');
    const SettingsLineError error = expectError(readText(join(lines, "\r\n")));
    EXPECT_EQ(error.line, 18);
    EXPECT_EQ(error.message, notAnInteger(std::string(100, '1') + "…"));
}

struct LongLineCase {
    const char* name;
    int line; // 1 to 37
    std::string text;
    std::string written; // the line as Save writes the value back
    std::string caption; // for a source line: its button's text after the prefix
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const LongLineCase& c, std::ostream* os) {
    *os << c.name;
}

class LongLine : public ::testing::TestWithParam<LongLineCase> {};

TEST_P(LongLine, ConvertsWhenItsTextDoes) {
    const LongLineCase& c = GetParam();
    std::vector<std::string> lines = startupLines();
    lines[std::size_t(c.line - 1)] = c.text;
    const StoredSetup read = expectSetup(readText(join(lines, "\r\n")));
    EXPECT_EQ(sound::settingsLines(read)[std::size_t(c.line - 1)], c.written);
    if (c.line >= 18) {
        const std::size_t value = std::size_t(c.line - 18);
        EXPECT_EQ(read.sourceTexts[value / 5][value % 5], c.caption);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SettingsReader, LongLine,
    ::testing::Values(
        LongLineCase{"blanks_then_minus_30", 1, std::string(100000, ' ') + "-30", "-30", ""},
        // The caption keeps the line up to 400 bytes, and shows the value of a longer one.
        LongLineCase{"zeros_then_5", 20, std::string(70000, '0') + "5", "5", "5"},
        LongLineCase{"caption_of_400_bytes", 18, std::string(397, ' ') + "$1F", "31",
                     std::string(397, ' ') + "$1F"},
        LongLineCase{"hex_zeros", 37, "0x" + std::string(70000, '0') + "FFFFFFFF", "-1", "-1"},
        LongLineCase{"option_number", 10,
                     std::string(80000, ' ') + "-000." + std::string(80000, '0') + "5e-99999" +
                         std::string(80000, ' '),
                     "-1", ""}),
    [](const auto& info) { return info.param.name; });

TEST(SettingsReader, QuoteCountsCharactersNotBytes) {
    const std::string a = "あ"; // three bytes
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += a;
    std::vector<std::string> lines = startupLines();
    lines[0] = hundred;
    EXPECT_EQ(expectError(readText(join(lines, "\r\n"))).message, notAnInteger(hundred));
    lines[0] = hundred + "x";
    EXPECT_EQ(expectError(readText(join(lines, "\r\n"))).message, notAnInteger(hundred + "…"));
}

// The message quotes the bytes as read; whatever shows it escapes them.
TEST(SettingsReader, NulAndBinaryBytesAreQuotedWhole) {
    std::vector<std::string> lines = startupLines();
    lines[6] = std::string("1\0\xFF\xC3 2", 6);
    const SettingsLineError error = expectError(readText(join(lines, "\r\n")));
    EXPECT_EQ(error.line, 7);
    EXPECT_EQ(error.message, notABoolean(std::string("1\0\xFF\xC3 2", 6)));
}

TEST(SettingsReader, QuoteCountsAByteThatIsNotUtf8AsOneCharacter) {
    std::vector<std::string> lines = startupLines();
    lines[0] = std::string(99, 'x') + "\xFF\xFFy";
    EXPECT_EQ(expectError(readText(join(lines, "\r\n"))).message,
              notAnInteger(std::string(99, 'x') + "\xFF…"));
}

TEST(SettingsReader, FileOfBinaryBytesIsRejectedAtLineOne) {
    std::string bytes;
    for (int i = 0; i < 256 * 1024; ++i)
        bytes.push_back(static_cast<char>((i * 7919) & 0xFF));
    const SettingsLineError error = expectError(readText(bytes));
    EXPECT_EQ(error.line, 1);
    // A quote of 100 characters, each at most four bytes, an ellipsis and the words.
    EXPECT_LT(error.message.size(), 500u);
}

// --- Links ---------------------------------------------------------------------------------

// What a reading gave, in one text, so that two readings compare whole.
std::string describe(const sound::SettingsReadResult& result) {
    if (const auto* error = std::get_if<SettingsLineError>(&result))
        return "line " + std::to_string(error->line) + ": " + error->message;
    const StoredSetup& setup = std::get<StoredSetup>(result);
    const auto lines = sound::settingsLines(setup);
    std::string text = join({lines.begin(), lines.end()}, "\n");
    for (const auto& texts : setup.sourceTexts)
        for (const std::string& caption : texts)
            text += "caption '" + caption + "'\n";
    return text;
}

std::string fragmentOf(const std::vector<std::string>& values) {
    return "okd=" + join(values, ",", false);
}

TEST(SetupLink, IsTheSavedLinesJoinedByCommasAndReadsBackAsTheirFile) {
    const StoredSetup s = variedSetup();
    const auto lines = sound::settingsLines(s);
    const std::string fragment = sound::setupFragment(s);
    EXPECT_EQ(fragment, fragmentOf({lines.begin(), lines.end()}));
    const auto read = sound::readSetupFragment(fragment);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(describe(*read), describe(readText(join({lines.begin(), lines.end()}, "\r\n"))));
}

struct LinkCase {
    const char* name;
    std::string fragment;
    // The lines of the file that reads alike; nothing when the fragment is no set-up.
    std::optional<std::vector<std::string>> file;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class LinkReading : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkReading, GivesWhatTheFileOfTheSameLinesGives) {
    const LinkCase& c = GetParam();
    const auto read = sound::readSetupFragment(c.fragment);
    if (!c.file) {
        EXPECT_FALSE(read.has_value());
        return;
    }
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(describe(*read), describe(readText(join(*c.file, "\r\n"))));
}

std::vector<std::string> firstStartupLines(std::size_t count) {
    std::vector<std::string> lines = startupLines();
    lines.resize(count);
    return lines;
}

std::vector<std::string> fortyLines() {
    std::vector<std::string> lines = startupLines();
    lines.insert(lines.end(), {"rubbish", "", "%zz"});
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    SettingsReader, LinkReading,
    ::testing::Values(
        LinkCase{"another_pages_anchor", "section-2", std::nullopt},
        LinkCase{"empty_fragment", "", std::nullopt},
        LinkCase{"mark_in_capitals", "OKD=" + fragmentOf(startupLines()).substr(4), std::nullopt},
        LinkCase{"startup", fragmentOf(startupLines()), startupLines()},
        LinkCase{"escapes_in_either_case",
                 fragmentOf(startupWith({{1, "%2d45"}, {18, "%20%2012"}, {37, "%241f"}})),
                 startupWith({{1, "-45"}, {18, "  12"}, {37, "$1f"}})},
        LinkCase{"stray_percents_stay",
                 fragmentOf(startupWith({{20, "1%"}, {21, "%zz"}, {37, "%4"}})),
                 startupWith({{20, "1%"}, {21, "%zz"}, {37, "%4"}})},
        LinkCase{"escaped_comma_stays_in_its_value", fragmentOf(startupWith({{3, "3%2C0"}})),
                 startupWith({{3, "3,0"}})},
        // A saved file's CR LF, and the mark an editor puts before line 1.
        LinkCase{"escaped_carriage_return_at_a_values_end",
                 fragmentOf(startupWith({{2, "30%0D"}, {37, "0%0d"}})), startupLines()},
        LinkCase{"escaped_carriage_return_inside_a_value", fragmentOf(startupWith({{2, "3%0D0"}})),
                 startupWith({{2, "3\r0"}})},
        LinkCase{"escaped_byte_order_mark", fragmentOf(startupWith({{1, "%EF%BB%BF-30"}})),
                 startupWith({{1, "\xEF\xBB\xBF-30"}})},
        LinkCase{"escaped_byte_order_mark_on_line_2", fragmentOf(startupWith({{2, "%EF%BB%BF30"}})),
                 startupWith({{2, "\xEF\xBB\xBF"
                                  "30"}})},
        LinkCase{"first_bad_value_wins", fragmentOf(startupWith({{3, "x"}, {12, "yes"}})),
                 startupWith({{3, "x"}, {12, "yes"}})},
        LinkCase{"no_values", "okd=", std::vector<std::string>{}},
        LinkCase{"fewer_values_end_early", fragmentOf(firstStartupLines(36)),
                 firstStartupLines(36)},
        LinkCase{"values_past_the_37th_are_ignored", fragmentOf(fortyLines()), fortyLines()}),
    [](const auto& info) { return info.param.name; });

TEST(SetupLink, EscapedLineFeedStaysInItsValueAndIsRefusedThere) {
    // A file cannot hold it: the value is still one line, and the ones after keep their places.
    for (const std::string value : {"1%0A2", "30%0D%0A", "%0A"}) {
        const auto read = sound::readSetupFragment(fragmentOf(startupWith({{18, value}})));
        ASSERT_TRUE(read.has_value());
        const SettingsLineError error = expectError(*read);
        EXPECT_EQ(error.line, 18) << value;
        EXPECT_EQ(error.message.find('\n') != std::string::npos, true) << value;
    }
}

// Values as a hand or a browser may write them, each escaped at random: the link reads as the
// file of the same lines does, whichever line break the file uses, with or without the mark.
TEST(SetupLink, ReadsAsTheFileOfTheSameValuesWhateverTheyHold) {
    const std::vector<std::string> pieces = {"0",  "17", "-", "+",  "$", "x",    "f",           " ",
                                             "\r", ",",  "%", "%2", "a", "True", "\xEF\xBB\xBF"};
    std::mt19937 random(26);
    const auto below = [&](std::size_t n) { return std::size_t(random() % n); };
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> values = startupLines();
        values.resize(37 - below(2) * below(37));
        for (std::size_t changes = below(4); changes > 0; --changes) {
            std::string& value = values[below(values.size())];
            value.clear();
            for (std::size_t n = below(4); n > 0; --n)
                value += pieces[below(pieces.size())];
        }
        const bool mark = below(4) == 0;
        std::string file = mark ? "\xEF\xBB\xBF" : "";
        std::string link = "okd=";
        for (std::size_t i = 0; i < values.size(); ++i) {
            // A CRLF line is the link's value with its CR escaped at the end.
            const bool crlf = below(2) == 0;
            file += values[i] + (crlf ? "\r\n" : "\n");
            const std::string bytes =
                (i == 0 && mark ? "\xEF\xBB\xBF" : "") + values[i] + (crlf ? "\r" : "");
            for (const char c : bytes) {
                static const char* const kHex[] = {"0123456789ABCDEF", "0123456789abcdef"};
                const auto byte = static_cast<unsigned char>(c);
                if (c == ',' || c == '%' || below(3) == 0)
                    link += {'%', kHex[below(2)][byte >> 4], kHex[below(2)][byte & 15]};
                else
                    link += c;
            }
            link += i + 1 < values.size() ? "," : "";
        }
        const auto read = sound::readSetupFragment(link);
        ASSERT_TRUE(read.has_value());
        const auto fromFile = readText(file);
        ASSERT_EQ(describe(*read), describe(fromFile)) << link;
        accepted += std::holds_alternative<StoredSetup>(fromFile);
    }
    // Both kinds of reading were compared, often.
    EXPECT_GT(accepted, 200);
    EXPECT_LT(accepted, 1800);
}

} // namespace
