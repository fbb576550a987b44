#pragma once

#include <memory>
#include <string>

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
    // long as the program runs.
    virtual int run(std::unique_ptr<Form> mainWindow) = 0;
};

// Starts the toolkit with the program's title (the task bar, the error box). Nothing when it
// cannot start, after one line on standard error that says why.
std::unique_ptr<Application> startApplication(int argc, char* argv[], const std::string& title);

} // namespace platform
