#pragma once

#include <stdexcept>
#include <string>

namespace sound {

// An error a handler raises for the user to see; the message is UTF-8 text. The window's
// single dispatch point catches it and shows it in the error box.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace sound
