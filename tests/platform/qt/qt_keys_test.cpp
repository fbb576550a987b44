// Real Qt key events reach the forms: each row presses keys on a window as the system delivers
// them, through Qt's shortcuts, and checks what the form made of them and what Qt shows.
// The rules themselves are the forms' and are tested without a toolkit; these rows catch a key
// that Qt keeps, maps wrongly or acts on as well.
#include "input_box.h"
#include "qt_window_fixture.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A key as the user works it: pressed and let go, or only one of the two.
struct Stroke {
    enum Action { Click, Press, Release };
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    Action action = Click;
    // A key of a layout that Qt's test keys cannot make: the character it types at its place.
    QString text = {};
    quint32 scanCode = 0;
};

// The system's scan code of a key of a US keyboard, from its number on the keyboard's
// controller (Q is 16, F 33, Y 21), which Linux's keyboards give 8 higher.
constexpr quint32 scanCode(quint32 controllerCode) {
#if defined(Q_OS_LINUX)
    return controllerCode + 8;
#else
    return controllerCode;
#endif
}

const Stroke kAltDown{Qt::Key_Alt, Qt::NoModifier, Stroke::Press};
const Stroke kAltUp{Qt::Key_Alt, Qt::NoModifier, Stroke::Release};

// Sends the key to a window as the system does; a modifier goes down before the key and up
// after it.
void send(QWindow* window, const Stroke& s) {
    if (s.scanCode != 0) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, s.key, s.modifiers, s.scanCode, 0, 0, s.text);
            QApplication::sendEvent(window, &event);
        }
        return;
    }
    switch (s.action) {
    case Stroke::Click:
        QTest::keyClick(window, s.key, s.modifiers);
        break;
    case Stroke::Press:
        QTest::keyPress(window, s.key, s.modifiers);
        break;
    case Stroke::Release:
        QTest::keyRelease(window, s.key, s.modifiers);
        break;
    }
}

// ---- The main window ----

using Check = std::function<void(const QtShownWindow&)>;

struct WindowRow {
    const char* name;
    const char* focus;
    std::vector<Stroke> keys;
    Check check;
};

void PrintTo(const WindowRow& row, std::ostream* out) {
    *out << row.name;
}

class WindowKeys : public ::testing::TestWithParam<WindowRow> {};

TEST_P(WindowKeys, ReachTheForm) {
    const WindowRow& row = GetParam();
    QtShownWindow w;
    w.form->find(row.focus)->setFocus();
    for (const Stroke& key : row.keys)
        send(w.window().windowHandle(), key);
    row.check(w);
    w.form->MainMenu1.dismiss();
}

Check focusOn(const char* name) {
    return [name](const QtShownWindow& w) {
        EXPECT_EQ(w.form->focused(), w.form->find(name));
        EXPECT_EQ(QApplication::focusWidget(), w.widget(name));
    };
}

