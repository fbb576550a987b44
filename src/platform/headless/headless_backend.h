#pragma once

#include "backend.h"
#include "headless_boxes.h"
#include "headless_timer.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// The window with no toolkit and no display: nothing is shown, the timer ticks when told
// to, and the boxes are answered by scripted users. The picture command runs the program's
// window on it, and tests drive the window's rules through it as a user would, through the
// forms and controls. The parts it made stay reachable for whoever drives it.
class HeadlessBackend final : public Backend {
public:
    void build(Form& window) override;
    void runInputBox(InputBox& box) override { inputBox->run(box); }
    void runErrorBox(std::unique_ptr<ErrorBox> box) override;
    std::unique_ptr<AnimationTimer> makeTimer() override;
    std::unique_ptr<FileDialog> makeFileDialog(FileDialog::Mode mode) override;
    std::unique_ptr<SettingsStorage> makeSettingsStorage() override;
    void quit() override { quitRequested = true; }
    void showSetupLink(const std::string& fragment) override {
        ++setupLinksTold;
        lastSetupLink = fragment;
    }

    Form* window = nullptr;
    bool quitRequested = false;
    // Only the count and the last: the picture command turns the view on every one of up to
    // a million frames, and each turn is told.
    int setupLinksTold = 0;
    std::string lastSetupLink;
    // The first timer made: the window's own, which it makes before its controls' repeats.
    HeadlessTimer* timer = nullptr;
    HeadlessInputBox* inputBox = &inputBoxUser_;
    HeadlessErrorBox* errorBox = &errorBoxUser_;
    HeadlessFileDialog* openDialog = nullptr;
    HeadlessFileDialog* saveDialog = nullptr;
    // The error boxes left open, the last shown last.
    std::vector<std::unique_ptr<ErrorBox>> openErrorBoxes;

private:
    HeadlessInputBox inputBoxUser_;
    HeadlessErrorBox errorBoxUser_;
};

} // namespace platform
