#include "error_box.h"

#include "backend.h"

#include <memory>

namespace platform {

ErrorBox::ErrorBox(const std::string& caption, const std::string& text) {
    setTitle(caption);
    message.setCaption(text);
    ok.setCaption("OK");
    ok.setTabIndex(0);
    setDefaultButton(&ok);
    setCancelButton(&ok);
    ok.onClick = [this] { closeModal(); };
    ok.setFocus();
}

BoxLayout ErrorBox::layout() {
    return {.rows = {{.controls = {&message}, .align = BoxRow::Align::Start, .errorIcon = true},
                     {.controls = {&ok}, .align = BoxRow::Align::Centre}}};
}

void showErrorBox(Backend& backend, const std::string& caption, const std::string& text) {
    auto box = std::make_unique<ErrorBox>(caption, text);
    // Open until the user closes it, also where the backend returns before that (the page).
    box->openModal(ModalBoxes::Kind::ErrorBox);
    backend.runErrorBox(std::move(box));
}

} // namespace platform
