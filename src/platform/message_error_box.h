#pragma once

#include "error_box.h"

#include <QString>

class QWidget;

namespace platform {

// The error box as a QMessageBox, modal to the whole application.
class MessageErrorBox final : public ErrorBox {
public:
    MessageErrorBox(QWidget* owner, QString caption);

    void show(const std::string& text) override;

private:
    QWidget* owner_;
    QString caption_;
};

} // namespace platform
