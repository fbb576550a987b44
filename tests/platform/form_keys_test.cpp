// How a window and its boxes answer the keyboard with no toolkit: Tab going round the
// controls, the keys of buttons, check boxes, radio buttons and track bars, the menu bar's
// keys, and the input and error boxes with their field, buttons, Enter and Esc. Each backend
// only hands the keys on, so these rules hold on the desktop and in the page alike.
#include "button.h"
#include "check_box.h"
#include "error_box.h"
#include "form.h"
#include "headless_backend.h"
#include "input_box.h"
#include "layout.h"
#include "menu.h"
#include "static_controls.h"
#include "track_bar.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using platform::ControlKind;
using platform::ControlLayout;
using platform::Key;
using platform::KeyStroke;

KeyStroke press(Key key) {
    return {.key = key};
}
KeyStroke shift(Key key) {
    return {.key = key, .shift = true};
}
KeyStroke letter(char c) {
    return {.key = Key::Letter, .letter = c};
}
KeyStroke altLetter(char c) {
    return {.key = Key::Letter, .letter = c, .alt = true};
}
KeyStroke held(Key key) {
    return {.key = key, .repeat = true};
}

// A window with a File menu, a button, a hidden button, and a panel holding a track bar, a
// check box, a disabled button and two radio buttons.
struct KeyWindow : platform::Form {
    platform::MenuBar bar{*this, "bar"};
    platform::Menu file{*this, "file"};
    platform::MenuItem open{*this, "open"};
    platform::MenuItem save{*this, "save"};
    platform::MenuSeparator line{*this, "line"};
    platform::MenuItem quit{*this, "quit"};
    platform::Button first{*this, "first"};
    platform::Button hidden{*this, "hidden"};
    platform::Panel panel{*this, "panel"};
    platform::TrackBar slider{*this, "slider"};
    platform::CheckBox box{*this, "box"};
    platform::Button off{*this, "off"};
    platform::RadioButton one{*this, "one"};
    platform::RadioButton two{*this, "two"};

    std::vector<std::string> events;

    KeyWindow() {
        static constexpr ControlLayout kRows[] = {
            {.name = "bar", .kind = ControlKind::MenuBar},
            {.name = "file", .kind = ControlKind::Menu, .parent = "bar", .caption = "File(&F)"},
            {.name = "open",
             .kind = ControlKind::MenuItem,
             .parent = "file",
             .caption = "Open(&O)"},
            {.name = "save",
             .kind = ControlKind::MenuItem,
             .parent = "file",
             .caption = "Save(&S)"},
            {.name = "line", .kind = ControlKind::MenuSeparator, .parent = "file", .caption = "-"},
            {.name = "quit",
             .kind = ControlKind::MenuItem,
             .parent = "file",
             .caption = "Quit(&Q)"},
            {.name = "first", .kind = ControlKind::Button, .caption = "go", .tabIndex = 0},
            {.name = "hidden", .kind = ControlKind::Button, .tabIndex = 1, .visible = false},
            {.name = "panel", .kind = ControlKind::Panel, .tabIndex = 2},
            {.name = "slider",
             .kind = ControlKind::TrackBar,
             .parent = "panel",
             .tabIndex = 0,
             .orientation = platform::Orientation::Vertical,
             .min = 5,
             .max = 50,
             .position = 20},
            {.name = "box", .kind = ControlKind::CheckBox, .parent = "panel", .tabIndex = 1},
            {.name = "off", .kind = ControlKind::Button, .parent = "panel", .tabIndex = 2},
            {.name = "one", .kind = ControlKind::RadioButton, .parent = "panel", .tabIndex = 3},
            {.name = "two",
             .kind = ControlKind::RadioButton,
             .parent = "panel",
             .tabIndex = 4,
             .checked = true},
        };
        platform::applyLayout(*this, {.controls = kRows});
        off.setEnabled(false);
        for (platform::MenuItem* item : {&open, &save, &quit})
            item->onClick = [this, item] { events.push_back(item->name()); };
        first.onClick = [this] { events.push_back("first"); };
        slider.onChange = [this] {
            events.push_back("slider " + std::to_string(slider.position()));
        };
    }

