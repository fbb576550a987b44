#include "web_application.h"

#include "form.h"
#include "web_backend.h"
#include "web_page.h"

#include <cstdlib>

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

std::unique_ptr<Application> startApplication(int, char*[], const std::string& title) {
    web_page_set_title(title.c_str());
    return std::make_unique<WebApplication>(pageBackend());
}

} // namespace platform
