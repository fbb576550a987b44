#pragma once

#include "button.h"
#include "check_box.h"
#include "qt_control_view.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace platform {

// Shows a push button; a click presses it.
class QtButton final : public QtView<QPushButton, Button> {
public:
    QtButton(Button& button, QWidget* parent);

    void refresh() override;
};

// Shows a check box; a click toggles it. The box changes only when the control does, so what
// is shown is always the control's state.
class QtCheckBox final : public QtView<QCheckBox, CheckBox> {
public:
    QtCheckBox(CheckBox& box, QWidget* parent);

    void refresh() override;

protected:
    void nextCheckState() override {}
};

// Shows a radio button; a click selects it. Exclusivity is the control's rule, not Qt's, so
// a group may show no button checked.
class QtRadioButton final : public QtView<QRadioButton, RadioButton> {
public:
    QtRadioButton(RadioButton& button, QWidget* parent);

    void refresh() override;

protected:
    void nextCheckState() override {}
};

} // namespace platform
