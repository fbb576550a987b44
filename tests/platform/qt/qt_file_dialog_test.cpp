#include "qt_file_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

using platform::QtFileDialog;

const QString kFilter = QStringLiteral("Ondulix-Kデータ[*.okd]|*.okd");

// What the user did and saw at one showing of the dialog.
struct Showing {
    bool found = false;
    QStringList offered;      // selectedFiles() as the dialog opened
    QString typedField;       // the name field as the dialog opened
    QStringList nameFilters;  // the dialog's filters
    QStringList shownFilters; // the entries of the file type box
    QString defaultSuffix;
    bool askedBeforeReplacing = false;
};

// Runs the dialog while a scripted user looks at it and then either types `typed` and
// presses Enter, or presses Esc when `typed` is empty.
Showing play(QtFileDialog& dialog, const QString& typed, bool* confirmed) {
    Showing seen;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!shown) {
            // Nothing to play; end whatever is modal so the test cannot hang.
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        seen.found = true;
        seen.offered = shown->selectedFiles();
        auto* field = shown->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (field)
            seen.typedField = field->text();
        seen.nameFilters = shown->nameFilters();
        if (auto* types = shown->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            for (int i = 0; i < types->count(); ++i)
                seen.shownFilters << types->itemText(i);
        seen.defaultSuffix = shown->defaultSuffix();
        // A question before replacing a file would open a box of its own; answer it with Yes
        // and note that it was asked.
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.askedBeforeReplacing = true;
                box->done(QMessageBox::Yes);
            }
        });
        QWidget* target = field ? static_cast<QWidget*>(field) : shown;
        if (typed.isEmpty()) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(target, &esc);
        } else {
            field->setText(typed);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
        }
        // Should the keys not have closed it, close it here rather than hang.
        if (shown->isVisible())
            shown->reject();
    });
    *confirmed = dialog.execute();
    return seen;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct ModeRow {
    std::string name;
    QtFileDialog::Mode mode;
};

void PrintTo(const ModeRow& row, std::ostream* out) {
    *out << row.name;
}

class QtFileDialogBoth : public ::testing::TestWithParam<ModeRow> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        dialog_.setFilter(kFilter.toStdString());
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    QtFileDialog dialog_{GetParam().mode};
};

TEST_P(QtFileDialogBoth, ShowsTheFilterAsOneEntryAndAddsNoSuffix) {
    bool confirmed = true;
    const Showing seen = play(dialog_, QString(), &confirmed);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.nameFilters, QStringList{"Ondulix-Kデータ[*.okd] (*.okd)"});
    EXPECT_EQ(seen.shownFilters, QStringList{"Ondulix-Kデータ[*.okd]"});
    EXPECT_TRUE(seen.defaultSuffix.isEmpty());
}

TEST_P(QtFileDialogBoth, ShowsEachKindWithItsPatternsAsQtWritesThem) {
    dialog_.setFilter("Text|*.txt;*.okd|全部|*");
    bool confirmed = true;
    const Showing seen = play(dialog_, QString(), &confirmed);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.nameFilters, (QStringList{"Text (*.txt *.okd)", "全部 (*)"}));
}

TEST_P(QtFileDialogBoth, TakesTheNameOfAFileThatDoesNotExistAsTyped) {
    bool confirmed = false;
    const QString missing = path("plain");
    const Showing seen = play(dialog_, missing, &confirmed);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(confirmed);
    // Taken as typed: no ".okd" is added here.
    EXPECT_EQ(dialog_.fileName(), missing.toStdString());
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_P(QtFileDialogBoth, TakesAnExistingFileWithoutAsking) {
    const QString existing = path("set.okd");
    writeFile(existing, "old");
    bool confirmed = false;
    const Showing seen = play(dialog_, existing, &confirmed);
    EXPECT_TRUE(confirmed);
    EXPECT_FALSE(seen.askedBeforeReplacing);
    EXPECT_EQ(dialog_.fileName(), existing.toStdString());
}

TEST_P(QtFileDialogBoth, OffersTheLastConfirmedNameAndKeepsItOnCancel) {
    const QString first = path("first.okd");
    writeFile(first, "x");
    bool confirmed = false;
    const Showing fresh = play(dialog_, first, &confirmed);
    ASSERT_TRUE(confirmed);
    EXPECT_TRUE(fresh.typedField.isEmpty()) << "nothing was confirmed before";

    const Showing again = play(dialog_, QString(), &confirmed);
    ASSERT_TRUE(again.found);
    EXPECT_EQ(again.offered, QStringList{first});
    EXPECT_EQ(again.typedField, QStringLiteral("first.okd"));
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(dialog_.fileName(), first.toStdString());
}

TEST_P(QtFileDialogBoth, CancelBeforeAnyNameLeavesItEmpty) {
    bool confirmed = true;
    const Showing seen = play(dialog_, QString(), &confirmed);
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(confirmed);
    EXPECT_TRUE(dialog_.fileName().empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, QtFileDialogBoth,
                         ::testing::Values(ModeRow{"Open", QtFileDialog::Mode::Open},
                                           ModeRow{"Save", QtFileDialog::Mode::Save}),
                         [](const auto& info) { return info.param.name; });

} // namespace
