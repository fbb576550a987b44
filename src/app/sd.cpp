// The program's start: the toolkit, the main window, and the event loop until the program
// is told to end.
#include "application.h"
#include "tform1.h"

#include <memory>

int main(int argc, char* argv[]) {
    const std::unique_ptr<platform::Application> application =
        platform::startApplication(argc, argv, kApplicationTitle);
    if (!application)
        return 1;
    // The first window is the main one; FormCreate has run before it is shown.
    auto Form1 = std::make_unique<TForm1>(application->backend());
    return application->run(std::move(Form1));
}
