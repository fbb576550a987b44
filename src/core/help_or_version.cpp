#include "help_or_version.h"

namespace sound {

HelpOrVersion helpOrVersionAsked(const std::vector<std::string>& args) {
    bool versionAsked = false;
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help")
            return HelpOrVersion::Help;
        versionAsked = versionAsked || arg == "--version";
    }
    return versionAsked ? HelpOrVersion::Version : HelpOrVersion::Neither;
}

} // namespace sound
