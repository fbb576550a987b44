#include "layout.h"

#include "check_box.h"
#include "form.h"
#include "track_bar.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace platform {

namespace {

void applyRow(Control& control, const ControlLayout& row, Form& form) {
    if (control.kind() != row.kind)
        throw std::logic_error("the layout makes '" + control.name() + "' another kind");
    if (!row.parent.empty()) {
        Control* parent = form.find(row.parent);
        if (parent == nullptr)
            throw std::logic_error("no parent '" + std::string(row.parent) + "'");
        control.setParent(parent);
    }
    control.setCaption(std::string(row.caption));
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

void addInTabOrder(const WindowLayout& layout, std::string_view parent,
                   std::vector<const ControlLayout*>& order) {
    std::vector<const ControlLayout*> children;
    for (const ControlLayout& row : layout.controls)
        if (row.parent == parent && row.tabIndex >= 0 && row.visible)
            children.push_back(&row);
    std::stable_sort(children.begin(), children.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    for (const ControlLayout* child : children) {
        // Frames (panels, groups) are visited for their children only.
        if (child->kind != ControlKind::Panel && child->kind != ControlKind::GroupBox)
            order.push_back(child);
        addInTabOrder(layout, child->name, order);
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

std::vector<const ControlLayout*> tabOrder(const WindowLayout& layout) {
    std::vector<const ControlLayout*> order;
    addInTabOrder(layout, {}, order);
    return order;
}

} // namespace platform
