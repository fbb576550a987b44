#include "headless_backend.h"

namespace platform {

void HeadlessBackend::build(Form& form) {
    window = &form;
}

std::unique_ptr<AnimationTimer> HeadlessBackend::makeTimer() {
    auto made = std::make_unique<HeadlessTimer>();
    if (timer == nullptr)
        timer = made.get();
    return made;
}

std::unique_ptr<FileDialog> HeadlessBackend::makeFileDialog(FileDialog::Mode mode) {
    auto made = std::make_unique<HeadlessFileDialog>();
    (mode == FileDialog::Mode::Open ? openDialog : saveDialog) = made.get();
    return made;
}

std::unique_ptr<SettingsStorage> HeadlessBackend::makeSettingsStorage() {
    return std::make_unique<DiskSettingsStorage>();
}

} // namespace platform
