#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace sd {

// The desktop program asked to start, with the settings file to open once its window shows.
struct StartRequest {
    std::optional<std::string> settingsPath;
};

struct HelpRequest {};
struct VersionRequest {};

// Why the command line was refused, as one line for the user.
struct ArgumentError {
    std::string message;
};

using ProgramArguments = std::variant<StartRequest, HelpRequest, VersionRequest, ArgumentError>;

// Reads the arguments that follow the program's name, as ondulix-k-render reads its own:
// --help wins over everything else on the line and --version over the rest, "--" ends the
// options, and any other word that starts with "-" but is not "-" alone is unknown.
ProgramArguments parseProgramArguments(const std::vector<std::string>& args);

// The text that --help prints, ending with a line break.
std::string usageText();

// The line that --version prints, in the form packaging tools read, ending with a line break.
std::string versionText();

} // namespace sd
