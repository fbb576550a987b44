#pragma once

#include "render_arguments.h"

#include <functional>

namespace render {

class RenderSession;

// What a long export reports while it runs.
struct ExportHooks {
    std::function<void(int framesDone, int framesTotal)> progress;
};

// Opens the request's settings file in the session and writes its picture or animation:
// the picture is the frame of the first tick that draws from the request's clock, and the
// animation's frame k that of the (k + 1)-th, each shown for the file's tick interval.
// Throws RenderError or sound::ProgramError; nothing is written under the output's name
// unless the whole export succeeds.
void exportFrames(RenderSession& session, const RenderRequest& request,
                  const ExportHooks& hooks = {});

} // namespace render
