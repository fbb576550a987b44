#pragma once

#include "error_box.h"
#include "file_dialog.h"
#include "input_box.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Users of the boxes with no screen to look at: each answers a box from a script, or as a
// user who closes it at once when the script has run out, and records what it was shown.
// They answer through the box's own controls, so the boxes' rules (the field's limit, OK
// taking no empty field) apply as they do for a person. `whileOpen` runs while the box "is
// open", before it is answered: events that come meanwhile (timer ticks) are delivered from
// there.

class HeadlessInputBox {
public:
    struct Question {
        std::string caption;
        std::string prompt;
    };

    // Each a text typed into the field and confirmed with OK, or nothing for キャンセル.
    std::deque<std::optional<std::string>> answers;
    std::vector<Question> asked;
    std::function<void()> whileOpen;
    // When set, operates the next box itself, with keys and clicks, instead of an answer.
    std::function<void(InputBox&)> user;

    void run(InputBox& box);
};

class HeadlessErrorBox {
public:
    std::vector<std::string> shown;
    std::function<void()> whileOpen;
    // Leaves the box open when the call returns, as a page does; the backend keeps it.
    bool leavesOpen = false;

    void run(ErrorBox& box);
};

class HeadlessFileDialog final : public FileDialog {
public:
    std::deque<std::optional<std::string>> answers; // a name the user confirms, or Cancel
    std::vector<std::string> offered;               // the name offered each time it opened
    std::function<void()> whileOpen;

protected:
    bool run(std::string& chosen) override;
};

} // namespace platform
