#include "menu.h"

#include "form.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

char accessKeyOf(const Control& control) {
    return control.shownCaption().key;
}

} // namespace

// ---- MenuBar ----

std::vector<Menu*> MenuBar::menus() const {
    std::vector<Menu*> menus;
    for (Control* child : form().childrenOf(this))
        if (child->kind() == ControlKind::Menu && child->visible())
            menus.push_back(static_cast<Menu*>(child));
    return menus;
}

Menu* MenuBar::openMenu() const {
    for (Menu* menu : menus())
        if (menu->isOpen())
            return menu;
    return nullptr;
}

Menu* MenuBar::menuWithKey(char key) const {
    for (Menu* menu : menus())
        if (key != 0 && accessKeyOf(*menu) == key)
            return menu;
    return nullptr;
}

Menu* MenuBar::neighbour(const Menu& menu, int step) const {
    const std::vector<Menu*> all = menus();
    const auto at = std::find(all.begin(), all.end(), &menu);
    if (at == all.end())
        return nullptr;
    const auto count = std::ptrdiff_t(all.size());
    return all[std::size_t(((at - all.begin() + step) % count + count) % count)];
}

void MenuBar::arm(Menu* menu) {
    if (armed_ == menu)
        return;
    armed_ = menu;
    changed();
}

bool MenuBar::keyPress(const KeyStroke& stroke) {
    // Alt counts as pressed alone only until another key goes down with it.
    if (stroke.key != Key::Alt)
        altAlone_ = false;
    if (Menu* open = openMenu())
        return openMenuKey(*open, stroke);
    if (armed_ != nullptr && armedKey(stroke))
        return true;
    if (stroke.key == Key::Alt) {
        if (!stroke.repeat)
            altAlone_ = !stroke.shift && !stroke.control;
        return true;
    }
    if (stroke.key == Key::Letter && stroke.alt && !stroke.control) {
        Menu* menu = menuWithKey(stroke.letter);
        return menu != nullptr && menu->open(true);
    }
    if (stroke.key == Key::F10 && stroke.plain()) {
        const std::vector<Menu*> all = menus();
        return !all.empty() && all.front()->open(true);
    }
    return false;
}

bool MenuBar::keyRelease(const KeyStroke& stroke) {
    if (stroke.key != Key::Alt)
        return false;
    if (std::exchange(altAlone_, false)) {
        const std::vector<Menu*> all = menus();
        if (armed_ != nullptr || all.empty())
            arm(nullptr);
        else
            arm(all.front());
    }
    return true;
}

bool MenuBar::armedKey(const KeyStroke& stroke) {
    Menu* armed = armed_;
    // Alt alone again disarms the bar when it is let go.
    if (stroke.key == Key::Alt)
        return false;
    if (stroke.key == Key::Escape || stroke.key == Key::Tab) {
        arm(nullptr);
        return true;
    }
    if (stroke.key == Key::Letter && !stroke.control) {
        Menu* menu = menuWithKey(stroke.letter);
        arm(nullptr);
        if (menu != nullptr)
            menu->open(true);
        return true;
    }
    if (stroke.key == Key::Left || stroke.key == Key::Right) {
        arm(neighbour(*armed, stroke.key == Key::Right ? 1 : -1));
        return true;
    }
    if (stroke.key == Key::Enter || stroke.key == Key::Space || stroke.key == Key::Down ||
        stroke.key == Key::Up) {
        arm(nullptr);
        armed->open(true);
        return true;
    }
    // Any other key leaves the menus alone and does what it does in the window.
    arm(nullptr);
    return false;
}

bool MenuBar::openMenuKey(Menu& menu, const KeyStroke& stroke) {
    const std::vector<MenuItem*> items = menu.choosableItems();
    const auto at = std::find(items.begin(), items.end(), menu.highlighted());
    switch (stroke.key) {
    case Key::Down:
    case Key::Up: {
        if (items.empty())
            break;
        const auto count = std::ptrdiff_t(items.size());
        std::ptrdiff_t next;
        if (at == items.end())
            next = stroke.key == Key::Down ? 0 : count - 1;
        else
            next = ((at - items.begin()) + (stroke.key == Key::Down ? 1 : -1) + count) % count;
        menu.highlight(items[std::size_t(next)]);
        break;
    }
    case Key::Left:
    case Key::Right:
        if (Menu* other = neighbour(menu, stroke.key == Key::Right ? 1 : -1); other != &menu)
            other->open(true);
        break;
    case Key::Enter:
    case Key::Space:
        if (at != items.end() && !stroke.repeat)
            (*at)->choose();
        break;
    case Key::Escape:
        menu.close();
        arm(&menu);
        break;
    case Key::Tab:
    case Key::Alt:
    case Key::F10:
        menu.close();
        arm(nullptr);
        break;
    case Key::Letter:
        if (stroke.control)
            break;
        for (MenuItem* item : items) {
            if (accessKeyOf(*item) == stroke.letter) {
                item->choose();
                break;
            }
        }
        break;
    default:
        break;
    }
    return true;
}

bool MenuBar::holdsKeyboard() const {
    const Menu* open = openMenu();
    return armed_ != nullptr || (open != nullptr && open->openedByKeys());
}

void MenuBar::pointerPressed(const Control* at) {
    Menu* open = openMenu();
    const bool onOpenMenu =
        open != nullptr && at != nullptr && (at == open || at->parent() == open);
    if (onOpenMenu)
        return;
    if (open != nullptr)
        open->close();
    arm(nullptr);
}

void MenuBar::dismiss() {
    if (Menu* open = openMenu())
        open->close();
    arm(nullptr);
    altAlone_ = false;
}

// ---- Menu ----

MenuBar* Menu::bar() const {
    Control* p = parent();
    return p != nullptr && p->kind() == ControlKind::MenuBar ? static_cast<MenuBar*>(p) : nullptr;
}

bool Menu::open(bool fromKeyboard) {
    if (!takesInput() || !shown())
        return false;
    if (MenuBar* b = bar()) {
        if (Menu* other = b->openMenu(); other != nullptr && other != this)
            other->close();
        b->arm(nullptr);
    }
    open_ = true;
    byKeys_ = fromKeyboard;
    const std::vector<MenuItem*> items = choosableItems();
    highlighted_ = fromKeyboard && !items.empty() ? items.front() : nullptr;
    changed();
    return true;
}

void Menu::close() {
    if (!open_)
        return;
    open_ = false;
    highlighted_ = nullptr;
    changed();
}

void Menu::titlePressed() {
    if (open_)
        close();
    else
        open(false);
}

std::vector<MenuItem*> Menu::choosableItems() const {
    std::vector<MenuItem*> items;
    for (Control* child : form().childrenOf(this))
        if (child->kind() == ControlKind::MenuItem && child->visible() && child->enabled())
            items.push_back(static_cast<MenuItem*>(child));
    return items;
}

void Menu::highlight(MenuItem* item) {
    if (!open_ || item == highlighted_)
        return;
    highlighted_ = item;
    changed();
}

void Menu::enabledChanged() {
    if (!enabled())
        close();
}

// ---- MenuItem ----

Menu* MenuItem::menu() const {
    Control* p = parent();
    return p != nullptr && p->kind() == ControlKind::Menu ? static_cast<Menu*>(p) : nullptr;
}

void MenuItem::choose() {
    if (!takesInput())
        return;
    if (Menu* m = menu())
        m->close();
    if (onClick)
        onClick();
}

void MenuItem::pointerEntered() {
    if (Menu* m = menu(); m != nullptr && enabled())
        m->highlight(this);
}

} // namespace platform
