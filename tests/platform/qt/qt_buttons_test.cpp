// Buttons, check boxes and radio buttons shown by Qt: clicks reach the controls, and the
// widgets show what the controls hold.
#include "form.h"
#include "qt_buttons.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(QtButton, ShowsItsCaptionAndTakesNoClickWhileDisabled) {
    platform::Form form;
    platform::Button button(form, "button");
    int presses = 0;
    button.onClick = [&presses] { ++presses; };
    platform::QtButton shown(button, nullptr);
    shown.show();
    button.setCaption("X:12");
    EXPECT_EQ(shown.text(), QStringLiteral("X:12"));
    QTest::mouseClick(&shown, Qt::LeftButton);
    EXPECT_EQ(presses, 1);
    button.setEnabled(false);
    QTest::mouseClick(&shown, Qt::LeftButton);
    EXPECT_EQ(presses, 1);
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

// A click that gives a widget the focus moves the form's focus there too, so that Tab goes on
// from it.
TEST(QtButton, AClickThatFocusesItTellsTheForm) {
    platform::Form form;
    platform::Button button(form, "button");
    platform::QtButton shown(button, nullptr);
    shown.show();
    QApplication::setActiveWindow(&shown);
    QTest::mouseClick(&shown, Qt::LeftButton);
    EXPECT_EQ(form.focused(), &button);
}

} // namespace
