#pragma once

#include "control.h"

#include <functional>

namespace platform {

// The window's menu bar: it holds the top-level menus.
class MenuBar final : public Control {
public:
    MenuBar(Form& form, std::string_view name) : Control(form, ControlKind::MenuBar, name) {}
};

// A top-level menu. While it is disabled it cannot be opened, so none of its items can be
// chosen.
class Menu final : public Control {
public:
    Menu(Form& form, std::string_view name) : Control(form, ControlKind::Menu, name) {}
};

// An item of a menu.
class MenuItem final : public Control {
public:
    MenuItem(Form& form, std::string_view name) : Control(form, ControlKind::MenuItem, name) {}

    std::function<void()> onClick;

    // The user chose the item from its open menu.
    void choose();
};

// The line between groups of items.
class MenuSeparator final : public Control {
public:
    MenuSeparator(Form& form, std::string_view name)
        : Control(form, ControlKind::MenuSeparator, name) {}
};

} // namespace platform
