#pragma once

#include "control.h"
#include "menu.h"

#include <QMenuBar>

class QAction;
class QMenu;

namespace platform {

// Shows the window's menu bar. While the bar holds the keyboard (armed by Alt, or with a menu
// that keys opened) it has Qt's focus, so the window shows no other focused control, and the
// armed menu's title is raised, as Qt shows a title the keyboard is on. Every press of the
// pointer while no menu is open, and the window losing the keyboard, go to the bar; while one
// is open Qt's own menu has the pointer, and closes on a press elsewhere as the bar would.
class QtMenuBar final : public QMenuBar, public ViewOf<MenuBar> {
public:
    QtMenuBar(MenuBar& bar, QWidget* parent);
    ~QtMenuBar() override;

    void refresh() override;
    void takeFocus() override {}

    // Gives the bar Qt's focus while it holds the keyboard, and gives it back when not.
    void showKeyboard();

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    // Watches the whole application for the pointer and the window's keyboard.
    class PointerWatch final : public QObject {
    public:
        explicit PointerWatch(QtMenuBar& bar) : bar_(bar) {}

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        QtMenuBar& bar_;
    };

    // The control of the bar's form that `widget` or its nearest parent shows; nothing for one
    // of no control.
    const Control* controlOf(const QObject* widget) const;

    PointerWatch watch_{*this};
};

// Shows a top-level menu: its title, whether it can be opened, whether it is open and which
// item is highlighted. Whether it is open is the menu's alone: Qt opening its menu by the
// pointer is a press on the title, Qt closing it one elsewhere, and the pointer coming over an
// item is told to the menu.
class QtMenu final : public ViewOf<Menu> {
public:
    QtMenu(Menu& menu, QMenu* shown, QtMenuBar* bar);

    void refresh() override;
    void takeFocus() override {}

private:
    QAction* actionOf(const Control* item) const;

    QMenu* shown_;
    QtMenuBar* bar_;
};

// Shows an item of a menu, or a separator line; choosing the item chooses the control.
class QtMenuItem final : public ViewOf<Control> {
public:
    QtMenuItem(Control& item, QAction* shown);

    void refresh() override;
    void takeFocus() override {}

private:
    QAction* shown_;
};

} // namespace platform
