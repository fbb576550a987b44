#pragma once

#include "control.h"
#include "menu.h"

class QAction;
class QMenu;

namespace platform {

// Shows a top-level menu: its title, and whether it can be opened.
class QtMenu final : public ViewOf<Menu> {
public:
    QtMenu(Menu& menu, QMenu* shown);

    void refresh() override;
    void takeFocus() override {}

private:
    QMenu* shown_;
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
