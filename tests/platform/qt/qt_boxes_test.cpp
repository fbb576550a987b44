// The input box and the error box on Qt: how they look and where they open, and that the
// animation goes on behind them.
#include "error_box.h"
#include "headless_timer.h"
#include "input_box.h"
#include "qt_animation_timer.h"
#include "qt_backend.h"
#include "qt_window_fixture.h"

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

TEST(QtInputBox, ShowsCaptionPromptAndTheFieldWithTheFocusCentredOnScreen) {
    platform::QtBackend backend;
    whenOpen([](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("名前を付けて保存"));
        EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("prompt"))->text(),
                  QStringLiteral("ファイル名:"));
        EXPECT_FALSE(box.findChild<QLabel*>(QStringLiteral("note"))->isVisible());
        const auto* field = box.findChild<QLineEdit*>(QStringLiteral("field"));
        EXPECT_EQ(field->text(), QStringLiteral("last.okd"));
        EXPECT_EQ(field->selectedText(), QStringLiteral("last.okd"));
        EXPECT_EQ(field->accessibleName(), QStringLiteral("ファイル名:"));
        EXPECT_EQ(box.focusWidget(), field);
        const auto* ok = box.findChild<QPushButton*>(QStringLiteral("ok"));
        const auto* cancel = box.findChild<QPushButton*>(QStringLiteral("cancel"));
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_EQ(cancel->text(), QStringLiteral("キャンセル"));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_FALSE(cancel->isDefault() || cancel->autoDefault()) << "drawn as a plain button";
        // The rows of the box's layout, down the box, the buttons side by side at its right.
        const auto* prompt = box.findChild<QLabel*>(QStringLiteral("prompt"));
        EXPECT_LT(prompt->geometry().bottom(), field->geometry().top());
        EXPECT_LT(field->geometry().bottom(), ok->geometry().top());
        EXPECT_NEAR(ok->geometry().center().y(), cancel->geometry().center().y(), 1);
        EXPECT_LT(ok->geometry().right(), cancel->geometry().left());
        EXPECT_GE(cancel->geometry().right(), box.width() - 16);
        EXPECT_GE(box.width(), 280);
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        // The box is placed by its frame, whose margins the platform adds after showing it.
        EXPECT_LE((box.geometry().center() - screenCentre).manhattanLength(), 8);
        box.close();
    });
    EXPECT_EQ(
        platform::askForText(
            backend, {.caption = "名前を付けて保存", .prompt = "ファイル名:", .text = "last.okd"}),
        std::nullopt)
        << "the close box cancels";
}

// Emptied, the field leaves OK disabled when the box needs a text.
TEST(QtInputBox, ShowsOkDisabledWhileTheFormRefusesIt) {
    platform::QtBackend backend;
    whenOpen([](QDialog& box) {
        auto* field = box.findChild<QLineEdit*>(QStringLiteral("field"));
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("ok"));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        EXPECT_FALSE(ok->isEnabled());
        QTest::keyClicks(field, "a.okd");
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    });
    EXPECT_EQ(platform::askForText(backend, {.caption = "名前を付けて保存",
                                             .prompt = "ファイル名:",
                                             .text = "x",
                                             .needsText = true}),
              "a.okd");
}

// The animation goes on behind an open input box because the box's own event loop keeps
// delivering the timer's ticks. The box is closed from the third tick; a guard timer ends
// the test should no tick come.
TEST(QtInputBox, KeepsTheAnimationTimerTicking) {
    platform::QtBackend backend;
    const std::unique_ptr<platform::AnimationTimer> timer = backend.makeTimer();
    int ticks = 0;
    timer->setOnTimer([&] {
        if (++ticks == 3)
            QApplication::activeModalWidget()->close();
    });
    timer->setInterval(5);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QApplication::activeModalWidget()->close(); });
    guard.start(10000);
    EXPECT_EQ(platform::askForText(backend, {.caption = "入力", .prompt = "波源1のx座標は？"}),
              std::nullopt);
    EXPECT_GE(ticks, 3);
}

TEST(QtErrorBox, ShowsTheTextWithCaptionErrorIconAndOneOkButtonThatClosesIt) {
    platform::QtBackend backend;
    bool opened = false;
    whenOpen([&opened](QDialog& dialog) {
        opened = true;
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Ondulix-K"));
        EXPECT_EQ(box->text(), QStringLiteral("<b>タイマーを取得できません.</b>"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
        box->buttons().front()->click();
    });
    platform::showErrorBox(backend, "Ondulix-K", "<b>タイマーを取得できません.</b>");
    EXPECT_TRUE(opened);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A quoted line of escaped bytes has no blank to break at; the box still fits on the screen
// and its text fits in the box, wrapped, while a short message keeps the box its natural size.
TEST(QtErrorBox, WrapsALongQuotedLineWithinTheScreen) {
    std::string escaped;
    for (int i = 0; i < 100; ++i)
        escaped += "\\xff";
    for (const std::string& message :
         {"'" + escaped + "…' は整数ではありません.", std::string("I/O エラー (5)")}) {
        platform::QtBackend backend;
        int width = 0;
        int textWidth = 0;
        int labelWidth = 0;
        whenOpen([&](QDialog& dialog) {
            width = dialog.frameGeometry().width();
            for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                if (label->text().size() > 5) {
                    textWidth = label->minimumSizeHint().width();
                    labelWidth = label->width();
                }
            }
            qobject_cast<QMessageBox*>(&dialog)->buttons().front()->click();
        });
        platform::showErrorBox(backend, "Ondulix-K", message);
        const int screen = QGuiApplication::primaryScreen()->availableGeometry().width();
        EXPECT_GT(textWidth, 0) << message;
        EXPECT_LE(width, screen) << message;
        EXPECT_LE(textWidth, labelWidth) << "the text runs past the box's edge: " << message;
        if (message.size() < 50) {
            EXPECT_LT(width, screen / 2) << message;
        }
    }
}

} // namespace
