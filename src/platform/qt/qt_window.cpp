#include "qt_window.h"

#include "button.h"
#include "check_box.h"
#include "image.h"
#include "list_box.h"
#include "menu.h"
#include "qt_buttons.h"
#include "qt_image.h"
#include "qt_menu.h"
#include "qt_static_controls.h"
#include "qt_track_bar.h"
#include "static_controls.h"
#include "track_bar.h"
#include "window_font.h"
#include "window_icon.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace platform {

namespace {

QColor toQColor(sound::Color color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

bool isMenuKind(ControlKind kind) {
    return kind == ControlKind::MenuBar || kind == ControlKind::Menu ||
           kind == ControlKind::MenuItem || kind == ControlKind::MenuSeparator;
}

// Check boxes and radio buttons are laid out 129 pixels wide. A caption that needs more in
// the font at hand (a fixed-width kana font is wider than the proportional one the layout
// was made with) may take the room up to the group's right edge instead of being cut off.
void widenToCaption(QWidget& button, const QWidget& parent) {
    const int room = parent.width() - button.x() - 2;
    if (button.sizeHint().width() > button.width())
        button.resize(std::min(button.sizeHint().width(), room), button.height());
}

} // namespace

QtWindow::QtWindow(Form& form, const WindowLayout& layout) : form_(&form) {
    setWindowTitle(QString::fromUtf8(layout.caption.data(), qsizetype(layout.caption.size())));
    setWindowIcon(makeWindowIcon());
    setFont(windowFont(12));
    buildMenu(form, layout);
    buildControls(form, layout);
    setTabOrder(layout);
    form.attach(this);

    // The window opens at its designed place rather than centred; the client area under the
    // menu bar has the layout's size. The menu bar takes the height it needs at the window's
    // width, which can be more than its size hint says. The window stays resizable and the
    // controls keep their places.
    move(layout.left, layout.top);
    resize(layout.clientWidth,
           layout.clientHeight + menuBar()->heightForWidth(layout.clientWidth));
}

QtWindow::~QtWindow() {
    if (form_ != nullptr)
        form_->attach(nullptr);
}

QWidget* QtWindow::widget(const std::string& name) const {
    const auto found = widgets_.find(name);
    return found == widgets_.end() ? nullptr : found->second;
}

void QtWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (form_ != nullptr)
        form_->userClose();
}

void QtWindow::buildMenu(Form& form, const WindowLayout& layout) {
    std::map<std::string_view, QMenu*> menus;
    for (const ControlLayout& row : layout.controls) {
        if (!isMenuKind(row.kind))
            continue;
        Control& control = *form.find(row.name);
        const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
        switch (row.kind) {
        case ControlKind::MenuBar:
            menuBar()->setObjectName(name);
            break;
        case ControlKind::Menu: {
            QMenu* menu = menuBar()->addMenu(QString());
            menu->setObjectName(name);
            menus[row.name] = menu;
            menuViews_.push_back(std::make_unique<QtMenu>(static_cast<Menu&>(control), menu));
            break;
        }
        case ControlKind::MenuItem:
        case ControlKind::MenuSeparator: {
            QMenu* menu = menus.at(row.parent);
            QAction* item = row.kind == ControlKind::MenuItem ? menu->addAction(QString())
                                                              : menu->addSeparator();
            item->setObjectName(name);
            menuViews_.push_back(std::make_unique<QtMenuItem>(control, item));
            break;
        }
        default:
            break;
        }
    }
}

void QtWindow::buildControls(Form& form, const WindowLayout& layout) {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    for (const ControlLayout& row : layout.controls) {
        if (isMenuKind(row.kind))
            continue;
        QWidget* parent = row.parent.empty() ? client : widgets_.at(std::string(row.parent));
        QWidget* widget = makeWidget(*form.find(row.name), row, parent);
        widget->setObjectName(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
        widget->setGeometry(row.place.left, row.place.top, row.place.width, row.place.height);
        if (row.fontHeight != 12)
            widget->setFont(windowFont(row.fontHeight));
        if (row.fontColor) {
            // Children take the colour too: the buttons of a source's group.
            QPalette palette = widget->palette();
            palette.setColor(QPalette::WindowText, toQColor(*row.fontColor));
            palette.setColor(QPalette::ButtonText, toQColor(*row.fontColor));
            widget->setPalette(palette);
        }
        if (row.kind == ControlKind::CheckBox || row.kind == ControlKind::RadioButton)
            widenToCaption(*widget, *parent);
        widgets_.emplace(std::string(row.name), widget);
    }
}

QWidget* QtWindow::makeWidget(Control& control, const ControlLayout& row, QWidget* parent) {
    switch (row.kind) {
    case ControlKind::Button:
        return new QtButton(static_cast<Button&>(control), parent);
    case ControlKind::CheckBox:
        return new QtCheckBox(static_cast<CheckBox&>(control), parent);
    case ControlKind::RadioButton:
        return new QtRadioButton(static_cast<RadioButton&>(control), parent);
    case ControlKind::TrackBar:
        return new QtTrackBar(static_cast<TrackBar&>(control), row, parent);
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
    default:
        return new QWidget(parent);
    }
}

void QtWindow::setTabOrder(const WindowLayout& layout) {
    const std::vector<const ControlLayout*> order = tabOrder(layout);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widgets_.at(std::string(order[i - 1]->name)),
                             widgets_.at(std::string(order[i]->name)));
}

} // namespace platform
