#include "layout.h"

#include "check_box.h"
#include "form.h"
#include "translation.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace platform {

namespace {

Control& controlNamed(Form& form, std::string_view name, const char* what) {
    Control* control = form.find(name);
    if (control == nullptr)
        throw std::logic_error(std::string(what) + " '" + std::string(name) + "' is no control");
    return *control;
}

void applyRow(Control& control, const ControlLayout& row, Form& form) {
    if (control.kind() != row.kind)
        throw std::logic_error("the layout makes '" + control.name() + "' another kind");
    if (!row.parent.empty())
        control.setParent(&controlNamed(form, row.parent, "the parent"));
    if (!row.labelledBy.empty())
        control.setLabelledBy(&controlNamed(form, row.labelledBy, "the label"));
    control.setAccessibleName(sound::tr(row.accessibleName));
    control.setPlace(row.place);
    control.setTabIndex(row.tabIndex);
    control.setFontHeight(row.fontHeight);
    control.setFontColor(row.fontColor);
    control.setCaption(sound::tr(row.caption));
    control.setVisible(row.visible);
    switch (row.kind) {
    case ControlKind::CheckBox:
        static_cast<CheckBox&>(control).setChecked(row.checked);
        break;
    case ControlKind::RadioButton:
        static_cast<RadioButton&>(control).setChecked(row.checked);
        break;
    case ControlKind::TrackBar: {
        auto& bar = static_cast<TrackBar&>(control);
        bar.setOrientation(row.orientation);
        bar.setTickInterval(row.tickInterval);
        bar.setRange(row.min, row.max);
        bar.setPosition(row.position);
        bar.setLineStep(row.lineStep);
        bar.setPageStep(row.pageStep);
        break;
    }
    default:
        break;
    }
}

} // namespace

const ControlLayout* WindowLayout::find(std::string_view name) const {
    for (const ControlLayout& row : controls)
        if (row.name == name)
            return &row;
    return nullptr;
}

void applyLayout(Form& form, const WindowLayout& layout) {
    form.setTitle(sound::tr(layout.caption));
    form.setPlace({layout.left, layout.top, layout.clientWidth, layout.clientHeight});
    for (const ControlLayout& row : layout.controls) {
        Control* control = form.find(row.name);
        if (control == nullptr)
            throw std::logic_error("the window has no control '" + std::string(row.name) + "'");
        applyRow(*control, row, form);
    }
    for (const Control* control : form.controls())
        if (layout.find(control->name()) == nullptr)
            throw std::logic_error("the layout has no row for '" + control->name() + "'");
}

Rect placeForCaption(const Control& control, int captionWidth) {
    Rect place = control.place();
    const bool checkable =
        control.kind() == ControlKind::CheckBox || control.kind() == ControlKind::RadioButton;
    if (!checkable || captionWidth <= place.width)
        return place;
    const int parentWidth = control.parent() != nullptr ? control.parent()->place().width
                                                        : control.form().place().width;
    place.width = std::min(captionWidth, parentWidth - place.left - 2);
    return place;
}

} // namespace platform
