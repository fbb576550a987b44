#pragma once

#include "button.h"
#include "check_box.h"
#include "control.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace platform {

// Shows a push button; a click, and Space or Enter while it has the focus, press it.
class QtButton final : public QPushButton, public ViewOf<Button> {
public:
    QtButton(Button& button, QWidget* parent);

    void refresh() override;
    void takeFocus() override { setFocus(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

// Shows a check box; a click or Space toggles it. The box changes only when the control
// does, so what is shown is always the control's state.
class QtCheckBox final : public QCheckBox, public ViewOf<CheckBox> {
public:
    QtCheckBox(CheckBox& box, QWidget* parent);

    void refresh() override;
    void takeFocus() override { setFocus(); }

protected:
    void nextCheckState() override {}
};

// Shows a radio button; a click selects it. Exclusivity is the control's rule, not Qt's, so
// a group may show no button checked.
class QtRadioButton final : public QRadioButton, public ViewOf<RadioButton> {
public:
    QtRadioButton(RadioButton& button, QWidget* parent);

    void refresh() override;
    void takeFocus() override { setFocus(); }

protected:
    void nextCheckState() override {}
};

} // namespace platform
