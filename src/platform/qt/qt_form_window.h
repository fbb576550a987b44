#pragma once

#include "form.h"

class QObject;

namespace platform {

// A Qt window that shows one of the program's forms: the main window or a box. The key filter
// finds the form of a key's widget through it.
class QtFormWindow : public WindowView {
public:
    explicit QtFormWindow(Form& form);
    ~QtFormWindow() override;
    QtFormWindow(const QtFormWindow&) = delete;
    QtFormWindow& operator=(const QtFormWindow&) = delete;

    // The form shown, or nothing once it is gone.
    Form* form() const { return form_; }
    void formGone() override { form_ = nullptr; }

    // The form shown by the window that holds a widget, or by a Qt window; an open menu belongs
    // to the window of its menu bar. Nothing for a window of Qt's own (a file chooser).
    static Form* formOf(const QObject& widgetOrWindow);

private:
    Form* form_;
};

} // namespace platform
