#pragma once

#include "error_box.h"
#include "input_box.h"

#include <string>

namespace platform {

// The input box as the page's own modal box. The handler that asks waits for the answer with
// waitUntil, while frames keep coming behind the box.
class WebInputBox final : public InputBox {
protected:
    std::optional<std::string> run(const std::string& caption, const std::string& prompt) override;
};

// The error box as the page's own modal message box: the caption, an error icon, the text as
// plain text and one OK. It does not wait: the window shows it only after the failed handler
// has ended, so nothing is left to do until the user closes it, and the page takes no input
// meanwhile. A tick's error thus never needs a second paused call; several errors stack.
class WebErrorBox final : public ErrorBox {
public:
    explicit WebErrorBox(std::string caption) : caption_(std::move(caption)) {}

protected:
    void run(const std::string& text) override;

private:
    std::string caption_;
};

// Asks for a line in the page's input box: the text as confirmed, or nothing when cancelled.
// `maxLength` 0 takes any length; `needsText` keeps OK from taking an empty line.
std::optional<std::string> askInPage(const std::string& caption, const std::string& prompt,
                                     const std::string& text, const std::string& note,
                                     int maxLength, bool needsText);

} // namespace platform
