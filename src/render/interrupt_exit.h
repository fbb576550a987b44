#pragma once

#include <csignal>
#include <string>

namespace render {

// Makes SIGINT and SIGTERM end the command at once wherever it stands, in a wait too: opening
// a FIFO nobody writes to, reading a pipe that sends nothing, writing to a slow disk. The
// handler removes the temporary file of an output being written, prints one line on standard
// error (`prefix`, then `note` or the note of that output) and ends the process with
// status 128 + the signal's number (130, 143), as shells report it. `prefix` and `note` are
// printed as given. A signal that was ignored when the command started stays ignored.
void exitOnInterrupt(std::string prefix, std::string note);

// While it lives, the file named `path` is removed if an interrupt ends the command, and the
// line says `note`. Only one lives at a time. Make it with InterruptsHeld around the making
// of the file, so that no interrupt can fall between the two.
class RemovedOnInterrupt {
public:
    RemovedOnInterrupt(std::string path, std::string note);
    ~RemovedOnInterrupt();
    RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
    RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

private:
    std::string path_;
    std::string note_;
};

// Holds SIGINT and SIGTERM back while it lives; one that arrives meanwhile ends the command
// as soon as it is gone.
class InterruptsHeld {
public:
    InterruptsHeld();
    ~InterruptsHeld();
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    sigset_t previous_;
};

} // namespace render
