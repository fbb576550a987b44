#include "qt_boxes.h"

#include "qt_buttons.h"
#include "qt_keys.h"
#include "qt_static_controls.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace platform {

namespace {

// Gives the focus to the widget of the control the form has focused.
void showFocus(const Form& form) {
    if (Control* focused = form.focused(); focused != nullptr && focused->view() != nullptr)
        focused->view()->takeFocus();
}

// A quoted line may hold no blank at all (a line of escaped bytes or of digits). Qt's message
// box holds itself to the screen's width, but its label breaks lines only at blanks and
// between ideographs, so such a line ran past the box's edge, cut off. Zero-width spaces in
// long runs of other characters, before a backslash where there is one, give the label places
// to break; they show nothing, and a line that fits is laid out as before.
QString withBreakOpportunities(const QString& text) {
    constexpr int kShortRun = 8;
    constexpr int kLongRun = 16;
    QString result;
    result.reserve(text.size());
    int run = 0;
    for (const QChar c : text) {
        // Lines already break between the ideographs and kana from U+2E80 on; surrogate halves
        // are counted there too, so that nothing comes between them.
        if (c.isSpace() || c.unicode() >= 0x2E80) {
            run = 0;
        } else if (run >= kLongRun || (run >= kShortRun && c == QLatin1Char('\\'))) {
            result += QChar(0x200B);
            run = 0;
        }
        result += c;
        if (!c.isSpace() && c.unicode() < 0x2E80)
            ++run;
    }
    return result;
}

} // namespace

QtEdit::QtEdit(Edit& edit, QWidget* parent) : QtView(edit, parent) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (control() != nullptr)
            control()->edited(text.toStdString());
    });
    attachToControl();
}

void QtEdit::refresh() {
    const Edit& edit = *control();
    // Setting the text anew would move the cursor.
    const QString text = QString::fromStdString(edit.text());
    if (this->text() != text)
        setText(text);
    if (edit.allSelected())
        selectAll();
    showCommonState(*this, edit);
}

QtInputBox::QtInputBox(InputBox& box, QWidget* owner) : QDialog(owner), QtFormWindow(box) {
    setWindowTitle(QString::fromStdString(box.title()));
    setWindowModality(Qt::ApplicationModal);

    auto* prompt = new QtLabel(box.prompt, this);
    auto* field = new QtEdit(box.field, this);
    auto* note = new QtLabel(box.note, this);
    auto* ok = new QtButton(box.ok, this);
    // OK is drawn as the box's default button, and キャンセル keeps its plain look even while
    // it has the focus (and Enter presses it).
    ok->setDefault(true);
    auto* cancel = new QtButton(box.cancel, this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(field);
    layout->addWidget(note);
    layout->addLayout(buttons);
    setMinimumWidth(280);
    ensurePolished();
    adjustSize();

    // The box opens in the middle of the screen, not over its owner.
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        move(screen->availableGeometry().center() - rect().center());
}

void QtInputBox::run() {
    KeyFocusPause ownLoop;
    if (form() == nullptr || !form()->isOpen())
        return;
    showFocus(*form());
    exec();
}

void QtInputBox::reject() {
    if (form() != nullptr && form()->isOpen())
        form()->userClose();
    else
        QDialog::reject();
}

QtErrorBox::QtErrorBox(ErrorBox& box, QWidget* owner)
    : QMessageBox(QMessageBox::Critical, QString::fromStdString(box.title()),
                  withBreakOpportunities(QString::fromStdString(box.message.caption())),
                  QMessageBox::Ok, owner),
      QtFormWindow(box) {
    // While the box is open the program's other windows take no input.
    setWindowModality(Qt::ApplicationModal);
    // A message is shown as typed, never read as markup.
    setTextFormat(Qt::PlainText);
    connect(button(QMessageBox::Ok), &QPushButton::clicked, this, [&box] { box.ok.press(); });
}

void QtErrorBox::run() {
    KeyFocusPause ownLoop;
    if (form() != nullptr && form()->isOpen())
        exec();
}

void QtErrorBox::closeEvent(QCloseEvent* event) {
    // The close box is the form's to answer: it presses OK, which closes the box.
    event->ignore();
    if (form() != nullptr)
        form()->userClose();
}

} // namespace platform
