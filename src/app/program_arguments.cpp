#include "program_arguments.h"

#include "help_or_version.h"

namespace sd {

ProgramArguments parseProgramArguments(const std::vector<std::string>& args) {
    switch (sound::helpOrVersionAsked(args)) {
    case sound::HelpOrVersion::Help:
        return HelpRequest{};
    case sound::HelpOrVersion::Version:
        return VersionRequest{};
    case sound::HelpOrVersion::Neither:
        break;
    }

    StartRequest request;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (optionsEnded || arg == "-" || arg.empty() || arg.front() != '-') {
            if (request.settingsPath)
                return ArgumentError{"more than one settings file: '" + *request.settingsPath +
                                     "' and '" + arg + "'"};
            request.settingsPath = arg;
        } else {
            return ArgumentError{"unknown option '" + arg + "'"};
        }
    }
    return request;
}

std::string usageText() {
    return "Usage: ondulix-k [SETTINGS.okd]\n"
           "\n"
           "Shows the Ondulix-K window, which animates the waves of up to four point sources\n"
           "and their interference. Given a settings file, the window opens it as File > Open\n"
           "does once the window is shown; a file that cannot be read or does not convert is\n"
           "reported in a message box, and the program goes on from its start-up set-up.\n"
           "\n"
           "  -h, --help  show this help and exit\n"
           "  --version   show the version and exit\n";
}

std::string versionText() {
    return "ondulix-k (Ondulix-K) " ONDULIX_VERSION "\n";
}

} // namespace sd