    std::string focusName() const { return focused() != nullptr ? focused()->name() : ""; }
    std::string menuState() const {
        const platform::Menu* menu = bar.openMenu();
        if (menu == nullptr)
            return bar.armedMenu() != nullptr ? "armed" : "closed";
        return "open at " + (menu->highlighted() ? menu->highlighted()->name() : std::string("-"));
    }
};

struct TabCase {
    const char* name;
    const char* start; // "" for no focus yet
    std::vector<KeyStroke> keys;
    std::vector<std::string> visited;
    bool panelDisabled = false;
};

class TabOrder : public ::testing::TestWithParam<TabCase> {};

TEST_P(TabOrder, GoesRoundTheControlsThatCanTakeTheFocus) {
    const TabCase& c = GetParam();
    KeyWindow w;
    w.panel.setEnabled(!c.panelDisabled);
    if (*c.start != '\0')
        w.find(c.start)->setFocus();
    std::vector<std::string> visited;
    for (const KeyStroke& key : c.keys) {
        EXPECT_TRUE(w.keyPress(key));
        visited.push_back(w.focusName());
    }
    EXPECT_EQ(visited, c.visited);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TabOrder,
    ::testing::Values(
        TabCase{
            "tab_skips_hidden_and_disabled_and_wraps",
            "first",
            {press(Key::Tab), press(Key::Tab), press(Key::Tab), press(Key::Tab), press(Key::Tab)},
            {"slider", "box", "one", "two", "first"}},
        TabCase{"shift_tab_wraps_backwards_past_the_disabled_button",
                "first",
                {shift(Key::Tab), shift(Key::Tab), shift(Key::Tab)},
                {"two", "one", "box"}},
        TabCase{"from_nowhere_tab_starts_at_the_first", "", {press(Key::Tab)}, {"first"}},
        TabCase{"from_nowhere_shift_tab_starts_at_the_last", "", {shift(Key::Tab)}, {"two"}},
        TabCase{"a_disabled_frame_keeps_all_its_controls_out",
                "first",
                {press(Key::Tab), shift(Key::Tab)},
                {"first", "first"},
                true}),
    [](const auto& info) { return info.param.name; });

struct ControlKeyCase {
    const char* name;
    const char* focus;
    KeyStroke key;
    bool taken;
    std::function<bool(const KeyWindow&)> effect;
};

class ControlKeys : public ::testing::TestWithParam<ControlKeyCase> {};

TEST_P(ControlKeys, ReachTheFocusedControl) {
    const ControlKeyCase& c = GetParam();
    KeyWindow w;
    w.find(c.focus)->setFocus();
    EXPECT_EQ(w.keyPress(c.key), c.taken);
    EXPECT_TRUE(c.effect(w));
}

using Events = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Rows, ControlKeys,
    ::testing::Values(
        ControlKeyCase{"space_presses_a_button", "first", press(Key::Space), true,
                       [](const KeyWindow& w) { return w.events == Events{"first"}; }},
        ControlKeyCase{"enter_presses_a_button", "first", press(Key::Enter), true,
                       [](const KeyWindow& w) { return w.events == Events{"first"}; }},
        ControlKeyCase{"a_held_key_presses_once", "first", held(Key::Space), true,
                       [](const KeyWindow& w) { return w.events.empty(); }},
        ControlKeyCase{"space_toggles_a_check_box", "box", press(Key::Space), true,
                       [](const KeyWindow& w) { return w.box.checked(); }},
        ControlKeyCase{"enter_is_not_a_check_box_key", "box", press(Key::Enter), false,
                       [](const KeyWindow& w) { return !w.box.checked(); }},
        ControlKeyCase{"space_selects_a_radio_button", "one", press(Key::Space), true,
                       [](const KeyWindow& w) { return w.one.checked() && !w.two.checked(); }},
        ControlKeyCase{"down_moves_a_vertical_bar_towards_its_bottom", "slider", press(Key::Down),
                       true, [](const KeyWindow& w) { return w.events == Events{"slider 21"}; }},
        ControlKeyCase{"alt_with_an_arrow_is_left_to_the_toolkit", "slider",
                       KeyStroke{.key = Key::Down, .alt = true}, false,
                       [](const KeyWindow& w) { return w.events.empty(); }},
        ControlKeyCase{"a_letter_is_left_to_the_toolkit", "first", letter('G'), false,
                       [](const KeyWindow& w) { return w.events.empty(); }}),
    [](const auto& info) { return info.param.name; });

