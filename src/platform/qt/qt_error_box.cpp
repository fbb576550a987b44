#include "qt_error_box.h"

#include <QMessageBox>

namespace platform {

QtErrorBox::QtErrorBox(QWidget* owner, QString caption)
    : owner_(owner), caption_(std::move(caption)) {}

void QtErrorBox::run(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, caption_, QString::fromStdString(text), QMessageBox::Ok,
                    owner_);
    // While the box is open the program's other windows take no input.
    box.setWindowModality(Qt::ApplicationModal);
    // A message is shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace platform
