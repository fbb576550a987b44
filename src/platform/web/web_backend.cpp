#include "web_backend.h"

#include "web_boxes.h"
#include "web_file_dialog.h"
#include "web_keys.h"
#include "web_page.h"
#include "web_timer.h"

namespace platform {

void WebBackend::build(Form& form, const WindowLayout& layout) {
    defineWebKeys();
    window_ = std::make_unique<WebWindow>(form, layout);
}

std::unique_ptr<AnimationTimer> WebBackend::makeTimer() {
    return std::make_unique<WebTimer>();
}

std::unique_ptr<InputBox> WebBackend::makeInputBox() {
    return std::make_unique<WebInputBox>();
}

std::unique_ptr<ErrorBox> WebBackend::makeErrorBox(const std::string& caption) {
    return std::make_unique<WebErrorBox>(caption);
}

std::unique_ptr<FileDialog> WebBackend::makeFileDialog(FileDialog::Mode mode) {
    if (mode == FileDialog::Mode::Open)
        return std::make_unique<WebOpenDialog>(picked_);
    return std::make_unique<WebSaveDialog>();
}

std::unique_ptr<SettingsStorage> WebBackend::makeSettingsStorage() {
    return std::make_unique<WebSettingsStorage>(picked_);
}

void WebBackend::quit() {
    web_page_quit("Ondulix-K は終了しました。このページを閉じてください。");
}

WebBackend& pageBackend() {
    // Never destroyed: the page keeps the program until it is closed.
    static WebBackend* backend = new WebBackend;
    return *backend;
}

} // namespace platform
