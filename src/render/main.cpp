// ondulix-k-render: writes the frames Ondulix-K draws for a settings file to a PNG picture
// or an animated GIF, with no window and no display.
#include "frame_export.h"
#include "program_error.h"
#include "render_arguments.h"
#include "render_error.h"
#include "render_session.h"

#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <unistd.h>
#include <variant>
#include <vector>

namespace {

constexpr char kCommand[] = "ondulix-k-render";

volatile std::sig_atomic_t interruptRequested = 0;

void requestInterrupt(int) {
    interruptRequested = 1;
}

// One line on standard error, and the status every failure ends with.
int fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kCommand, message.c_str());
    return 1;
}

// A failure is reported by the command itself in one line; Qt's own notices are not for the
// user.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s: %s\n", kCommand, message.toLocal8Bit().constData());
}

// Progress on a terminal only: a pipe or a log file gets nothing but errors. The line is
// redrawn at most ten times a second and wiped when the export ends.
class TerminalProgress {
public:
    TerminalProgress() : shown_(isatty(STDERR_FILENO) != 0) {}
    ~TerminalProgress() {
        if (drawn_)
            std::fputs("\r\033[K", stderr);
    }

    void update(int done, int total) {
        if (!shown_)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (drawn_ && done < total && now - last_ < std::chrono::milliseconds(100))
            return;
        last_ = now;
        drawn_ = true;
        std::fprintf(stderr, "\r%s: frame %d of %d", kCommand, done, total);
        std::fflush(stderr);
    }

private:
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_;
};

bool sameFile(const std::string& a, const std::string& b) {
    const QFileInfo first(QFile::decodeName(a.c_str()));
    const QFileInfo second(QFile::decodeName(b.c_str()));
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    const render::ParsedArguments parsed = render::parseRenderArguments(args);
    if (std::holds_alternative<render::HelpRequest>(parsed)) {
        std::fputs(render::usageText().c_str(), stdout);
        return 0;
    }
    if (std::holds_alternative<render::VersionRequest>(parsed)) {
        std::fputs(render::versionText().c_str(), stdout);
        return 0;
    }
    if (const auto* error = std::get_if<render::ArgumentError>(&parsed))
        return fail(error->message + " (see --help)");
    const render::RenderRequest& request = std::get<render::RenderRequest>(parsed);
    if (sameFile(request.settingsPath, request.outputPath))
        return fail("the output '" + request.outputPath + "' is the settings file itself");

    // The window runs on the headless backend and Qt only encodes pictures, so no display
    // platform is started; what Qt has to say is no concern of the user.
    qInstallMessageHandler(quietQtMessages);

    // An interrupted export unwinds like a failed one, so its temporary file goes away.
    std::signal(SIGINT, requestInterrupt);
    std::signal(SIGTERM, requestInterrupt);

    try {
        render::RenderSession session;
        TerminalProgress progress;
        render::ExportHooks hooks;
        hooks.progress = [&progress](int done, int total) { progress.update(done, total); };
        hooks.interrupted = [] { return interruptRequested != 0; };
        render::exportFrames(session, request, hooks);
    } catch (const render::RenderError& e) {
        return fail(e.what());
    } catch (const sound::ProgramError& e) {
        // The program's own messages for the settings file say what is wrong but not where.
        return fail(request.settingsPath + ": " + e.what());
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    return 0;
}
