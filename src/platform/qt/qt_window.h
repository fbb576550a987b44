#pragma once

#include "control.h"
#include "form.h"
#include "layout.h"

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A form shown as a Qt main window: the menu bar and a client area holding one widget for
// every control of the layout, at its place, in its font and colour, in its tab order. The
// widgets show the controls' state and hand the user's input to them.
class QtWindow final : public QMainWindow, public WindowView {
public:
    QtWindow(Form& form, const WindowLayout& layout);
    ~QtWindow() override;

    // The widget that shows the control of that name; nothing for a menu item or a name of
    // no control.
    QWidget* widget(const std::string& name) const;

    void formGone() override { form_ = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu(Form& form, const WindowLayout& layout);
    void buildControls(Form& form, const WindowLayout& layout);
    QWidget* makeWidget(Control& control, const ControlLayout& row, QWidget* parent);
    void setTabOrder(const WindowLayout& layout);

    Form* form_;
    std::map<std::string, QWidget*, std::less<>> widgets_;
    // Views that are not widgets themselves (menus and their items).
    std::vector<std::unique_ptr<ControlView>> menuViews_;
};

} // namespace platform
