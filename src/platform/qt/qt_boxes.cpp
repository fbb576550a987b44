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
                  QString::fromStdString(box.message.caption()), QMessageBox::Ok, owner),
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