// A key going down, or with `letGo` coming up.
struct Step {
    Step(KeyStroke k, bool up = false) : key(k), letGo(up) {}
    KeyStroke key;
    bool letGo;
};

struct MenuCase {
    const char* name;
    std::vector<Step> keys;
    const char* state; // "closed", "armed" or "open at ITEM"
    Events chosen;     // what ran, in order
    bool fileDisabled = false;
};

class MenuKeys : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuKeys, OpenMoveChooseAndClose) {
    const MenuCase& c = GetParam();
    KeyWindow w;
    w.first.setFocus();
    w.file.setEnabled(!c.fileDisabled);
    for (const Step& step : c.keys) {
        if (step.letGo)
            w.keyRelease(step.key);
        else
            w.keyPress(step.key);
    }
    EXPECT_EQ(w.menuState(), c.state);
    EXPECT_EQ(w.events, c.chosen);
    EXPECT_EQ(w.focusName(), "first") << "the menus never move the focus";
}

const Step kAltDown{{.key = Key::Alt}};
const Step kAltUp{{.key = Key::Alt}, true};

INSTANTIATE_TEST_SUITE_P(
    Rows, MenuKeys,
    ::testing::Values(
        MenuCase{"alt_f_opens_with_the_first_item", {altLetter('F')}, "open at open", {}},
        MenuCase{"f10_opens_the_first_menu", {press(Key::F10)}, "open at open", {}},
        MenuCase{"alt_alone_then_f_opens", {kAltDown, kAltUp, letter('F')}, "open at open", {}},
        MenuCase{"alt_alone_arms_the_bar", {kAltDown, kAltUp}, "armed", {}},
        MenuCase{"alt_alone_twice_disarms", {kAltDown, kAltUp, kAltDown, kAltUp}, "closed", {}},
        MenuCase{
            "alt_with_another_key_does_not_arm", {kAltDown, altLetter('X'), kAltUp}, "closed", {}},
        MenuCase{"armed_enter_opens_the_armed_menu",
                 {kAltDown, kAltUp, press(Key::Enter)},
                 "open at open",
                 {}},
        MenuCase{"down_and_enter_choose_the_next_item",
                 {altLetter('F'), press(Key::Down), press(Key::Enter)},
                 "closed",
                 {"save"}},
        MenuCase{"up_wraps_to_the_last_item_past_the_separator",
                 {altLetter('F'), press(Key::Up)},
                 "open at quit",
                 {}},
        MenuCase{"an_items_letter_chooses_it", {altLetter('F'), letter('S')}, "closed", {"save"}},
        MenuCase{"an_items_letter_with_option_held_chooses_it",
                 {altLetter('F'), altLetter('Q')},
                 "closed",
                 {"quit"}},
        MenuCase{"escape_closes_and_leaves_the_bar_armed",
                 {altLetter('F'), press(Key::Escape)},
                 "armed",
                 {}},
        MenuCase{"a_second_escape_disarms",
                 {altLetter('F'), press(Key::Escape), press(Key::Escape)},
                 "closed",
                 {}},
        MenuCase{"an_open_menu_keeps_tab_from_the_window",
                 {altLetter('F'), press(Key::Tab)},
                 "closed",
                 {}},
        MenuCase{"a_letter_of_no_menu_opens_nothing", {altLetter('Q')}, "closed", {}},
        MenuCase{"a_disabled_menu_is_refused", {altLetter('F')}, "closed", {}, true},
        MenuCase{"f10_on_a_disabled_menu_is_refused", {press(Key::F10)}, "closed", {}, true}),
    [](const auto& info) { return info.param.name; });

