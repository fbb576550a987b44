#pragma once

#include "control.h"
#include "menu.h"

#include <QMenuBar>

class QAction;
class QMenu;

namespace platform {

// Shows the window's menu bar. While the bar holds the keyboard (armed by Alt, or with a menu
// that keys opened) it has Qt's focus, so the window shows no other focused control, and the
// armed menu's title is raised, as Qt shows a title the keyboard is on. A press of the pointer
// anywhere, or the window losing the keyboard, disarms the bar.
class QtMenuBar final : public QMenuBar, public ViewOf<MenuBar> {
public:
    QtMenuBar(MenuBar& bar, QWidget* parent);

    void refresh() override;
    void takeFocus() override {}

    // A menu of the bar was opened by keys, or opened by the pointer or closed.
    void setMenuOpenedByKeys(bool byKeys);

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    void showKeyboard();

    // Watches the whole application while the bar is armed.
    class Disarm final : public QObject {
    public:
        explicit Disarm(QtMenuBar& bar) : bar_(bar) {}

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        QtMenuBar& bar_;
    };

    Disarm disarm_{*this};
    bool watching_ = false;
    bool menuOpenedByKeys_ = false;
};

// Shows a top-level menu: its title, whether it can be opened, whether it is open and which
// item is highlighted. Qt opening or closing it by the pointer, and the pointer coming over an
// item, are told to the controls.
class QtMenu final : public ViewOf<Menu> {
public:
    QtMenu(Menu& menu, QMenu* shown, QtMenuBar* bar);

    void refresh() override;
    void takeFocus() override {}

private:
    QAction* actionOf(const Control* item) const;

    QMenu* shown_;
    QtMenuBar* bar_;
    // Set while the menu opens or closes, by Qt or by the view, so that neither answers the
    // other.
    bool syncing_ = false;
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
