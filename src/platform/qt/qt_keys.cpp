#include "qt_keys.h"

#include "form.h"
#include "key.h"
#include "qt_form_window.h"

#include <QApplication>
#include <string_view>
#include <utility>

namespace platform {

namespace {

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

// The letters and digits of a US keyboard by the keys' scan codes, which Linux's keyboards
// (X11, Wayland, the console) give 8 higher than Windows does.
constexpr std::string_view kLettersByScanCode =
    "  1234567890    QWERTYUIOP    ASDFGHJKL     ZXCVBNM";
#if defined(Q_OS_WIN)
constexpr quint32 kScanCodeOffset = 0;
#elif defined(Q_OS_LINUX)
constexpr quint32 kScanCodeOffset = 8;
#endif

// The letter or digit at the key's place on a US keyboard, where Qt tells it.
char placeOf(const QKeyEvent& event) {
#if defined(Q_OS_WIN) || defined(Q_OS_LINUX)
    const quint32 code = event.nativeScanCode() - kScanCodeOffset;
    if (event.nativeScanCode() >= kScanCodeOffset && code < kLettersByScanCode.size() &&
        kLettersByScanCode[code] != ' ')
        return kLettersByScanCode[code];
#endif
    // Elsewhere Qt names the key by its Latin letter where the layout's character is another
    // (Option+F on a Mac is Qt::Key_F).
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return char(key);
    return 0;
}

// A key from Qt as the forms know it.
KeyStroke toKeyStroke(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    KeyStroke stroke;
    stroke.shift = modifiers.testFlag(Qt::ShiftModifier);
    stroke.alt = modifiers.testFlag(Qt::AltModifier);
    stroke.control = modifiers.testFlag(Qt::ControlModifier);
    stroke.repeat = event.isAutoRepeat();
    const QString text = event.text();
    const char32_t typed = text.isEmpty() ? 0 : char32_t(text.toUcs4().front());
    for (const auto& [qtKey, ours] : kKeys)
        if (qtKey == key)
            stroke.key = ours;
    // Qt names Shift+Tab a key of its own.
    if (key == Qt::Key_Backtab)
        stroke.shift = true;
    addLetter(stroke, typed, placeOf(event));
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
    return form.keyPress(stroke);
}

Qt::FocusReason focusReasonOf(const KeyStroke* key) {
    if (key == nullptr || key->key != Key::Tab)
        return Qt::OtherFocusReason;
    return key->shift ? Qt::BacktabFocusReason : Qt::TabFocusReason;
}

} // namespace platform