// The letter a key typed counts, else the letter at its place: Dvorak's F stands at Y's place,
// a Cyrillic layout types "ф" at A's, Option+F on a Mac types "ƒ", Ctrl+F a control
// character, and an AZERTY keyboard's 1 types "&".
TEST(KeyLetter, IsTheTypedLetterElseTheOneAtTheKeysPlace) {
    struct Row {
        char32_t typed;
        char place;
        char letter;
    };
    for (const Row& row :
         {Row{'f', 'Y', 'F'}, Row{U'ф', 'A', 'A'}, Row{U'ƒ', 'F', 'F'}, Row{0x06, 'F', 'F'},
          Row{'&', '1', '1'}, Row{'7', 0, '7'}, Row{U'ф', 0, 0}, Row{' ', 0, 0}})
        EXPECT_EQ(platform::keyLetter(row.typed, row.place), row.letter) << int(row.typed);
}

// A handler a key runs knows the key in hand, so that a focus it moves shows as moved by
// the keyboard; outside the key there is none.
TEST(FormKeys, TheKeyInHandLastsWhileTheFormHandlesIt) {
    KeyWindow w;
    const KeyStroke* seen = nullptr;
    w.first.onClick = [&] { seen = w.keyInHand(); };
    w.first.setFocus();
    const KeyStroke space = press(Key::Space);
    w.keyPress(space);
    EXPECT_EQ(seen, &space);
    w.first.press();
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(w.keyInHand(), nullptr);
}

TEST(MenuKeys, AMenuThatBecomesDisabledWhileOpenCloses) {
    KeyWindow w;
    ASSERT_TRUE(w.keyPress(altLetter('F')));
    w.file.setEnabled(false);
    EXPECT_EQ(w.menuState(), "closed");
    w.open.choose();
    EXPECT_TRUE(w.events.empty()) << "nothing of a disabled menu can be chosen";
}

// A press of the pointer anywhere but on the open menu closes it and disarms the bar; a press
// on the open menu is the menu's own.
TEST(MenuKeys, APressElsewhereDismissesTheMenuBar) {
    struct Row {
        bool armedByAlt; // else the File menu is open, Save under the pointer
        const char* at;  // the control pressed; empty for outside the window
        const char* state;
    };
    for (const Row& row :
         {Row{true, "first", "closed"}, Row{true, "", "closed"}, Row{true, "file", "closed"},
          Row{false, "box", "closed"}, Row{false, "save", "open at save"},
          Row{false, "file", "open at save"}}) {
        KeyWindow w;
        if (row.armedByAlt) {
            w.keyPress(kAltDown.key);
            w.keyRelease(kAltUp.key);
        } else {
            w.file.titlePressed();
            EXPECT_EQ(w.menuState(), "open at -") << "the pointer highlights nothing yet";
            w.save.pointerEntered();
        }
        w.bar.pointerPressed(w.find(row.at));
        EXPECT_EQ(w.menuState(), row.state) << row.armedByAlt << " " << row.at;
    }
}

// ---- The boxes ----

using Operate = std::function<void(platform::InputBox&)>;

void type(platform::InputBox& box, const std::string& text) {
    box.field.edited(text);
}

struct BoxCase {
    const char* name;
    Operate user;
    std::optional<std::string> answer;
    platform::TextRequest request = {.caption = "入力", .prompt = "波源1のx座標は？"};
};

class InputBoxUse : public ::testing::TestWithParam<BoxCase> {};

TEST_P(InputBoxUse, AnswersAsTheUserLeftIt) {
    const BoxCase& c = GetParam();
    platform::HeadlessBackend backend;
    backend.inputBox->user = c.user;
    EXPECT_EQ(platform::askForText(backend, c.request), c.answer);
}

