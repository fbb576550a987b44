#pragma once

#include <string>
#include <vector>

namespace sound {

// What a command line asks for before anything else. Help wins over everything else on the
// line, so that "--help" added to a failing command always explains it; "--version" likewise
// prints the version whatever else is there. Arguments after "--" are not options.
enum class HelpOrVersion { Neither, Help, Version };

HelpOrVersion helpOrVersionAsked(const std::vector<std::string>& args);

} // namespace sound
