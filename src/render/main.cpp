// ondulix-k-render: writes the frames Ondulix-K draws for a settings file to a PNG picture
// or an animated GIF, with no window and no display, or prints the link that opens the
// set-up in the browser edition's page.
#include "escape_unsafe_text.h"
#include "frame_export.h"
#include "interrupt_exit.h"
#include "program_error.h"
#include "render_arguments.h"
#include "render_error.h"
#include "render_session.h"
#include "tform1.h"
#include "translation.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>
#include <vector>

namespace {

constexpr char kCommand[] = "ondulix-k-render";

// One line on standard error, and the status every failure ends with. The message may quote
// a file's line or name, so whatever a terminal would act on is shown as an escape.
int fail(const std::string& message) {
    std::fputs(sound::commandErrorLine(kCommand, message).c_str(), stderr);
    return 1;
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
        std::fprintf(
            stderr, "\r%s: %s", kCommand,
            sound::tr("コマ %s / %s", {std::to_string(done), std::to_string(total)}).c_str());
        std::fflush(stderr);
    }

private:
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_;
};

// Whether the output would replace the settings file, "-" being standard input.
bool sameFile(const std::string& settings, const std::string& output) {
    struct stat first;
    struct stat second;
    const int found =
        settings == "-" ? ::fstat(STDIN_FILENO, &first) : ::stat(settings.c_str(), &first);
    return found == 0 && ::stat(output.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// The settings file as an error line names it.
std::string settingsName(const std::string& path) {
    return path == "-" ? "<stdin>" : path;
}

} // namespace

int main(int argc, char* argv[]) {
    sound::setLanguage(sound::chooseLanguage(sound::localePreferences(std::getenv)));
    // From here on an interrupt ends the command wherever it waits. The progress line, if
    // there is one, is wiped before the interrupt's line.
    render::exitOnInterrupt(std::string(isatty(STDERR_FILENO) != 0 ? "\r\033[K" : "") + kCommand +
                                ": ",
                            sound::tr("中断しました"));
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
        return fail(sound::tr("%s (--help を参照)", {error->message}));
    const auto* link = std::get_if<render::LinkRequest>(&parsed);
    const auto* request = std::get_if<render::RenderRequest>(&parsed);
    const std::string& settingsPath = link ? link->settingsPath : request->settingsPath;
    if (request && sameFile(request->settingsPath, request->outputPath))
        return fail(sound::tr("出力 '%s' は設定ファイルそのものです", {request->outputPath}));

    // A file size limit then fails the write the way a full disk does, and is reported in
    // the same one line instead of ending the command.
    std::signal(SIGXFSZ, SIG_IGN);

    try {
        render::RenderSession session;
        if (link) {
            session.open(link->settingsPath);
            const std::string page = link->pageUrl.substr(0, link->pageUrl.find('#'));
            std::printf("%s#%s\n", page.c_str(), session.window().setupLink().c_str());
            if (std::fflush(stdout) != 0)
                return fail(sound::tr("リンクを書き込めません: %s", {std::strerror(errno)}));
            return 0;
        }
        TerminalProgress progress;
        render::ExportHooks hooks;
        hooks.progress = [&progress](int done, int total) { progress.update(done, total); };
        render::exportFrames(session, *request, hooks);
    } catch (const render::RenderError& e) {
        return fail(e.what());
    } catch (const sound::SettingsLineFailure& e) {
        // The program's own messages for the settings file say what is wrong but not where;
        // the line is named the way compilers name one, so a 37-line file is quickly mended.
        return fail(settingsName(settingsPath) + ":" + std::to_string(e.line()) + ": " +
                    e.message());
    } catch (const sound::ProgramError& e) {
        return fail(settingsName(settingsPath) + ": " + e.message());
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    return 0;
}
