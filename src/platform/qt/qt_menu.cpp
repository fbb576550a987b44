#include "qt_menu.h"

#include "form.h"
#include "qt_control_view.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
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
    QCoreApplication::instance()->installEventFilter(&watch_);
    attachToControl();
}

QtMenuBar::~QtMenuBar() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(&watch_);
}

void QtMenuBar::refresh() {
    showKeyboard();
    update();
}

void QtMenuBar::showKeyboard() {
    const MenuBar& bar = *control();
    const bool holds = bar.holdsKeyboard();
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

const Control* QtMenuBar::controlOf(const QObject* widget) const {
    for (const QObject* at = widget; at != nullptr; at = at->parent())
        if (const Control* shown = control()->form().find(at->objectName().toStdString()))
            return shown;
    return nullptr;
}

bool QtMenuBar::PointerWatch::eventFilter(QObject* watched, QEvent* event) {
    if (bar_.control() == nullptr)
        return false;
    // A press reaches Qt's window and then the widget under the pointer, and its parents if
    // that one leaves it: the bar takes it from the widgets. An open menu of Qt's has every
    // press meanwhile, and closes on one elsewhere itself.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        QApplication::activePopupWidget() == nullptr)
        bar_.control()->pointerPressed(bar_.controlOf(watched));
    else if (event->type() == QEvent::WindowDeactivate && watched == bar_.window())
        bar_.control()->dismiss();
    return false;
}

// ---- QtMenu ----

QtMenu::QtMenu(Menu& menu, QMenu* shown, QtMenuBar* bar) : ViewOf(menu), shown_(shown), bar_(bar) {
    shown_->setObjectName(nameOf(menu));
    // Qt opens its menu when its title is pressed; the menu opens only when the form lets it,
    // and Qt's showing, which cannot be undone while it runs, is undone once it is done.
    QObject::connect(shown_, &QMenu::aboutToShow, [this] {
        if (control() == nullptr || control()->isOpen())
            return;
        control()->titlePressed();
        if (!control()->isOpen())
            QMetaObject::invokeMethod(shown_, &QMenu::hide, Qt::QueuedConnection);
    });
    // Qt closes its menu when the pointer is pressed elsewhere or the window loses the
    // keyboard.
    QObject::connect(shown_, &QMenu::aboutToHide, [this] {
        if (control() != nullptr && control()->isOpen())
            static_cast<MenuBar*>(control()->parent())->dismiss();
    });
    attachToControl();
}

void QtMenu::refresh() {
    const Menu& menu = *control();
    shown_->setTitle(captionOf(menu));
    // A disabled top-level item cannot be opened, so none of its commands can run.
    shown_->menuAction()->setEnabled(menu.enabled());
    shown_->menuAction()->setVisible(menu.visible());
    if (menu.isOpen()) {
        // Opened by keys, the menu drops down where a click on its title would put it, with
        // the title shown pressed; opened by a click, Qt is showing it already.
        if (!shown_->isVisible())
            bar_->setActiveAction(shown_->menuAction());
        shown_->setActiveAction(actionOf(menu.highlighted()));
    } else if (shown_->isVisible()) {
        shown_->hide();
    }
    bar_->showKeyboard();
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
