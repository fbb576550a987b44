#pragma once

#include "application.h"

namespace platform {

class WebBackend;

// The program in a web page. There is no event loop to run: the page's events call into the
// program (web_input.cpp), so run() shows the window and returns, and the window stays with
// the page, which keeps the program's memory alive after main() has returned.
class WebApplication final : public Application {
public:
    explicit WebApplication(WebBackend& backend) : backend_(backend) {}

    Backend& backend() override;
    int run(std::unique_ptr<Form> mainWindow, std::function<void()> whenShown) override;
    std::optional<std::string> addressFragment() const override;
    void followAddress(std::function<void(const std::string&)> follow) override;

private:
    WebBackend& backend_;
};

} // namespace platform
