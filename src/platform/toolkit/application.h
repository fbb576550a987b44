#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Backend;
class Form;

// The toolkit started for one program: its backend, and the event loop that runs the main
// window. Each backend supplies startApplication(); a program is linked with one of them.
class Application {
public:
    virtual ~Application() = default;

    virtual Backend& backend() = 0;

    // Shows the main window at its designed place and size and handles events until the
    // program is told to end; gives the exit code. The application keeps the window for as
    // long as the program runs. `whenShown`, when given, runs once from the event loop as soon
    // as the window is shown: work that belongs after the window appears, such as opening a
    // file named on the command line, whose error box must come up over the window.
    virtual int run(std::unique_ptr<Form> mainWindow, std::function<void()> whenShown = {}) = 0;

    // The part after "#" of the address the program was opened from, for an edition that has
    // an address (the page); nothing otherwise, or when the address has none.
    virtual std::optional<std::string> addressFragment() const { return std::nullopt; }

    // For an edition that has an address: `follow` runs with the new part after "#" each time
    // the address changes while the program runs (a link followed in the same tab, Back,
    // Forward), as an event of its own; never for an address the program wrote itself.
    virtual void followAddress(std::function<void(const std::string&)>) {}
};

// The languages the user prefers, best first, as the edition learns them (the desktop's
// locale, the page's address and browser), for sound::chooseLanguage.
std::vector<std::string> preferredLanguages();

// Starts the toolkit with the program's title (the task bar, the error box). Nothing when it
// cannot start, after one line on standard error that says why.
std::unique_ptr<Application> startApplication(int argc, char* argv[], const std::string& title);

} // namespace platform
