#pragma once

#include "backend.h"
#include "error_box.h"
#include "web_form_view.h"
#include "web_storage.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform {

// The program in a web page, for the browser edition: the page's elements, timers and boxes,
// the browser's file chooser and downloads. It lives as long as the page.
class WebBackend final : public Backend {
public:
    void build(Form& window) override;
    // Waits for the answer with the handler paused, while the timers go on.
    void runInputBox(InputBox& box) override;
    // Does not wait: the window shows an error only after the failed handler has ended, so
    // nothing is left to do until the user closes the box, and the page takes no input
    // meanwhile. A tick's error thus never needs a second paused call; several errors stack.
    void runErrorBox(std::unique_ptr<ErrorBox> box) override;
    std::unique_ptr<AnimationTimer> makeTimer() override;
    std::unique_ptr<FileDialog> makeFileDialog(FileDialog::Mode mode) override;
    std::unique_ptr<SettingsStorage> makeSettingsStorage() override;
    // A page cannot end itself: the timers and the input stop, and the browser closes the page
    // where it allows a page to close itself.
    void quit() override;
    // The page's address holds the set-up, so that a reload, a bookmark or a copied address
    // brings it back.
    void showSetupLink(const std::string& fragment) override;

    // Shows the window that build() made, which until then the page keeps out of sight.
    void showWindow();
    // The form the user's keys go to now: the topmost box, else the window; nothing before the
    // window is built or while the browser's file chooser is open.
    Form* keyTarget() const;
    // Lets go of the error boxes the user has closed. Called when the page's input comes in,
    // never from inside a box's own handler.
    void dropClosedBoxes();
    // Files dragged over the page, dropped or launched: whether the window takes that many
    // now. The first file dropped or launched is the page's offered file, which the window
    // takes or refuses by its name before anything of it is read.
    bool canTakeDrop(std::size_t files) const;
    void dropFiles(std::size_t count);
    // Who follows the page's address when it changes, and the new part after "#".
    void followAddress(std::function<void(const std::string&)> follow);
    void addressChanged(const std::string& fragment);

private:
    struct ShownErrorBox {
        std::unique_ptr<ErrorBox> box;
        std::unique_ptr<WebFormView> view;
    };

    std::unique_ptr<WebFormView> window_;
    std::vector<ShownErrorBox> errorBoxes_;
    OfferedFile offered_;
    std::function<void(const std::string&)> followAddress_;
};

// The page's one backend.
WebBackend& pageBackend();

} // namespace platform