// The File menu is open with `item` highlighted, and Qt shows it so.
Check fileMenuOpenAt(const char* item) {
    return [item](const QtShownWindow& w) {
        EXPECT_TRUE(w.form->FileF1.isOpen());
        EXPECT_EQ(w.form->MainMenu1.armedMenu(), nullptr);
        const auto* file = w.widget<QMenu>("FileF1");
        ASSERT_TRUE(file->isVisible());
        EXPECT_EQ(w.window().menuBar()->activeAction(), file->menuAction());
        ASSERT_NE(file->activeAction(), nullptr);
        EXPECT_EQ(file->activeAction()->objectName().toStdString(), item);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowKeys,
    ::testing::Values(WindowRow{"tab_goes_from_start_stop_to_the_azimuth_slider",
                                "BitBtn1",
                                {{Qt::Key_Tab}},
                                focusOn("phichanger")},
                      WindowRow{"backtab_wraps_round_to_the_last_check_box",
                                "BitBtn1",
                                {{Qt::Key_Backtab, Qt::ShiftModifier}},
                                focusOn("ch_koma")},
                      WindowRow{"alt_f_opens_the_file_menu_at_open",
                                "BitBtn1",
                                {{Qt::Key_F, Qt::AltModifier}},
                                fileMenuOpenAt("OpenO1")},
                      WindowRow{"f10_opens_the_file_menu_at_open",
                                "BitBtn1",
                                {{Qt::Key_F10}},
                                fileMenuOpenAt("OpenO1")},
                      // Alt+F on a Russian layout types "а" at the F key's place; on Dvorak the
                      // key that types "f" stands where Y is on a US keyboard.
                      WindowRow{
                          "alt_with_a_cyrillic_letter_opens_by_the_keys_place",
                          "BitBtn1",
                          {{Qt::Key(0x0410), Qt::AltModifier, Stroke::Click, "а", scanCode(33)}},
                          fileMenuOpenAt("OpenO1")},
                      WindowRow{"alt_with_a_typed_f_elsewhere_opens_by_the_typed_letter",
                                "BitBtn1",
                                {{Qt::Key_F, Qt::AltModifier, Stroke::Click, "f", scanCode(21)}},
                                fileMenuOpenAt("OpenO1")},
                      WindowRow{"alt_alone_arms_the_bar_and_qt_takes_no_part",
                                "BitBtn1",
                                {kAltDown, kAltUp},
                                [](const QtShownWindow& w) {
                                    EXPECT_EQ(w.form->MainMenu1.armedMenu(), &w.form->FileF1);
                                    EXPECT_EQ(w.window().menuBar()->activeAction(), nullptr);
                                    EXPECT_EQ(QApplication::focusWidget(), w.window().menuBar());
                                }},
                      WindowRow{"alt_alone_then_f_opens_the_file_menu",
                                "BitBtn1",
                                {kAltDown, kAltUp, {Qt::Key_F}},
                                fileMenuOpenAt("OpenO1")},
                      WindowRow{"down_in_the_open_menu_moves_the_highlight",
                                "BitBtn1",
                                {{Qt::Key_F10}, {Qt::Key_Down}},
                                fileMenuOpenAt("SaveS1")},
                      WindowRow{"escape_closes_the_menu_and_the_bar_keeps_the_keyboard",
                                "BitBtn1",
                                {{Qt::Key_F10}, {Qt::Key_Escape}},
                                [](const QtShownWindow& w) {
                                    EXPECT_EQ(w.form->MainMenu1.armedMenu(), &w.form->FileF1);
                                    EXPECT_FALSE(w.widget<QMenu>("FileF1")->isVisible());
                                    EXPECT_EQ(QApplication::focusWidget(), w.window().menuBar());
                                }},
                      WindowRow{"space_toggles_a_check_box",
                                "ch_koma",
                                {{Qt::Key_Space}},
                                [](const QtShownWindow& w) {
                                    EXPECT_TRUE(w.form->ch_koma.checked());
                                    EXPECT_TRUE(w.widget<QCheckBox>("ch_koma")->isChecked());
                                }},
                      WindowRow{"down_moves_the_elevation_slider_a_line_down",
                                "thetachanger",
                                {{Qt::Key_Down}},
                                [](const QtShownWindow& w) {
                                    EXPECT_EQ(w.form->thetachanger.position(), -25);
                                    EXPECT_EQ(w.widget<QSlider>("thetachanger")->value(), -25);
                                }},
                      WindowRow{"page_up_moves_the_azimuth_slider_a_page_left",
                                "phichanger",
                                {{Qt::Key_PageUp}},
                                [](const QtShownWindow& w) {
                                    EXPECT_EQ(w.form->phichanger.position(), 15);
                                    EXPECT_EQ(w.widget<QSlider>("phichanger")->value(), 15);
                                }}),
    [](const auto& info) { return info.param.name; });

// ---- The input box ----

// Types text into the box a character at a time, each as one key event carrying it, as a
// keyboard or an input method delivers characters without a key of their own.
void type(QWindow* box, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text.mid(i, length),
                            Qt::NoModifier);
        i += length - 1;
    }
}

QString repeated(const char* character, int count) {
    return QString::fromUtf8(character).repeated(count);
}

struct BoxRow {
    const char* name;
    QString typed;
    std::vector<Stroke> keys;
    std::optional<QString> answer;
};

void PrintTo(const BoxRow& row, std::ostream* out) {
    *out << row.name;
}

class InputBoxKeys : public ::testing::TestWithParam<BoxRow> {};

// The field keeps what the user typed, cut to 255 characters as the user counts them, and
// shows what it kept.
TEST_P(InputBoxKeys, AnswerAsTheFormDecides) {
    const BoxRow& row = GetParam();
    platform::QtBackend backend;
    whenOpen([&row](QDialog& box) {
        type(box.windowHandle(), row.typed);
        const auto* field = box.findChild<QLineEdit*>(QStringLiteral("field"));
        EXPECT_EQ(field->text(), row.answer.value_or(row.typed));
        for (const Stroke& key : row.keys)
            send(box.windowHandle(), key);
    });
    const std::optional<std::string> answer =
        platform::askForText(backend, {.caption = "入力", .prompt = "波源1のx座標は？"});
    EXPECT_EQ(answer.has_value(), row.answer.has_value());
    if (answer && row.answer) {
        EXPECT_EQ(*answer, row.answer->toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InputBoxKeys,
    ::testing::Values(
        BoxRow{"enter_in_the_field_confirms", "12", {{Qt::Key_Return}}, "12"},
        BoxRow{"keypad_enter_confirms", "-30", {{Qt::Key_Enter, Qt::KeypadModifier}}, "-30"},
        BoxRow{"enter_on_cancel_cancels",
               "12",
               {{Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Return}},
               std::nullopt},
        BoxRow{"escape_cancels", "12", {{Qt::Key_Escape}}, std::nullopt},
        BoxRow{"256_of_a_character_beyond_the_bmp_keep_255",
               repeated("𠮷", 256),
               {{Qt::Key_Return}},
               repeated("𠮷", 255)},
        BoxRow{"256_emoji_keep_255", repeated("😀", 256), {{Qt::Key_Return}}, repeated("😀", 255)}),
    [](const auto& info) { return info.param.name; });

} // namespace
