// Buttons, check boxes and radio buttons shown by Qt: the user's clicks and keys reach the
// controls, and the widgets show what the controls hold.
#include "form.h"
#include "qt_buttons.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ShownButton {
    ShownButton() {
        button.onClick = [this] { ++presses; };
        shown.show();
        shown.setFocus();
    }
    platform::Form form;
    platform::Button button{form, "button"};
    platform::QtButton shown{button, nullptr};
    int presses = 0;
};

struct KeyRow {
    const char* name;
    Qt::Key key;
    int presses;
};

class QtButtonKeys : public ::testing::TestWithParam<KeyRow> {};

// Enter presses the focused button as Space does, once for each press of the key.
TEST_P(QtButtonKeys, PressTheFocusedButtonOnce) {
    ShownButton b;
    QTest::keyClick(&b.shown, GetParam().key);
    QTest::qWait(300);
    EXPECT_EQ(b.presses, GetParam().presses);
}

INSTANTIATE_TEST_SUITE_P(Rows, QtButtonKeys,
                         ::testing::Values(KeyRow{"space", Qt::Key_Space, 1},
                                           KeyRow{"enter", Qt::Key_Return, 1},
                                           KeyRow{"keypad_enter", Qt::Key_Enter, 1},
                                           KeyRow{"other_key", Qt::Key_A, 0}),
                         [](const auto& info) { return info.param.name; });

TEST(QtButton, ShowsItsCaptionAndTakesNoPressWhileDisabled) {
    ShownButton b;
    b.button.setCaption("X:12");
    EXPECT_EQ(b.shown.text(), QStringLiteral("X:12"));
    b.button.setEnabled(false);
    QTest::mouseClick(&b.shown, Qt::LeftButton);
    EXPECT_EQ(b.presses, 0);
}

TEST(QtCheckBoxAndRadio, ClicksGoThroughTheControlsRules) {
    platform::Form form;
    platform::CheckBox box(form, "box");
    platform::RadioButton first(form, "first");
    platform::RadioButton second(form, "second");
    platform::QtCheckBox shownBox(box, nullptr);
    platform::QtRadioButton shownFirst(first, nullptr);
    platform::QtRadioButton shownSecond(second, nullptr);
    for (QWidget* w : std::initializer_list<QWidget*>{&shownBox, &shownFirst, &shownSecond})
        w->show();

    QTest::mouseClick(&shownBox, Qt::LeftButton);
    EXPECT_TRUE(box.checked());
    EXPECT_TRUE(shownBox.isChecked());
    QTest::mouseClick(&shownFirst, Qt::LeftButton);
    QTest::mouseClick(&shownFirst, Qt::LeftButton);
    EXPECT_TRUE(first.checked()) << "a second click keeps the radio button checked";
    EXPECT_TRUE(shownFirst.isChecked());
    second.setChecked(true);
    EXPECT_FALSE(shownFirst.isChecked()) << "the widget shows what the group rule decided";
}

} // namespace
