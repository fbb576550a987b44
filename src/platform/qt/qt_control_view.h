#pragma once

#include "control.h"

#include <QString>
#include <QWidget>

namespace platform {

// What every control shows the same way: whether it takes input, and whether it is seen.
inline void showCommonState(QWidget& widget, const Control& control) {
    widget.setEnabled(control.enabled());
    widget.setVisible(control.visible());
}

inline QString captionOf(const Control& control) {
    return QString::fromStdString(control.caption());
}

} // namespace platform
