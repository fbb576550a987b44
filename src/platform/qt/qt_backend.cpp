#include "qt_backend.h"

#include "qt_animation_timer.h"
#include "qt_error_box.h"
#include "qt_file_dialog.h"
#include "qt_input_box.h"
#include "qt_window.h"

#include <QCoreApplication>

namespace platform {

QtBackend::QtBackend() = default;

QtBackend::~QtBackend() = default;

void QtBackend::build(Form& form, const WindowLayout& layout) {
    window_ = std::make_unique<QtWindow>(form, layout);
}

std::unique_ptr<AnimationTimer> QtBackend::makeTimer() {
    return std::make_unique<QtAnimationTimer>();
}

std::unique_ptr<InputBox> QtBackend::makeInputBox() {
    return std::make_unique<QtInputBox>(window_.get());
}

std::unique_ptr<ErrorBox> QtBackend::makeErrorBox(const std::string& caption) {
    return std::make_unique<QtErrorBox>(window_.get(), QString::fromStdString(caption));
}

std::unique_ptr<FileDialog> QtBackend::makeFileDialog(FileDialog::Mode mode) {
    return std::make_unique<QtFileDialog>(mode, window_.get());
}

std::unique_ptr<SettingsStorage> QtBackend::makeSettingsStorage() {
    return std::make_unique<DiskSettingsStorage>();
}

void QtBackend::quit() {
    // Every event loop, modal ones included, ends with 0.
    QCoreApplication::exit(0);
}

} // namespace platform
