#pragma once

#include "control.h"
#include "form.h"
#include "qt_keys.h"

#include <QFocusEvent>
#include <QString>
#include <QWidget>

namespace platform {

inline QString captionOf(const Control& control) {
    return QString::fromStdString(control.caption());
}

// What every control shows the same way: whether it takes input, whether it is seen, and what
// a screen reader calls it.
inline void showCommonState(QWidget& widget, const Control& control) {
    widget.setEnabled(control.enabled());
    widget.setVisible(control.visible());
    const QString name = QString::fromStdString(control.accessibleName());
    if (widget.accessibleName() != name)
        widget.setAccessibleName(name);
}

// A widget of Qt class W that shows a control of class C, named after it. The form decides where
// the keyboard focus goes and the widget takes it; when Qt moves the focus itself (a click, or away
// from a widget that was disabled), the form follows, so that Tab goes on from the control the user
// sees focused.
template <class W, class C> class QtView : public W, public ViewOf<C> {
public:
    QtView(C& control, QWidget* parent) : W(parent), ViewOf<C>(control) {
        this->setObjectName(QString::fromStdString(control.name()));
    }

    void takeFocus() override {
        const KeyStroke* byKey = this->control()->form().keyInHand();
        // Qt shows the focus the way a keyboard user needs to see it only after a key moved it,
        // and marks that itself only inside its own Tab handling.
        if (byKey != nullptr)
            this->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        this->setFocus(focusReasonOf(byKey));
    }

protected:
    void focusInEvent(QFocusEvent* event) override {
        W::focusInEvent(event);
        if (C* shown = this->control())
            shown->focusedByUser();
    }
};

} // namespace platform
