#include "web_file_dialog.h"

#include "web_boxes.h"
#include "web_page.h"
#include "web_wait.h"

#include <cstdlib>
#include <vector>

namespace platform {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

std::string acceptedExtensions(const std::string& filter) {
    const std::vector<std::string> parts = split(filter, '|');
    std::string accept;
    for (std::size_t i = 1; i < parts.size(); i += 2)
        for (const std::string& pattern : split(parts[i], ';'))
            if (pattern.starts_with("*.") && pattern.size() > 2 &&
                pattern.find_first_of("*?", 2) == std::string::npos)
                accept += (accept.empty() ? "" : ",") + pattern.substr(1);
    return accept;
}

std::string filterDescriptions(const std::string& filter) {
    const std::vector<std::string> parts = split(filter, '|');
    std::string descriptions;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        descriptions += (descriptions.empty() ? "" : ", ") + parts[i];
    return descriptions;
}

bool WebOpenDialog::run(std::string& chosen) {
    web_page_pick_file(acceptedExtensions(filter()).c_str());
    waitUntil([] { return web_page_picked_state() != 0; });
    if (web_page_picked_state() != 1)
        return false;
    char* name = web_page_picked_name();
    chosen = name != nullptr ? name : "";
    std::free(name);
    std::string bytes(std::size_t(web_page_picked_size()), '\0');
    web_page_copy_picked(bytes.data());
    picked_.keep(chosen, std::move(bytes));
    return true;
}

bool WebSaveDialog::run(std::string& chosen) {
    const std::optional<std::string> name =
        askInPage("名前を付けて保存", "ファイル名:", fileName(),
                  "ファイルの種類: " + filterDescriptions(filter()), 0, true);
    if (!name)
        return false;
    chosen = *name;
    return true;
}

} // namespace platform
