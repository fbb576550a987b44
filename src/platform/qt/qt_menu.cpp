#include "qt_menu.h"

#include "form.h"
#include "qt_control_view.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStyleOptionMenuItem>

namespace platform {

namespace {

QString nameOf(const Control& control) {
    return QString::fromStdString(control.name());
}

} // namespace

// ---- QtMenuBar ----

QtMenuBar::QtMenuBar(MenuBar& bar, QWidget* parent) : QMenuBar(parent), ViewOf(bar) {
    setObjectName(nameOf(bar));
    attachToControl();
}

void QtMenuBar::refresh() {
    const bool armed = control()->armedMenu() != nullptr;
    if (armed != watching_) {
        watching_ = armed;
        if (armed)
            QCoreApplication::instance()->installEventFilter(&disarm_);
        else
            QCoreApplication::instance()->removeEventFilter(&disarm_);
    }
    showKeyboard();
    update();
}

void QtMenuBar::setMenuOpenedByKeys(bool byKeys) {
    menuOpenedByKeys_ = byKeys;
    showKeyboard();
}

void QtMenuBar::showKeyboard() {
    const MenuBar& bar = *control();
    const bool holds = bar.armedMenu() != nullptr || (menuOpenedByKeys_ && bar.openMenu());
    if (holds && !hasFocus()) {
        setFocus(Qt::MenuBarFocusReason);
    } else if (!holds && hasFocus()) {
        if (Control* focused = bar.form().focused(); focused != nullptr && focused->view())
            focused->view()->takeFocus();
        else
            clearFocus();
    }
}

void QtMenuBar::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenuBar::initStyleOption(option, action);
    const Menu* armed = control() != nullptr ? control()->armedMenu() : nullptr;
    if (armed != nullptr && action->menu() != nullptr &&
        action->menu()->objectName() == nameOf(*armed))
        option->state |= QStyle::State_Selected | QStyle::State_HasFocus;
}

bool QtMenuBar::Disarm::eventFilter(QObject* watched, QEvent* event) {
    const bool pressed = event->type() == QEvent::MouseButtonPress;
    const bool leftWindow = event->type() == QEvent::WindowDeactivate && watched == bar_.window();
    if ((pressed || leftWindow) && bar_.control() != nullptr)
        bar_.control()->dismiss();
    return false;
}

// ---- QtMenu ----

QtMenu::QtMenu(Menu& menu, QMenu* shown, QtMenuBar* bar) : ViewOf(menu), shown_(shown), bar_(bar) {
    shown_->setObjectName(nameOf(menu));
    QObject::connect(shown_, &QMenu::aboutToShow, [this] {
        if (syncing_ || control() == nullptr || control()->isOpen())
            return;
        QScopedValueRollback<bool> fromQt(syncing_, true);
        bar_->setMenuOpenedByKeys(false);
        control()->titlePressed();
        // The menu opens only when the form lets it; Qt's showing is undone once it is done.
        if (!control()->isOpen())
            QMetaObject::invokeMethod(shown_, &QMenu::hide, Qt::QueuedConnection);
    });
    QObject::connect(shown_, &QMenu::aboutToHide, [this] {
        if (syncing_ || control() == nullptr || !control()->isOpen())
            return;
        QScopedValueRollback<bool> fromQt(syncing_, true);
        // Qt closes its menu when the pointer is pressed elsewhere, an item is clicked or the
        // window loses the keyboard.
        static_cast<MenuBar*>(control()->parent())->dismiss();
        bar_->setMenuOpenedByKeys(false);
    });
    attachToControl();
}

void QtMenu::refresh() {
    const Menu& menu = *control();
    shown_->setTitle(captionOf(menu));
    // A disabled top-level item cannot be opened, so none of its commands can run.
    shown_->menuAction()->setEnabled(menu.enabled());
    shown_->menuAction()->setVisible(menu.visible());
    if (syncing_)
        return;
    QScopedValueRollback<bool> fromHere(syncing_, true);
    if (menu.isOpen()) {
        // Opened by keys, the menu drops down where a click on its title would put it, with
        // the title shown pressed.
        if (!shown_->isVisible()) {
            bar_->setMenuOpenedByKeys(true);
            bar_->setActiveAction(shown_->menuAction());
        }
        shown_->setActiveAction(actionOf(menu.highlighted()));
    } else if (shown_->isVisible()) {
        shown_->hide();
        bar_->setMenuOpenedByKeys(false);
    }
}

QAction* QtMenu::actionOf(const Control* item) const {
    if (item == nullptr)
        return nullptr;
    for (QAction* action : shown_->actions())
        if (action->objectName() == nameOf(*item))
            return action;
    return nullptr;
}

// ---- QtMenuItem ----

QtMenuItem::QtMenuItem(Control& item, QAction* shown) : ViewOf(item), shown_(shown) {
    shown_->setObjectName(nameOf(item));
    if (item.kind() == ControlKind::MenuItem) {
        QObject::connect(shown_, &QAction::triggered, [this] {
            if (control() != nullptr)
                static_cast<MenuItem*>(control())->choose();
        });
        QObject::connect(shown_, &QAction::hovered, [this] {
            if (control() != nullptr)
                static_cast<MenuItem*>(control())->pointerEntered();
        });
    }
    attachToControl();
}

void QtMenuItem::refresh() {
    if (control()->kind() == ControlKind::MenuItem)
        shown_->setText(captionOf(*control()));
    shown_->setEnabled(control()->enabled());
    shown_->setVisible(control()->visible());
}

} // namespace platform
