#pragma once

#include "error_box.h"

#include <QString>

class QWidget;

namespace platform {

// The error box as a QMessageBox, modal to the whole application.
class QtErrorBox final : public ErrorBox {
public:
    QtErrorBox(QWidget* owner, QString caption);

protected:
    void run(const std::string& text) override;

private:
    QWidget* owner_;
    QString caption_;
};

} // namespace platform
