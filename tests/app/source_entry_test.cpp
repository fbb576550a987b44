// The twenty source buttons: what they ask, what they accept, and what they change.
#include "scripted_window.h"
#include "sound.h"
#include "source_fields.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

struct EntryCase {
    const char* name;
    std::optional<std::string> typed; // nothing: the box was cancelled
    std::optional<double> value;      // nothing: the entry changes nothing
};

class SourceEntry : public ::testing::TestWithParam<EntryCase> {};

// bt_1_x already holds 5, entered as "5"; each row then types into it once.
TEST_P(SourceEntry, StoresTheValueAndShowsTheTextAsTyped) {
    const EntryCase& c = GetParam();
    ScriptedWindow w;
    w.input->answers = {"5", c.typed};
    w->bt_1_x.press();
    w->bt_1_x.press();
    ASSERT_EQ(w.input->asked.size(), 2u);
    EXPECT_EQ(w.input->asked[1].caption, "入力");
    EXPECT_EQ(w.input->asked[1].prompt, "波源1のx座標は？");
    if (c.value) {
        EXPECT_EQ(sound::hagen[0].x, *c.value);
        EXPECT_EQ(w->bt_1_x.caption(), "X:" + *c.typed);
    } else {
        EXPECT_EQ(sound::hagen[0].x, 5.0);
        EXPECT_EQ(w->bt_1_x.caption(), "X:5");
    }
    EXPECT_TRUE(w.errors->shown.empty()) << "invalid entries are ignored silently";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SourceEntry,
    ::testing::Values(EntryCase{"plain", "12", 12}, EntryCase{"two_leading_blanks", "  12", 12},
                      EntryCase{"trailing_blank", "12 ", std::nullopt},
                      EntryCase{"plus_sign", "+7", 7}, EntryCase{"leading_zeros", "007", 7},
                      EntryCase{"minus_zero", "-0", 0}, EntryCase{"negative", "-250", -250},
                      EntryCase{"dollar_hex", "$10", 16}, EntryCase{"x_hex", "x10", 16},
                      EntryCase{"0x_hex", "0x10", 16}, EntryCase{"hex_minus_one", "$FFFFFFFF", -1},
                      EntryCase{"nine_hex_digits", "$123456789", std::nullopt},
                      EntryCase{"int_max", "2147483647", 2147483647.0},
                      EntryCase{"int_min", "-2147483648", -2147483648.0},
                      EntryCase{"above_int_max", "2147483648", std::nullopt},
                      EntryCase{"below_int_min", "-2147483649", std::nullopt},
                      EntryCase{"marker", "7296183", std::nullopt},
                      EntryCase{"marker_in_hex", "$6F54B7", std::nullopt},
                      EntryCase{"below_marker", "7296182", 7296182},
                      EntryCase{"above_marker", "7296184", 7296184},
                      EntryCase{"decimal_point", "1.5", std::nullopt},
                      EntryCase{"exponent", "1e3", std::nullopt},
                      EntryCase{"thousands_comma", "1,000", std::nullopt},
                      EntryCase{"full_width_digits", "１２", std::nullopt},
                      EntryCase{"empty", "", std::nullopt},
                      EntryCase{"cancelled", std::nullopt, std::nullopt}),
    [](const auto& info) { return info.param.name; });

// Each button asks about its own source and field and writes only that field; the
// caption prefix names the field.
TEST(SourceButtons, EachSetsItsOwnFieldOfItsOwnSource) {
    ScriptedWindow w;
    const auto buttons = w->sourceButtons();
    const char* prefixes[] = {"X:", "Y:", "A:", "ω:", "Φ:"};
    const char* asks[] = {"のx座標は？", "のy座標は？", "の振幅は？", "の角振動数は？",
                          "の位相差[degree]は？"};
    double sound::THagen::*fields[] = {&sound::THagen::x, &sound::THagen::y, &sound::THagen::amp,
                                       &sound::THagen::omega, &sound::THagen::phase};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int source = int(i / 5) + 1;
        const std::size_t f = i % 5;
        const std::string name = buttons[i]->name();
        EXPECT_EQ(name, "bt_" + std::to_string(source) + "_" + "xyaop"[f]);

        sound::Hagen before = sound::hagen;
        w.input->answers = {std::to_string(100 + i)};
        buttons[i]->press();
        ASSERT_EQ(w.input->asked.size(), i + 1);
        EXPECT_EQ(w.input->asked.back().prompt, "波源" + std::to_string(source) + asks[f]) << name;
        EXPECT_EQ(buttons[i]->caption(), prefixes[f] + std::to_string(100 + i));
        before[source - 1].*fields[f] = double(100 + i);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(sound::hagen[k].x, before[k].x) << name;
            EXPECT_EQ(sound::hagen[k].y, before[k].y) << name;
            EXPECT_EQ(sound::hagen[k].amp, before[k].amp) << name;
            EXPECT_EQ(sound::hagen[k].omega, before[k].omega) << name;
            EXPECT_EQ(sound::hagen[k].phase, before[k].phase) << name;
            EXPECT_EQ(sound::hagen[k].speed, 2.0) << name;
        }
    }
}

TEST(SourceButtons, NewValueShowsOnlyInTheNextFrame) {
    ScriptedWindow w;
    // A first frame with the flat medium, then stop.
    w->BitBtn1.press();
    ASSERT_TRUE(w.timer->fire());
    w->BitBtn1.press();
    const auto flat = w.pixels();

    w.input->answers = {"300", "30"};
    w->bt_1_a.press();
    w->bt_1_o.press();
    EXPECT_EQ(sound::hagen[0].amp, 300.0);
    EXPECT_EQ(w.pixels(), flat) << "entering a value does not redraw";

    w->BitBtn1.press();
    ASSERT_TRUE(w.timer->fire());
    EXPECT_NE(w.pixels(), flat);
    EXPECT_EQ(w.pixels(), referenceFrame(sound::hagen, 1, sound::View{30, 30}));
}

// The animation goes on behind the open box with the old value; the new one is used from
// the first tick after OK.
TEST(SourceButtons, TicksWhileTheBoxIsOpenUseTheOldValue) {
    ScriptedWindow w;
    sound::hagen[0] = {0, 0, 300, 30, 0, 2};
    w->BitBtn1.press();
    std::vector<std::uint32_t> behindTheBox;
    w.input->whileOpen = [&] {
        ASSERT_TRUE(w.timer->fire());
        behindTheBox = w.pixels();
    };
    w.input->answers = {"-300"};
    w->bt_1_a.press();
    sound::Hagen old = sound::hagen;
    old[0].amp = 300;
    EXPECT_EQ(behindTheBox, referenceFrame(old, 0, sound::View{30, 30}));
    ASSERT_TRUE(w.timer->fire());
    EXPECT_EQ(w.pixels(), referenceFrame(sound::hagen, 1, sound::View{30, 30}));
    EXPECT_EQ(sound::hagen[0].amp, -300.0);
}

} // namespace
