#pragma once

#include "qt_form_window.h"

#include <QMainWindow>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QMimeData;

namespace platform {

class Control;
class ControlView;

// A form shown as a Qt main window: the menu bar and a client area holding one widget for
// every control, at its place, in its font and colour, in its tab order. The widgets show the
// controls' state and hand the user's input to them; the window hands every key to the form.
class QtWindow final : public QMainWindow, public QtFormWindow {
public:
    explicit QtWindow(Form& form);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dragged onto the window: taken or refused as the form's drop target says.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus(Form& form);
    void buildControls(Form& form, const Control* parent, QWidget* parentWidget);
    void setTabOrder(const Form& form);
    // The dragged files the form takes now, by the names the file layer reads them by; nothing
    // when it refuses them or something other than local files is dragged.
    std::optional<std::vector<std::string>> takenDrop(const QMimeData* data) const;

    std::map<const Control*, QWidget*> widgets_;
    // Views that are not widgets themselves (menus and their items).
    std::vector<std::unique_ptr<ControlView>> menuViews_;
};

} // namespace platform
