#pragma once

#include "edit.h"
#include "error_box.h"
#include "input_box.h"
#include "qt_control_view.h"
#include "qt_form_window.h"

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace platform {

// Shows a text field; what the user types goes to the field, which keeps it within its limit.
class QtEdit final : public QtView<QLineEdit, Edit> {
public:
    QtEdit(Edit& edit, QWidget* parent);

    void refresh() override;
};

// The input box as a modal QDialog, laid out by the box's rows. Each widget shows its control
// of the box's form; the form answers the keys. The box runs its own event loop, so timer
// ticks go on while it is open.
class QtInputBox final : public QDialog, public QtFormWindow {
public:
    QtInputBox(InputBox& box, QWidget* owner);

    // Shows the box and returns once its form has closed.
    void run();

    void formClosed() override { done(QDialog::Rejected); }

protected:
    // The close box.
    void reject() override;

private:
    QWidget* showControl(Control& control, const Form& form);
};

// The error box as a QMessageBox with the error icon and one OK button, which presses the
// error box's OK.
class QtErrorBox final : public QMessageBox, public QtFormWindow {
public:
    QtErrorBox(ErrorBox& box, QWidget* owner);

    // Shows the box and returns once its form has closed.
    void run();

    void formClosed() override { done(QMessageBox::Ok); }

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace platform
