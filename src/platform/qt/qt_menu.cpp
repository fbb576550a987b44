#include "qt_menu.h"

#include "qt_view_state.h"

#include <QAction>
#include <QMenu>

namespace platform {

QtMenu::QtMenu(Menu& menu, QMenu* shown) : ViewOf(menu), shown_(shown) {
    attachToControl();
}

void QtMenu::refresh() {
    shown_->setTitle(captionOf(*control()));
    // A disabled top-level item cannot be opened, so none of its commands can run.
    shown_->menuAction()->setEnabled(control()->enabled());
}

QtMenuItem::QtMenuItem(Control& item, QAction* shown) : ViewOf(item), shown_(shown) {
    if (item.kind() == ControlKind::MenuItem)
        QObject::connect(shown_, &QAction::triggered, [this] {
            if (control() != nullptr)
                static_cast<MenuItem*>(control())->choose();
        });
    attachToControl();
}

void QtMenuItem::refresh() {
    if (control()->kind() == ControlKind::MenuItem)
        shown_->setText(captionOf(*control()));
    shown_->setEnabled(control()->enabled());
}

} // namespace platform
