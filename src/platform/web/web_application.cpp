#include "web_application.h"

#include "form.h"
#include "web_backend.h"
#include "web_page.h"

namespace platform {

Backend& WebApplication::backend() {
    return backend_;
}

int WebApplication::run(std::unique_ptr<Form> mainWindow) {
    // Never destroyed, like the backend it is built on: the page's events reach it until the
    // page is closed.
    static std::unique_ptr<Form> kept;
    kept = std::move(mainWindow);
    backend_.showWindow();
    return 0;
}

std::unique_ptr<Application> startApplication(int, char*[], const std::string& title) {
    web_page_set_title(title.c_str());
    return std::make_unique<WebApplication>(pageBackend());
}

} // namespace platform
