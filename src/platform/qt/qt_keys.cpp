#include "qt_keys.h"

#include "form.h"
#include "key.h"
#include "qt_form_window.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <utility>

namespace platform {

namespace {

std::optional<Qt::FocusReason> focusReasonNow;

// Qt's keys that the forms know by another name; every other key but a letter or a digit is
// Key::Other.
constexpr std::pair<int, Key> kKeys[] = {
    {Qt::Key_Up, Key::Up},        {Qt::Key_Down, Key::Down},     {Qt::Key_Left, Key::Left},
    {Qt::Key_Right, Key::Right},  {Qt::Key_PageUp, Key::PageUp}, {Qt::Key_PageDown, Key::PageDown},
    {Qt::Key_Home, Key::Home},    {Qt::Key_End, Key::End},       {Qt::Key_Space, Key::Space},
    {Qt::Key_Return, Key::Enter}, {Qt::Key_Enter, Key::Enter},   {Qt::Key_Escape, Key::Escape},
    {Qt::Key_Tab, Key::Tab},      {Qt::Key_Backtab, Key::Tab},   {Qt::Key_Alt, Key::Alt},
    {Qt::Key_F10, Key::F10},
};

bool isKeyEvent(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
           type == QEvent::ShortcutOverride;
}

// A key from Qt as the forms know it. Letters and digits are taken from the key pressed, not
// the text it types.
KeyStroke toKeyStroke(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    KeyStroke stroke;
    stroke.shift = modifiers.testFlag(Qt::ShiftModifier);
    stroke.alt = modifiers.testFlag(Qt::AltModifier);
    stroke.control = modifiers.testFlag(Qt::ControlModifier);
    stroke.repeat = event.isAutoRepeat();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        stroke.key = Key::Letter;
        stroke.letter = char(key);
        return stroke;
    }
    for (const auto& [qtKey, ours] : kKeys)
        if (qtKey == key)
            stroke.key = ours;
    // Qt names Shift+Tab a key of its own.
    if (key == Qt::Key_Backtab)
        stroke.shift = true;
    return stroke;
}

} // namespace

QtKeyFilter::QtKeyFilter() {
    QCoreApplication::instance()->installEventFilter(this);
}

QtKeyFilter::~QtKeyFilter() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool QtKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (!isKeyEvent(event->type()))
        return false;
    Form* window = QtFormWindow::formOf(*watched);
    if (window == nullptr)
        return false;
    auto& key = static_cast<QKeyEvent&>(*event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Taken as an override, the key is no shortcut and comes as a key press, to the form.
        key.accept();
        return true;
    }
    // A key comes to Qt's window first, which hands it to the focused widget and then to each
    // of its parents that the one before left it to: the form has it once, from the window.
    if (!watched->isWindowType())
        return false;
    Form* form = Form::keyTarget(*window);
    if (form == nullptr || !handOn(*form, key))
        return false;
    key.accept();
    return true;
}

bool QtKeyFilter::handOn(Form& form, const QKeyEvent& event) {
    const KeyStroke stroke = toKeyStroke(event);
    if (event.type() == QEvent::KeyRelease) {
        // Qt sends a key held down as a release and a press each time it repeats; only the
        // last release lets go of the key.
        return !stroke.repeat && form.keyRelease(stroke);
    }
    const Qt::FocusReason reason = stroke.key != Key::Tab ? Qt::OtherFocusReason
                                   : stroke.shift         ? Qt::BacktabFocusReason
                                                          : Qt::TabFocusReason;
    QScopedValueRollback<std::optional<Qt::FocusReason>> byKey(focusReasonNow, reason);
    return form.keyPress(stroke);
}

std::optional<Qt::FocusReason> keyFocusReason() {
    return focusReasonNow;
}

KeyFocusPause::KeyFocusPause() : paused_(std::exchange(focusReasonNow, std::nullopt)) {}

KeyFocusPause::~KeyFocusPause() {
    focusReasonNow = paused_;
}

} // namespace platform
