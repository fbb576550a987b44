#include "headless_backend.h"

namespace platform {

void HeadlessBackend::build(Form&, const WindowLayout&) {
    built = true;
}

std::unique_ptr<AnimationTimer> HeadlessBackend::makeTimer() {
    auto made = std::make_unique<HeadlessTimer>();
    timer = made.get();
    return made;
}

std::unique_ptr<InputBox> HeadlessBackend::makeInputBox() {
    auto made = std::make_unique<HeadlessInputBox>();
    inputBox = made.get();
    return made;
}

std::unique_ptr<ErrorBox> HeadlessBackend::makeErrorBox(const std::string&) {
    auto made = std::make_unique<HeadlessErrorBox>();
    errorBox = made.get();
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
