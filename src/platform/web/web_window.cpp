#include "web_window.h"

#include "image.h"
#include "web_controls.h"
#include "web_page.h"

#include <map>
#include <string>

namespace platform {

namespace {

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::MenuBar:
        return "MenuBar";
    case ControlKind::Menu:
        return "Menu";
    case ControlKind::MenuItem:
        return "MenuItem";
    case ControlKind::MenuSeparator:
        return "MenuSeparator";
    case ControlKind::Button:
        return "Button";
    case ControlKind::CheckBox:
        return "CheckBox";
    case ControlKind::RadioButton:
        return "RadioButton";
    case ControlKind::TrackBar:
        return "TrackBar";
    case ControlKind::Label:
        return "Label";
    case ControlKind::GroupBox:
        return "GroupBox";
    case ControlKind::Panel:
        return "Panel";
    case ControlKind::Image:
        return "Image";
    case ControlKind::ListBox:
        return "ListBox";
    }
    return "Label";
}

int indexOf(const Form& form, const Control* control) {
    const std::vector<Control*>& controls = form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i] == control)
            return int(i);
    return -1;
}

} // namespace

WebWindow::WebWindow(Form& form, const WindowLayout& layout)
    : form_(&form), clientWidth_(layout.clientWidth), clientHeight_(layout.clientHeight) {
    web_page_set_title(std::string(layout.caption).c_str());

    std::map<std::string_view, int> tabIndex;
    const std::vector<const ControlLayout*> order = tabOrder(layout);
    for (std::size_t i = 0; i < order.size(); ++i)
        tabIndex[order[i]->name] = int(i) + 1;

    // Rows come parents first, so each parent's element is there before its children's.
    for (const ControlLayout& row : layout.controls) {
        Control& control = *form.find(row.name);
        const int index = indexOf(form, &control);
        const auto tab = tabIndex.find(row.name);
        web_page_add_control(
            index, control.name().c_str(), kindName(row.kind), indexOf(form, control.parent()),
            row.place.left, row.place.top, row.place.width, row.place.height, row.fontHeight,
            row.fontColor ? int(*row.fontColor) : -1, tab == tabIndex.end() ? 0 : tab->second,
            row.orientation == Orientation::Vertical, row.tickInterval);
        if (row.kind == ControlKind::Image)
            views_.push_back(std::make_unique<WebImageView>(static_cast<Image&>(control), index));
        else
            views_.push_back(std::make_unique<WebControlView>(control, index));
    }
    form.attach(this);
}

WebWindow::~WebWindow() {
    if (form_ != nullptr)
        form_->attach(nullptr);
}

void WebWindow::show() {
    web_page_show_window(clientWidth_, clientHeight_);
}

Control* WebWindow::control(int index) const {
    if (form_ == nullptr || index < 0 || std::size_t(index) >= form_->controls().size())
        return nullptr;
    return form_->controls()[std::size_t(index)];
}

} // namespace platform
