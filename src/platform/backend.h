#pragma once

#include "animation_timer.h"
#include "error_box.h"
#include "file_dialog.h"
#include "input_box.h"
#include "settings_storage.h"

#include <memory>
#include <string>

namespace platform {

class Form;
struct WindowLayout;

// What the window needs of a toolkit: its controls made from the layout and shown, and the
// timer, the boxes, the file dialogs and the file layer. A backend only shows what the
// controls hold and delivers the user's input to them; every rule lives in the controls and
// the window.
class Backend {
public:
    virtual ~Backend() = default;

    // Makes the toolkit's window and one toolkit control for every row of `layout`, shows the
    // state each control of `form` holds, and from then on delivers the user's input to them.
    // Called once, after the layout's initial state has been applied.
    virtual void build(Form& form, const WindowLayout& layout) = 0;

    virtual std::unique_ptr<AnimationTimer> makeTimer() = 0;
    virtual std::unique_ptr<InputBox> makeInputBox() = 0;
    // An error box with `caption` as its title.
    virtual std::unique_ptr<ErrorBox> makeErrorBox(const std::string& caption) = 0;
    virtual std::unique_ptr<FileDialog> makeFileDialog(FileDialog::Mode mode) = 0;
    virtual std::unique_ptr<SettingsStorage> makeSettingsStorage() = 0;

    // Ends the event loop, modal ones included, once the running handler has returned; the
    // program then exits with 0.
    virtual void quit() = 0;

    // The set-up changed: `fragment` is its link's fragment, "okd=" and the 37 values, without
    // the "#". A page puts it in place of its address's fragment without a new history entry,
    // so that a reload, a bookmark or a copied address keeps the set-up; a window without an
    // address has nothing to do.
    virtual void showSetupLink(const std::string& /*fragment*/) {}
};

} // namespace platform
