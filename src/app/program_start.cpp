#include "program_start.h"

#include "application.h"
#include "escape_unsafe_text.h"
#include "program_arguments.h"
#include "tform1.h"
#include "translation.h"

#include <algorithm>
#include <variant>
#include <vector>

namespace sd {

int runProgram(int argc, char* argv[], const StartToolkit& startToolkit, std::FILE* out,
               std::FILE* err) {
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    const ProgramArguments parsed = parseProgramArguments(args);
    if (std::holds_alternative<HelpRequest>(parsed)) {
        std::fputs(usageText().c_str(), out);
        return 0;
    }
    if (std::holds_alternative<VersionRequest>(parsed)) {
        std::fputs(versionText().c_str(), out);
        return 0;
    }
    if (const auto* error = std::get_if<ArgumentError>(&parsed)) {
        std::fputs(
            sound::commandErrorLine("ondulix-k", sound::tr("%s (--help を参照)", {error->message}))
                .c_str(),
            err);
        return 2;
    }

    const std::unique_ptr<platform::Application> application =
        startToolkit(argc, argv, kApplicationTitle);
    if (!application)
        return 1;
    // The first window is the main one; FormCreate has run before it is shown.
    auto Form1 = std::make_unique<TForm1>(application->backend());
    // What the window opens once it is shown, so that an error box comes up over it: the file
    // named on the command line, or the set-up a page's address holds.
    TForm1& window = *Form1;
    std::function<void()> whenShown;
    if (const std::optional<std::string>& settings = std::get<StartRequest>(parsed).settingsPath)
        whenShown = [&window, path = *settings] { window.openFileArgument(path); };
    else if (std::optional<std::string> fragment = application->addressFragment())
        whenShown = [&window, link = *fragment] { window.openSetupLink(link); };
    application->followAddress([&window](const std::string& link) { window.openSetupLink(link); });
    return application->run(std::move(Form1), std::move(whenShown));
}

} // namespace sd
