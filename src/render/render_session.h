#pragma once

#include "headless_backend.h"
#include "pixel_canvas.h"

#include <memory>
#include <string>

class TForm1;

namespace render {

// The program itself on the headless backend: a freshly created main window, a settings
// file opened into it exactly as File > Open does, and the animation ticked by hand. Every
// picture comes from the window's own tick and drawall, so the frames are the program's
// frames. Needs no display and no Qt.
class RenderSession {
public:
    RenderSession();
    ~RenderSession();
    RenderSession(const RenderSession&) = delete;
    RenderSession& operator=(const RenderSession&) = delete;

    // Applies a settings file on top of the start-up state. Throws sound::ProgramError, with
    // the program's own message, for a file that is missing, a folder, larger than the
    // settings files' limit, cannot be read or has a line that does not convert
    // (sound::SettingsLineFailure, which knows the line). The name is taken as on a command line:
    // the bytes the system takes,
    // "-" for standard input, and a pipe is read to its end.
    void open(const std::string& settingsPath);

    // Sets the animation clock for the next tick.
    void setClock(double timecount);

    // Runs ticks until one draws, and gives that frame. A tick that wraps the clock draws
    // nothing, so this runs one tick, or two at the wrap; the view turns on every tick
    // when the turning option is on, as in the running program.
    const platform::PixelCanvas& nextFrame();

    // The tick interval the file set, in milliseconds: the interval slider's position.
    int tickInterval() const;

    TForm1& window() { return *form_; }

private:
    platform::HeadlessBackend backend_;
    std::unique_ptr<TForm1> form_;
};

// A tick interval as a GIF delay: hundredths of a second, to the nearest, halves to the even
// neighbour as the program rounds everywhere.
int gifDelay(int intervalMilliseconds);

} // namespace render
