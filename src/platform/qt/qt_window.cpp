#include "qt_window.h"

#include "image.h"
#include "layout.h"
#include "menu.h"
#include "qt_boxes.h"
#include "qt_buttons.h"
#include "qt_icon_image.h"
#include "qt_image.h"
#include "qt_menu.h"
#include "qt_static_controls.h"
#include "qt_track_bar.h"
#include "window_font.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace platform {

namespace {

QColor toQColor(sound::Color color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QWidget* makeWidget(Control& control, QWidget* parent) {
    switch (control.kind()) {
    case ControlKind::Button:
        return new QtButton(static_cast<Button&>(control), parent);
    case ControlKind::CheckBox:
        return new QtCheckBox(static_cast<CheckBox&>(control), parent);
    case ControlKind::RadioButton:
        return new QtRadioButton(static_cast<RadioButton&>(control), parent);
    case ControlKind::TrackBar:
        return new QtTrackBar(static_cast<TrackBar&>(control), parent);
    case ControlKind::Label:
        return new QtLabel(static_cast<Label&>(control), parent);
    case ControlKind::GroupBox:
        return new QtGroupBox(static_cast<GroupBox&>(control), parent);
    case ControlKind::Panel:
        return new QtPanel(static_cast<Panel&>(control), parent);
    case ControlKind::Image:
        return new QtImage(static_cast<Image&>(control), parent);
    case ControlKind::ListBox:
        return new QtListBox(static_cast<ListBox&>(control), parent);
    case ControlKind::Edit:
        return new QtEdit(static_cast<Edit&>(control), parent);
    case ControlKind::MenuBar:
    case ControlKind::Menu:
    case ControlKind::MenuItem:
    case ControlKind::MenuSeparator:
        break;
    }
    // The menus are the menu bar's.
    return nullptr;
}

} // namespace

QtWindow::QtWindow(Form& form) : QtFormWindow(form) {
    setWindowTitle(QString::fromStdString(form.title()));
    if (form.iconSize() > 0)
        setWindowIcon(QIcon(QPixmap::fromImage(iconImage(form.iconSize(), form.icon()))));
    setFont(windowFont(12));
    buildMenus(form);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    buildControls(form, nullptr, client);
    setTabOrder(form);
    setAcceptDrops(true);

    // The window opens at its designed place rather than centred; the client area under the
    // menu bar has the form's size. The menu bar takes the height it needs at the window's
    // width, which can be more than its size hint says. The window stays resizable and the
    // controls keep their places.
    const Rect place = form.place();
    move(place.left, place.top);
    resize(place.width, place.height + menuBar()->heightForWidth(place.width));
}

void QtWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (form() != nullptr)
        form()->userClose();
}

std::optional<std::vector<std::string>> QtWindow::takenDrop(const QMimeData* data) const {
    const DropTarget* target = form() != nullptr ? form()->dropTarget() : nullptr;
    if (target == nullptr || data == nullptr || !data->hasUrls())
        return std::nullopt;
    std::vector<std::string> paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return std::nullopt;
        paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    if (!target->canTakeDrop(paths))
        return std::nullopt;
    return paths;
}

void QtWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (takenDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void QtWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (takenDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void QtWindow::dropEvent(QDropEvent* event) {
    std::optional<std::vector<std::string>> paths = takenDrop(event->mimeData());
    if (!paths) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop has ended, so that an error box does not hold up the program the
    // file was dragged from.
    QTimer::singleShot(0, this, [this, dropped = std::move(*paths)] {
        if (form() != nullptr && form()->dropTarget() != nullptr)
            form()->dropTarget()->dropFiles(dropped);
    });
}

void QtWindow::buildMenus(Form& form) {
    MenuBar* bar = form.menuBar();
    if (bar == nullptr)
        return;
    auto* shownBar = new QtMenuBar(*bar, this);
    setMenuBar(shownBar);
    for (Control* child : form.childrenOf(bar)) {
        if (child->kind() != ControlKind::Menu)
            continue;
        QMenu* menu = shownBar->addMenu(QString());
        for (Control* item : form.childrenOf(child)) {
            QAction* action = item->kind() == ControlKind::MenuItem ? menu->addAction(QString())
                                                                    : menu->addSeparator();
            menuViews_.push_back(std::make_unique<QtMenuItem>(*item, action));
        }
        menuViews_.push_back(std::make_unique<QtMenu>(static_cast<Menu&>(*child), menu, shownBar));
    }
}

// Controls on one parent are stacked in the order they were made, later ones over earlier ones
// where they touch.
void QtWindow::buildControls(Form& form, const Control* parent, QWidget* parentWidget) {
    for (Control* control : form.childrenOf(parent)) {
        QWidget* widget = makeWidget(*control, parentWidget);
        if (widget == nullptr)
            continue;
        if (control->fontHeight() != font().pixelSize())
            widget->setFont(windowFont(control->fontHeight()));
        if (const std::optional<sound::Color> colour = control->fontColor()) {
            // Children take the colour too: the buttons of a source's group.
            QPalette palette = widget->palette();
            palette.setColor(QPalette::WindowText, toQColor(*colour));
            palette.setColor(QPalette::ButtonText, toQColor(*colour));
            widget->setPalette(palette);
        }
        // The caption's width in the widget's own font.
        const Rect place = placeForCaption(*control, widget->sizeHint().width());
        widget->setGeometry(place.left, place.top, place.width, place.height);
        widgets_.emplace(control, widget);
        buildControls(form, control, widget);
    }
}

void QtWindow::setTabOrder(const Form& form) {
    // The form moves the focus itself; Qt's own order is kept the same for whatever else
    // follows it, such as accessibility tools.
    const std::vector<Control*> order = form.tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widgets_.at(order[i - 1]), widgets_.at(order[i]));
}

} // namespace platform
