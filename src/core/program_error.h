#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace sound {

// An error a handler raises for the user to see. The window's single dispatch point catches
// it and shows it in the error box.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const std::string& message)
        : std::runtime_error(message), message_(std::make_shared<const std::string>(message)) {}

    // The whole message. It may quote a line of a file as read, NUL bytes included, where
    // what() would end; whatever shows it escapes it (escapeUnsafeText).
    const std::string& message() const { return *message_; }

private:
    // Shared, so that copying the error cannot throw.
    std::shared_ptr<const std::string> message_;
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
