#include "qt_backend.h"

#include "modal_boxes.h"
#include "qt_animation_timer.h"
#include "qt_boxes.h"
#include "qt_file_dialog.h"
#include "qt_window.h"

#include <QCoreApplication>

namespace platform {

QtBackend::QtBackend() = default;

QtBackend::~QtBackend() = default;

void QtBackend::build(Form& window) {
    window_ = std::make_unique<QtWindow>(window);
    ModalBoxes::program().setWindow(&window);
}

void QtBackend::runInputBox(InputBox& box) {
    QtInputBox(box, window_.get()).run();
}

void QtBackend::runErrorBox(std::unique_ptr<ErrorBox> box) {
    QtErrorBox(*box, window_.get()).run();
}

std::unique_ptr<AnimationTimer> QtBackend::makeTimer() {
    return std::make_unique<QtAnimationTimer>();
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
