#include "error_box.h"

#include "backend.h"
#include "modal_depth.h"

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

void showErrorBox(Backend& backend, const std::string& caption, const std::string& text) {
    auto box = std::make_unique<ErrorBox>(caption, text);
    ModalDepth::Scope open;
    box->openModal();
    backend.runErrorBox(std::move(box));
}

} // namespace platform
