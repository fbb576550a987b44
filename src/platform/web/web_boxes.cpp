#include "web_boxes.h"

#include "web_page.h"
#include "web_wait.h"

#include <cstdlib>

namespace platform {

std::optional<std::string> askInPage(const std::string& caption, const std::string& prompt,
                                     const std::string& text, const std::string& note,
                                     int maxLength, bool needsText) {
    web_page_open_input_box(caption.c_str(), prompt.c_str(), text.c_str(), note.c_str(), maxLength,
                            needsText);
    waitUntil([] { return web_page_input_box_state() != 0; });
    if (web_page_input_box_state() != 1)
        return std::nullopt;
    char* typed = web_page_input_box_text();
    std::string answer = typed != nullptr ? typed : "";
    std::free(typed);
    return answer;
}

std::optional<std::string> WebInputBox::run(const std::string& caption, const std::string& prompt) {
    return askInPage(caption, prompt, "", "", kMaxLength, false);
}

void WebErrorBox::run(const std::string& text) {
    web_page_show_error_box(caption_.c_str(), text.c_str());
}

} // namespace platform
