#pragma once

#include <QKeyEvent>
#include <QObject>

namespace platform {

class Form;
struct KeyStroke;

// Hands every key pressed in a window of the program's (the main window with its open menus,
// the boxes) to the form it shows, the topmost modal one taking the keys while it is open. A
// key the form takes stops there; any other goes on to the widget as usual (typing into a
// field). None of Qt's own shortcuts acts in those windows, so QMenuBar's Alt+letter and its
// handling of Alt alone never compete with the form's menu keys. Installed on the application
// for as long as it lives.
class QtKeyFilter final : public QObject {
public:
    QtKeyFilter();
    ~QtKeyFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the form took the key.
    static bool handOn(Form& form, const QKeyEvent& event);
};

// The reason to give Qt for a focus change that `key` made (nothing: the program made it): Tab
// or Backtab for those keys, Other for the rest.
Qt::FocusReason focusReasonOf(const KeyStroke* key);

} // namespace platform
