#include "qt_form_window.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace platform {

QtFormWindow::QtFormWindow(Form& form) : form_(&form) {
    form.attach(this);
}

QtFormWindow::~QtFormWindow() {
    if (form_ != nullptr)
        form_->attach(nullptr);
}

Form* QtFormWindow::formOf(const QObject& widgetOrWindow) {
    const QWidget* widget = nullptr;
    if (widgetOrWindow.isWidgetType()) {
        widget = static_cast<const QWidget*>(&widgetOrWindow);
    } else if (widgetOrWindow.isWindowType()) {
        for (const QWidget* topLevel : QApplication::topLevelWidgets())
            if (topLevel->windowHandle() == &widgetOrWindow)
                widget = topLevel;
    }
    if (widget == nullptr)
        return nullptr;
    for (const QWidget* window = widget->window(); window != nullptr;) {
        if (const auto* shown = dynamic_cast<const QtFormWindow*>(window))
            return shown->form();
        if (window->windowType() != Qt::Popup || window->parentWidget() == nullptr)
            return nullptr;
        window = window->parentWidget()->window();
    }
    return nullptr;
}

} // namespace platform
