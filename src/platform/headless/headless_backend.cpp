#include "headless_backend.h"

#include "modal_boxes.h"

namespace platform {

void HeadlessBackend::build(Form& form) {
    window = &form;
    ModalBoxes::program().setWindow(&form);
}

void HeadlessBackend::runErrorBox(std::unique_ptr<ErrorBox> box) {
    errorBox->run(*box);
    std::erase_if(openErrorBoxes, [](const auto& open) { return !open->isOpen(); });
    if (box->isOpen())
        openErrorBoxes.push_back(std::move(box));
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
