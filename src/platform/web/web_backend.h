#pragma once

#include "backend.h"
#include "web_storage.h"
#include "web_window.h"

#include <memory>

namespace platform {

// The window in a web page, for the browser edition: the page's elements, timers and boxes,
// the browser's file chooser and downloads. It lives as long as the page.
class WebBackend final : public Backend {
public:
    void build(Form& form, const WindowLayout& layout) override;
    std::unique_ptr<AnimationTimer> makeTimer() override;
    std::unique_ptr<InputBox> makeInputBox() override;
    std::unique_ptr<ErrorBox> makeErrorBox(const std::string& caption) override;
    std::unique_ptr<FileDialog> makeFileDialog(FileDialog::Mode mode) override;
    std::unique_ptr<SettingsStorage> makeSettingsStorage() override;
    // A page cannot end itself: the timers and the input stop, and the browser closes the page
    // where it allows a page to close itself.
    void quit() override;

    // The window that build() made; nothing before.
    WebWindow* window() const { return window_.get(); }

private:
    std::unique_ptr<WebWindow> window_;
    PickedFile picked_;
};

// The page's one backend.
WebBackend& pageBackend();

} // namespace platform
