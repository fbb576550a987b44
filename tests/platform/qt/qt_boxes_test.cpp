// The Qt input box and error box, operated from inside their own event loops the way a
// user would: keys into the edit field, Enter, Esc, the buttons.
#include "qt_error_box.h"
#include "qt_input_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Types `text` key by key; characters without a key of their own (full-width digits) come
// as key events that carry only their text, as an input method delivers them.
void type(QLineEdit* edit, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Runs `user` on the box once it is open and its event loop runs.
void whenOpen(std::function<void(QDialog&)> user) {
    QTimer::singleShot(0, [user] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        user(*box);
    });
}

struct InputCase {
    const char* name;
    const char* typed;
    // What closes the box: a key on the edit field, or on the named button when there is one;
    // else a click on the named button (or the close box).
    Qt::Key key;
    const char* button;
    std::optional<std::string> answer;
};

class InputBoxAnswers : public ::testing::TestWithParam<InputCase> {};

TEST_P(InputBoxAnswers, GiveTheTextAsTypedOnlyWhenConfirmed) {
    const InputCase& c = GetParam();
    whenOpen([&c](QDialog& box) {
        auto* edit = box.findChild<QLineEdit*>(QStringLiteral("edit"));
        ASSERT_NE(edit, nullptr);
        type(edit, QString::fromUtf8(c.typed));
        if (c.key != Qt::Key_unknown && *c.button != '\0') {
            auto* button = box.findChild<QPushButton*>(QString::fromUtf8(c.button));
            button->setFocus();
            QTest::keyClick(button, c.key);
            // The press shows for a moment before the click lands.
            QTest::qWait(300);
        } else if (c.key != Qt::Key_unknown)
            QTest::keyClick(edit, c.key);
        else if (QString(c.button) == QStringLiteral("close"))
            box.close();
        else
            box.findChild<QPushButton*>(QString::fromUtf8(c.button))->click();
    });
    platform::QtInputBox input(nullptr);
    EXPECT_EQ(input.ask("入力", "波源1のx座標は？"), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InputBoxAnswers,
    ::testing::Values(InputCase{"enter_confirms", "12", Qt::Key_Return, "", "12"},
                      InputCase{"enter_keeps_blanks", "  12 ", Qt::Key_Enter, "", "  12 "},
                      InputCase{"ok_button_confirms", "$10", Qt::Key_unknown, "ok", "$10"},
                      InputCase{"ok_on_empty_field", "", Qt::Key_unknown, "ok", ""},
                      InputCase{"japanese_text", "１２", Qt::Key_Return, "", "１２"},
                      InputCase{"escape_cancels", "12", Qt::Key_Escape, "", std::nullopt},
                      InputCase{"enter_on_ok_confirms", "12", Qt::Key_Return, "ok", "12"},
                      InputCase{"enter_on_cancel_cancels", "12", Qt::Key_Return, "cancel",
                                std::nullopt},
                      InputCase{"cancel_button", "12", Qt::Key_unknown, "cancel", std::nullopt},
                      InputCase{"close_box_cancels", "12", Qt::Key_unknown, "close", std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(QtInputBox, ShowsCaptionPromptAndAnEmptyFieldOf255CharactersCentredOnScreen) {
    whenOpen([](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("入力"));
        EXPECT_TRUE(box.isModal());
        bool promptShown = false;
        for (const QLabel* label : box.findChildren<QLabel*>())
            promptShown = promptShown || label->text() == QStringLiteral("波源2の振幅は？");
        EXPECT_TRUE(promptShown);
        const auto* edit = box.findChild<QLineEdit*>(QStringLiteral("edit"));
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_EQ(edit->maxLength(), 255);
        EXPECT_EQ(box.focusWidget(), edit);
        const auto* ok = box.findChild<QPushButton*>(QStringLiteral("ok"));
        const auto* cancel = box.findChild<QPushButton*>(QStringLiteral("cancel"));
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_EQ(cancel->text(), QStringLiteral("キャンセル"));
        EXPECT_TRUE(ok->isDefault());
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        // The box is placed by its frame, whose margins the platform adds after showing it.
        EXPECT_LE((box.geometry().center() - screenCentre).manhattanLength(), 8);
        box.reject();
    });
    platform::QtInputBox input(nullptr);
    input.ask("入力", "波源2の振幅は？");
}

TEST(QtInputBox, TakesAtMost255Characters) {
    whenOpen([](QDialog& box) {
        type(box.findChild<QLineEdit*>(QStringLiteral("edit")), QString(300, '7'));
        box.accept();
    });
    platform::QtInputBox input(nullptr);
    EXPECT_EQ(input.ask("入力", "?"), std::string(255, '7'));
}

TEST(QtErrorBox, ShowsTheTextWithCaptionErrorIconAndOneOkButton) {
    bool opened = false;
    whenOpen([&opened](QDialog& dialog) {
        opened = true;
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Ondulix-K"));
        EXPECT_EQ(box->text(), QStringLiteral("<b>タイマーを取得できません.</b>"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        box->buttons().front()->click();
    });
    platform::QtErrorBox box(nullptr, QStringLiteral("Ondulix-K"));
    box.show("<b>タイマーを取得できません.</b>");
    EXPECT_TRUE(opened);
}

} // namespace
