#pragma once

#include "animation_timer.h"
#include "file_dialog.h"
#include "settings_storage.h"

#include <memory>
#include <string>

namespace platform {

class ErrorBox;
class Form;
class InputBox;

// What the program needs of a toolkit: its windows shown from the forms and their controls,
// the timer, the file dialogs and the file layer. A backend shows what the controls hold and
// delivers the user's input to them (every key to the form, see Form::keyPress; a press of the
// pointer to the menu bar, see MenuBar::pointerPressed): what the input does is the forms' and
// controls' to decide. A backend keeps only what is its toolkit's own, such as which part of a
// widget the pointer is over.
class Backend {
public:
    virtual ~Backend() = default;

    // Makes the toolkit's window for the main form and one toolkit control for every control
    // of it, as the controls describe them, shows the state each holds, and from then on
    // delivers the user's input to them. Called once, after the layout has been applied.
    virtual void build(Form& window) = 0;

    // Shows an open input box over the windows and returns once the box has closed; events go
    // on being delivered meanwhile, timer ticks included.
    virtual void runInputBox(InputBox& box) = 0;
    // Shows an open error box and returns once it has closed, or at once where the toolkit
    // cannot wait (the page); the backend then keeps the box until it closes.
    virtual void runErrorBox(std::unique_ptr<ErrorBox> box) = 0;

    virtual std::unique_ptr<AnimationTimer> makeTimer() = 0;
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
