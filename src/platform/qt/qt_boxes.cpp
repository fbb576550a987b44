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

    const BoxLayout shape = box.layout();
    auto* column = new QVBoxLayout(this);
    for (const BoxRow& row : shape.rows) {
        auto* across = new QHBoxLayout;
        column->addLayout(across);
        const bool fill = row.align == BoxRow::Align::Fill;
        if (row.align == BoxRow::Align::End || row.align == BoxRow::Align::Centre)
            across->addStretch();
        for (Control* control : row.controls)
            across->addWidget(showControl(*control, box), fill ? 1 : 0);
        if (row.align == BoxRow::Align::Start || row.align == BoxRow::Align::Centre)
            across->addStretch();
    }
    setMinimumWidth(shape.minimumWidth);
    ensurePolished();
    adjustSize();

    if (!shape.centred)
        return;
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* QtInputBox::showControl(Control& control, const Form& form) {
    switch (control.kind()) {
    case ControlKind::Edit:
        return new QtEdit(static_cast<Edit&>(control), this);
    case ControlKind::Button: {
        auto* button = new QtButton(static_cast<Button&>(control), this);
        // Only the default button is drawn as one, even while another has the focus (and
        // Enter presses that one).
        const bool isDefault = &control == form.defaultButton();
        button->setDefault(isDefault);
        button->setAutoDefault(isDefault);
        return button;
    }
    default:
        return new QtLabel(static_cast<Label&>(control), this);
    }
}

void QtInputBox::run() {
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
