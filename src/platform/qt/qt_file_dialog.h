#pragma once

#include "file_dialog.h"

class QFileDialog;
class QWidget;

namespace platform {

// The dialog on Qt's own widgets.
class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(Mode mode, QWidget* parent = nullptr);

protected:
    bool run(std::string& chosen) override;

private:
    // Sets up a dialog the way it is shown.
    void configure(QFileDialog& dialog) const;

    Mode mode_;
    QWidget* parent_;
};

} // namespace platform
