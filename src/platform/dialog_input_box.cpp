#include "dialog_input_box.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace platform {

DialogInputBox::DialogInputBox(QWidget* owner) : owner_(owner) {}

std::optional<std::string> DialogInputBox::ask(const std::string& caption,
                                               const std::string& prompt) {
    QDialog dialog(owner_);
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setWindowModality(Qt::ApplicationModal);

    auto* label = new QLabel(QString::fromStdString(prompt), &dialog);
    label->setTextFormat(Qt::PlainText);
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("edit"));
    edit->setMaxLength(255);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), &dialog);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
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
