#include "web_application.h"

#include "form.h"
#include "translation.h"
#include "web_backend.h"
#include "web_page.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace platform {

Backend& WebApplication::backend() {
    return backend_;
}

int WebApplication::run(std::unique_ptr<Form> mainWindow, std::function<void()> whenShown) {
    // Never destroyed, like the backend it is built on: the page's events reach it until the
    // page is closed.
    static std::unique_ptr<Form> kept;
    kept = std::move(mainWindow);
    backend_.showWindow();
    // The page is on the screen now, and nothing waits for run() to return.
    if (whenShown)
        whenShown();
    return 0;
}

std::optional<std::string> WebApplication::addressFragment() const {
    char* fragment = web_page_address_fragment();
    if (fragment == nullptr)
        return std::nullopt;
    std::string kept = fragment;
    std::free(fragment);
    return kept;
}

void WebApplication::followAddress(std::function<void(const std::string&)> follow) {
    backend_.followAddress(std::move(follow));
}

std::vector<std::string> preferredLanguages() {
    char* text = web_page_preferred_languages();
    std::vector<std::string> lines;
    for (std::string_view rest = text;;) {
        const std::size_t end = rest.find('\n');
        lines.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    std::free(text);
    return sound::pagePreferences(lines.front(), {lines.begin() + 1, lines.end()});
}

std::unique_ptr<Application> startApplication(int, char*[], const std::string& title) {
    web_page_set_title(title.c_str());
    web_page_set_language(std::string(sound::language()).c_str(), sound::tr("閉じる").c_str());
    return std::make_unique<WebApplication>(pageBackend());
}

} // namespace platform
