#pragma once

#include "file_dialog.h"

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace platform {

// "Ondulix-Kデータ[*.okd]|*.okd" as Qt name filters: "Ondulix-Kデータ[*.okd] (*.okd)". A
// pattern list separated by ";" becomes Qt's blank-separated list.
QStringList qtNameFilters(const QString& filter);

// The dialog on Qt's own widgets.
class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(Mode mode, QWidget* parent = nullptr);

    // Sets up a dialog the way it is shown.
    void configure(QFileDialog& dialog) const;

protected:
    bool run(std::string& chosen) override;

private:
    Mode mode_;
    QWidget* parent_;
};

} // namespace platform
