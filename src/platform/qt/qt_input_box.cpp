#include "qt_input_box.h"

#include "button.h"
#include "qt_keys.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace platform {

namespace {

// Enter presses the box's button that has the focus, as it does on the main window: on
// "キャンセル" it cancels. Without this a dialog takes Enter for its default button, OK.
class EnterPressesFocusedButton final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (toKey(key) != Key::Enter || !Button::pressedBy(Key::Enter))
            return false;
        if (!key.isAutoRepeat())
            static_cast<QPushButton*>(watched)->animateClick();
        return true;
    }
};

} // namespace

QtInputBox::QtInputBox(QWidget* owner) : owner_(owner) {}

std::optional<std::string> QtInputBox::run(const std::string& caption, const std::string& prompt) {
    QDialog dialog(owner_);
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setWindowModality(Qt::ApplicationModal);

    auto* label = new QLabel(QString::fromStdString(prompt), &dialog);
    label->setTextFormat(Qt::PlainText);
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("edit"));
    edit->setMaxLength(kMaxLength);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), &dialog);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    auto* enter = new EnterPressesFocusedButton(&dialog);
    ok->installEventFilter(enter);
    cancel->installEventFilter(enter);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addLayout(buttons);
    dialog.setMinimumWidth(280);
    dialog.ensurePolished();
    dialog.adjustSize();

    // The box opens in the middle of the screen, not over its owner.
    const QScreen* screen = owner_ != nullptr ? owner_->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    edit->setFocus();

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text().toStdString();
}

} // namespace platform
