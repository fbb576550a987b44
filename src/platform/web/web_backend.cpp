#include "web_backend.h"

#include "input_box.h"
#include "save_by_name.h"
#include "translation.h"
#include "web_file_dialog.h"
#include "web_keys.h"
#include "web_page.h"
#include "web_timer.h"
#include "web_wait.h"

#include <algorithm>

namespace platform {

void WebBackend::build(Form& window) {
    defineWebKeys();
    window_ = std::make_unique<WebFormView>(window, WebFormView::Kind::Window);
    ModalBoxes& boxes = ModalBoxes::program();
    boxes.setWindow(&window);
    boxes.onChange = [&boxes] { web_page_show_covered(int(boxes.depth())); };
}

void WebBackend::runInputBox(InputBox& box) {
    const BoxLayout layout = box.layout();
    WebFormView view(box, WebFormView::Kind::InputBox, &layout);
    waitUntil([&box] { return !box.isOpen(); });
}

void WebBackend::runErrorBox(std::unique_ptr<ErrorBox> box) {
    dropClosedBoxes();
    const BoxLayout layout = box->layout();
    auto view = std::make_unique<WebFormView>(*box, WebFormView::Kind::ErrorBox, &layout);
    errorBoxes_.push_back({std::move(box), std::move(view)});
}

void WebBackend::dropClosedBoxes() {
    std::erase_if(errorBoxes_, [](const ShownErrorBox& shown) { return !shown.box->isOpen(); });
}

std::unique_ptr<AnimationTimer> WebBackend::makeTimer() {
    return std::make_unique<WebTimer>();
}

std::unique_ptr<FileDialog> WebBackend::makeFileDialog(FileDialog::Mode mode) {
    if (mode == FileDialog::Mode::Open)
        return std::make_unique<WebOpenDialog>(offered_);
    return std::make_unique<SaveByNameDialog>(*this);
}

std::unique_ptr<SettingsStorage> WebBackend::makeSettingsStorage() {
    return std::make_unique<WebSettingsStorage>(offered_);
}

void WebBackend::quit() {
    web_page_quit(sound::tr("Ondulix-K は終了しました。このページを閉じてください。").c_str());
}

void WebBackend::showSetupLink(const std::string& fragment) {
    web_page_show_link(fragment.c_str());
}

bool WebBackend::canTakeDrop(std::size_t files) const {
    Form* window = window_ != nullptr ? window_->form() : nullptr;
    return window != nullptr && window->dropTarget() != nullptr &&
           window->dropTarget()->canTakeDrop(files);
}

void WebBackend::dropFiles(std::size_t count) {
    Form* window = window_ != nullptr ? window_->form() : nullptr;
    DropTarget* target = window != nullptr ? window->dropTarget() : nullptr;
    // The page names only the file it offers: a number the window refuses needs no names.
    if (target != nullptr && target->canTakeDrop(count)) {
        offered_.takeOffer();
        // The window judges the name and the moment before anything is read; a file it
        // refuses is let go of unread.
        target->dropFiles({offered_.name()});
    }
    offered_.forget();
}

void WebBackend::followAddress(std::function<void(const std::string&)> follow) {
    followAddress_ = std::move(follow);
}

void WebBackend::addressChanged(const std::string& fragment) {
    dropClosedBoxes();
    if (followAddress_)
        followAddress_(fragment);
}

void WebBackend::showWindow() {
    web_page_show_window();
}

Form* WebBackend::keyTarget() const {
    if (window_ == nullptr || window_->form() == nullptr)
        return nullptr;
    return Form::keyTarget(*window_->form());
}

WebBackend& pageBackend() {
    // Never destroyed: the page keeps the program until it is closed.
    static WebBackend* backend = new WebBackend;
    return *backend;
}

} // namespace platform
