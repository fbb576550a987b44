#include "qt_file_dialog.h"

#include <QFile>
#include <QFileDialog>

namespace platform {

namespace {

// Qt's form of a kind of file: "Ondulix-Kデータ[*.okd] (*.okd)", patterns separated by blanks.
QStringList nameFilters(const FileFilter& filter) {
    QStringList filters;
    for (const FileFilter::Kind& kind : filter.kinds) {
        QStringList patterns;
        for (const std::string& pattern : kind.patterns)
            patterns << QString::fromStdString(pattern);
        filters << QString::fromStdString(kind.description) + QStringLiteral(" (") +
                       patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

} // namespace

QtFileDialog::QtFileDialog(Mode mode, QWidget* parent) : mode_(mode), parent_(parent) {}

void QtFileDialog::configure(QFileDialog& dialog) const {
    // Qt's own dialog on every desktop: native choosers differ in whether an open dialog
    // takes the name of a file that does not exist, and some ask before replacing a file.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The description already names the pattern; Qt would show it a second time.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters(filter()));
    // A typed name is taken as it stands: no extension is added here. Save adds ".okd"
    // itself, by its own rule.
    dialog.setDefaultSuffix(QString());
    dialog.setFileMode(QFileDialog::AnyFile);
    if (mode_ == Mode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!fileName().empty())
        dialog.selectFile(QFile::decodeName(fileName().c_str()));
}

bool QtFileDialog::run(std::string& chosen) {
    QFileDialog dialog(parent_);
    configure(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList selected = dialog.selectedFiles();
    if (selected.isEmpty())
        return false;
    chosen = QFile::encodeName(selected.first()).toStdString();
    return true;
}

} // namespace platform