std::string repeated(const std::string& character, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += character;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InputBoxUse,
    ::testing::Values(
        BoxCase{"enter_in_the_field_confirms",
                [](auto& b) {
                    type(b, "  12");
                    b.keyPress(press(Key::Enter));
                },
                "  12"},
        BoxCase{"enter_on_ok_confirms",
                [](auto& b) {
                    type(b, "12");
                    b.keyPress(press(Key::Tab));
                    b.keyPress(press(Key::Enter));
                },
                "12"},
        BoxCase{"enter_on_cancel_cancels",
                [](auto& b) {
                    type(b, "12");
                    b.keyPress(press(Key::Tab));
                    b.keyPress(press(Key::Tab));
                    b.keyPress(press(Key::Enter));
                },
                std::nullopt},
        BoxCase{"space_on_cancel_cancels",
                [](auto& b) {
                    b.keyPress(shift(Key::Tab));
                    b.keyPress(press(Key::Space));
                },
                std::nullopt},
        BoxCase{"space_in_the_field_is_typing",
                [](auto& b) {
                    EXPECT_FALSE(b.keyPress(press(Key::Space)));
                    b.keyPress(press(Key::Enter));
                },
                ""},
        BoxCase{"escape_cancels",
                [](auto& b) {
                    type(b, "12");
                    b.keyPress(press(Key::Escape));
                },
                std::nullopt},
        BoxCase{"the_close_box_cancels",
                [](auto& b) {
                    type(b, "12");
                    b.userClose();
                },
                std::nullopt},
        BoxCase{"ok_on_an_empty_field", [](auto& b) { b.ok.press(); }, ""},
        BoxCase{"255_ascii_characters_kept_of_300",
                [](auto& b) {
                    type(b, std::string(300, '7'));
                    b.ok.press();
                },
                std::string(255, '7')},
        // Outside the Basic Multilingual Plane a character is one code point but two UTF-16
        // units: the limit counts what the user sees.
        BoxCase{"255_of_a_character_beyond_the_bmp_kept",
                [](auto& b) {
                    type(b, repeated("𠮷", 256));
                    b.ok.press();
                },
                repeated("𠮷", 255)},
        BoxCase{"255_emoji_kept",
                [](auto& b) {
                    type(b, repeated("👍", 255));
                    b.ok.press();
                },
                repeated("👍", 255)},
        BoxCase{"needing_text_ok_refuses_an_empty_field",
                [](auto& b) {
                    type(b, "");
                    EXPECT_FALSE(b.ok.enabled());
                    b.keyPress(press(Key::Enter));
                    EXPECT_TRUE(b.isOpen());
                    type(b, "a");
                    b.keyPress(press(Key::Enter));
                },
                "a",
                {.caption = "名前を付けて保存",
                 .prompt = "ファイル名:",
                 .maxLength = 0,
                 .needsText = true}},
        BoxCase{"opens_with_the_field_focused_and_its_text_selected",
                [](auto& b) {
                    EXPECT_EQ(b.focused(), &b.field);
                    EXPECT_TRUE(b.field.allSelected());
                    EXPECT_EQ(b.field.text(), "last.okd");
                    b.ok.press();
                },
                "last.okd",
                {.caption = "名前を付けて保存", .prompt = "ファイル名:", .text = "last.okd"}}),
    [](const auto& info) { return info.param.name; });

TEST(InputBox, CoversTheWindowWhileOpen) {
    platform::HeadlessBackend backend;
    KeyWindow w;
    w.first.setFocus();
    backend.inputBox->user = [&w](platform::InputBox& box) {
        w.first.press();
        EXPECT_FALSE(w.keyPress(press(Key::Space)));
        EXPECT_FALSE(w.keyPress(altLetter('F')));
        EXPECT_TRUE(box.keyPress(press(Key::Escape)));
    };
    platform::askForText(backend, {.caption = "入力", .prompt = "?"});
    EXPECT_TRUE(w.events.empty());
    w.first.press();
    EXPECT_EQ(w.events, Events{"first"}) << "closed, the box gives the window back";
}

class ErrorBoxKeys : public ::testing::TestWithParam<KeyStroke> {};

TEST_P(ErrorBoxKeys, CloseTheBox) {
    platform::ErrorBox box("Ondulix-K", "'abc' は整数ではありません.");
    box.openModal(platform::ModalBoxes::Kind::ErrorBox);
    EXPECT_TRUE(box.keyPress(GetParam()));
    EXPECT_FALSE(box.isOpen());
}

INSTANTIATE_TEST_SUITE_P(Rows, ErrorBoxKeys,
                         ::testing::Values(press(Key::Enter), press(Key::Space),
                                           press(Key::Escape)));

} // namespace
