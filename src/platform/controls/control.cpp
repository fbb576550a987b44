#include "control.h"

#include "form.h"

#include <utility>

namespace platform {

Control::Control(Form& form, ControlKind kind, std::string_view name)
    : form_(form), kind_(kind), name_(name) {
    form.add(*this);
}

Control::~Control() {
    if (view_ != nullptr)
        view_->controlGone();
}

void Control::setCaption(std::string caption) {
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    changed();
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    changed();
    enabledChanged();
}

bool Control::takesInput() const {
    if (!form_.takesInput())
        return false;
    for (const Control* c = this; c != nullptr; c = c->parent())
        if (!c->enabled())
            return false;
    return true;
}

void Control::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    changed();
}

bool Control::shown() const {
    for (const Control* c = this; c != nullptr; c = c->parent())
        if (!c->visible())
            return false;
    return true;
}

std::string Control::accessibleName() const {
    if (labelledBy_ != nullptr)
        return labelledBy_->caption();
    if (!accessibleName_.empty())
        return accessibleName_;
    return caption_;
}

void Control::setFocus() {
    form_.focus(*this);
    if (view_ != nullptr)
        view_->takeFocus();
}

void Control::focusedByUser() {
    form_.focus(*this);
}

AccessKeyCaption Control::shownCaption() const {
    if (kind_ == ControlKind::Label || kind_ == ControlKind::ListBox)
        return AccessKeyCaption{caption_};
    return parseAccessKey(caption_);
}

bool Control::takesFocus() const {
    switch (kind_) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::TrackBar:
    case ControlKind::ListBox:
    case ControlKind::Edit:
        return true;
    default:
        return false;
    }
}

bool Control::takesFocusByTab() const {
    return tabStop() && shown() && takesInput();
}

bool Control::keyDown(const KeyStroke&) {
    return false;
}

void Control::attach(ControlView* view) {
    view_ = view;
    if (view_ != nullptr)
        view_->refresh();
}

void Control::changed() {
    if (view_ != nullptr)
        view_->refresh();
}

} // namespace platform
