#pragma once

#include "backend.h"
#include "qt_keys.h"

#include <memory>

namespace platform {

class QtWindow;

// The window on Qt Widgets, for the desktop. Needs a QApplication.
class QtBackend final : public Backend {
public:
    QtBackend();
    ~QtBackend() override;

    void build(Form& window) override;
    void runInputBox(InputBox& box) override;
    void runErrorBox(std::unique_ptr<ErrorBox> box) override;
    std::unique_ptr<AnimationTimer> makeTimer() override;
    std::unique_ptr<FileDialog> makeFileDialog(FileDialog::Mode mode) override;
    std::unique_ptr<SettingsStorage> makeSettingsStorage() override;
    void quit() override;

    // The window that build() made; nothing before.
    QtWindow* window() const { return window_.get(); }

private:
    QtKeyFilter keys_;
    std::unique_ptr<QtWindow> window_;
};

} // namespace platform
