#include "interrupt_exit.h"

#include <atomic>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace render {

// The command waits in many places it does not own: open() of a FIFO, read() of a pipe,
// libpng's and giflib's writes, fsync(). A flag set by the handler and checked between steps
// never ends such a wait, and a self-pipe would need every one of them turned into a poll,
// which the libraries' writes and open() of a FIFO, blocked in the kernel until a writer
// comes, do not allow. So the handler does the whole ending itself, with calls
// that are safe in a signal handler (unlink, write, _exit): whatever the main flow is blocked
// in, or about to call, the signal ends the process, and there is no window in which it could
// be lost. The handler reads only what was set up beforehand, through lock-free atomics; the
// one thing it could race with, a temporary file that exists but is not registered yet or is
// registered but already renamed, is made and named with the signals held.

namespace {

struct Removal {
    const char* path;
    const char* note;
};

std::atomic<const char*> linePrefix{nullptr};
std::atomic<const char*> plainNote{nullptr};
// Own the prefix and the note for the life of the process: the handler may read them at any
// moment, even while static objects are destroyed at the exit.
std::string* keptPrefix = nullptr;
std::string* keptNote = nullptr;
std::atomic<const Removal*> currentRemoval{nullptr};
static_assert(std::atomic<const char*>::is_always_lock_free);
static_assert(std::atomic<const Removal*>::is_always_lock_free);

void writeAll(const char* text) {
    std::size_t length = std::strlen(text);
    while (length > 0) {
        const ssize_t put = ::write(STDERR_FILENO, text, length);
        if (put <= 0)
            return;
        text += put;
        length -= std::size_t(put);
    }
}

extern "C" void endOnInterrupt(int signal) {
    const Removal* removal = currentRemoval.load();
    if (removal != nullptr)
        ::unlink(removal->path);
    if (const char* prefix = linePrefix.load())
        writeAll(prefix);
    const char* note = plainNote.load();
    writeAll(removal != nullptr ? removal->note : note != nullptr ? note : "");
    writeAll("\n");
    ::_exit(128 + signal);
}

sigset_t interruptSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

} // namespace

void exitOnInterrupt(std::string prefix, std::string note) {
    {
        // Held, so that the handler is not reading an older prefix or note when they go.
        InterruptsHeld held;
        delete keptPrefix;
        delete keptNote;
        keptPrefix = new std::string(std::move(prefix));
        keptNote = new std::string(std::move(note));
        linePrefix.store(keptPrefix->c_str());
        plainNote.store(keptNote->c_str());
    }
    struct sigaction action {};
    action.sa_handler = endOnInterrupt;
    // A second signal waits rather than cutting the first one's line short.
    action.sa_mask = interruptSignals();
    for (const int signal : {SIGINT, SIGTERM}) {
        // A signal ignored from the start (a job a shell started in the background, nohup)
        // stays ignored, as the shell meant it to be.
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        sigaction(signal, &action, nullptr);
    }
}

RemovedOnInterrupt::RemovedOnInterrupt(std::string path, std::string note)
    : path_(std::move(path)), note_(std::move(note)) {
    currentRemoval.store(new Removal{path_.c_str(), note_.c_str()});
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
    // Held, so that the handler is not reading the entry when it goes.
    InterruptsHeld held;
    delete currentRemoval.exchange(nullptr);
}

InterruptsHeld::InterruptsHeld() {
    const sigset_t signals = interruptSignals();
    pthread_sigmask(SIG_BLOCK, &signals, &previous_);
}

InterruptsHeld::~InterruptsHeld() {
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

} // namespace render
