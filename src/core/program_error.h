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

// A settings line that did not convert. The window shows the message alone, as for any other
// error; a command line also says which line it was, so that a bad line of a hand-edited file
// can be found.
class SettingsLineFailure : public ProgramError {
public:
    SettingsLineFailure(int line, const std::string& message)
        : ProgramError(message), line_(line) {}

    int line() const { return line_; }

private:
    int line_;
};

} // namespace sound
