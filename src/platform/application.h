#pragma once

#include "animation_timer.h"
#include "backend.h"
#include "form.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace platform {

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

    // As run(), and calls `whenShown` once, from the event loop, as soon as the window is
    // shown: work that belongs after the window appears, such as opening a file named on the
    // command line, whose error box must come up over the window.
    virtual int runThen(std::unique_ptr<Form> mainWindow, std::function<void()> whenShown) {
        // Any toolkit's timer first ticks from the event loop, once run() has shown the
        // window; an application that knows the moment better says so itself.
        std::unique_ptr<AnimationTimer> once = backend().makeTimer();
        once->setOnTimer([&once, &whenShown] {
            once->setInterval(0);
            whenShown();
        });
        try {
            once->setInterval(1);
        } catch (const std::exception&) {
            // Without a timer the work is done at once, before the window is shown.
            whenShown();
        }
        return run(std::move(mainWindow));
    }
};

// Starts the toolkit with the program's title (the task bar, the error box). Nothing when it
// cannot start, after one line on standard error that says why.
std::unique_ptr<Application> startApplication(int argc, char* argv[], const std::string& title);

} // namespace platform
