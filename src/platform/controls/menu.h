#pragma once

#include "control.h"

#include <functional>
#include <vector>

namespace platform {

class Menu;
class MenuItem;

// The window's menu bar: it holds the top-level menus and owns the keys that reach them, as
// on the desktop the window was designed for:
// - Alt with a menu's access key, or F10 for the first menu, opens it with its first item
//   highlighted;
// - Alt pressed and let go alone arms the bar: the next access key opens its menu (Enter or
//   the arrow keys open the armed one, Esc or Alt disarm it);
// - in an open menu, Up and Down move the highlight round the items that can be chosen,
//   Enter or Space chooses the highlighted item, an item's access key (with or without Alt)
//   chooses it, Left and Right go to the neighbouring menu, Esc closes the menu and leaves
//   the bar armed, Tab or Alt close it altogether; an open menu keeps every other key from
//   the window.
// A menu that is disabled cannot be opened, and closes if it is open.
class MenuBar final : public Control {
public:
    MenuBar(Form& form, std::string_view name) : Control(form, ControlKind::MenuBar, name) {}

    std::vector<Menu*> menus() const;
    // The open menu, if any.
    Menu* openMenu() const;
    // The menu the bar is armed on, waiting for an access key; nothing when not armed.
    Menu* armedMenu() const { return armed_; }
    // Whether the bar holds the keyboard: armed, or with a menu that keys opened. The window
    // then shows no other control focused.
    bool holdsKeyboard() const;

    bool keyPress(const KeyStroke& stroke);
    bool keyRelease(const KeyStroke& stroke);

    // The user pressed the pointer over `at`: a control of any form, or nothing for anywhere
    // else, outside the window too. A press on the open menu or its items is theirs; anywhere
    // else, a menu's title included, the open menu closes and the bar disarms before the
    // press does what it does there. Alt held down meanwhile still arms the bar when it is let
    // go alone.
    void pointerPressed(const Control* at);
    // The window lost the keyboard: an open menu closes and the bar disarms.
    void dismiss();

private:
    friend class Menu;
    bool openMenuKey(Menu& menu, const KeyStroke& stroke);
    bool armedKey(const KeyStroke& stroke);
    Menu* menuWithKey(char key) const;
    Menu* neighbour(const Menu& menu, int step) const;
    void arm(Menu* menu);

    Menu* armed_ = nullptr;
    bool altAlone_ = false;
};

// A top-level menu. While it is disabled it cannot be opened, so none of its items can be
// chosen.
class Menu final : public Control {
public:
    Menu(Form& form, std::string_view name) : Control(form, ControlKind::Menu, name) {}

    bool isOpen() const { return open_; }
    bool openedByKeys() const { return open_ && byKeys_; }
    // Opens the menu, closing any other; from the keyboard its first item is highlighted.
    // False when it cannot be opened now.
    bool open(bool fromKeyboard);
    void close();
    // A press of the pointer on the menu's title: opens it, or closes it when open.
    void titlePressed();

    // The items that can be chosen now, in their order.
    std::vector<MenuItem*> choosableItems() const;
    MenuItem* highlighted() const { return highlighted_; }
    void highlight(MenuItem* item);

protected:
    void enabledChanged() override;

private:
    MenuBar* bar() const;

    bool open_ = false;
    bool byKeys_ = false;
    MenuItem* highlighted_ = nullptr;
};

// An item of a menu.
class MenuItem final : public Control {
public:
    MenuItem(Form& form, std::string_view name) : Control(form, ControlKind::MenuItem, name) {}

    std::function<void()> onClick;

    // The user chose the item from its open menu: the menu closes first, then the item runs,
    // still within the user's gesture (the page may only open its file chooser from one).
    void choose();
    // The pointer came over the item.
    void pointerEntered();

    Menu* menu() const;
};

// The line between groups of items.
class MenuSeparator final : public Control {
public:
    MenuSeparator(Form& form, std::string_view name)
        : Control(form, ControlKind::MenuSeparator, name) {}
};

} // namespace platform
