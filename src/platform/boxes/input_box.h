#pragma once

#include "box_layout.h"
#include "button.h"
#include "edit.h"
#include "form.h"
#include "static_controls.h"

#include <optional>
#include <string>

namespace platform {

class Backend;

// What an input box asks.
struct TextRequest {
    std::string caption;
    std::string prompt;
    // In the field when the box opens, all of it selected.
    std::string text = {};
    // A line under the field; none when empty.
    std::string note = {};
    // Characters the field takes; 0 for any number.
    int maxLength = 255;
    // OK takes no empty field.
    bool needsText = false;
};

// The modal box that asks for one line of text: a caption, the prompt, the field, "OK" and
// "キャンセル". Enter in the field presses OK, as the box's default button; on a focused button
// Enter and Space press that button; Esc and the box's close button press キャンセル. The
// field has the focus when the box opens, and OK takes no empty field when the request says
// so. It opens in the middle of the screen.
class InputBox final : public Form {
public:
    explicit InputBox(const TextRequest& request);

    Label prompt{*this, "prompt"};
    Edit field{*this, "field"};
    Label note{*this, "note"};
    Button ok{*this, "ok"};
    Button cancel{*this, "cancel"};

    // The prompt, the field and the note one under the other, the buttons at the right below.
    BoxLayout layout();

    // The text as confirmed with OK; nothing while the box is open or after it was cancelled.
    const std::optional<std::string>& answer() const { return answer_; }

private:
    void finish(bool confirmed);

    bool needsText_;
    std::optional<std::string> answer_;
};

// Shows an input box over the program's windows and waits for the user; events go on being
// delivered meanwhile. The text as confirmed, or nothing when the box was cancelled.
std::optional<std::string> askForText(Backend& backend, const TextRequest& request);

} // namespace platform
