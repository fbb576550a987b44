#include "frame_export.h"

#include "frame_palette.h"
#include "frame_renderer.h"
#include "gif_writer.h"
#include "png_writer.h"
#include "render_error.h"
#include "render_session.h"

namespace render {

void exportFrames(RenderSession& session, const RenderRequest& request, const ExportHooks& hooks) {
    const std::string& output = request.outputPath;
    session.open(request.settingsPath);
    session.setClock(request.clock);

    if (request.kind == OutputKind::Png) {
        writePng(session.nextFrame(), output);
        return;
    }

    // The writer opens its temporary file now, so an output that cannot be written stops
    // the export before any frame is drawn.
    GifWriter writer(output, sound::kCanvasSize, sound::kCanvasSize, kFramePalette);
    const int delay = gifDelay(session.tickInterval());
    for (int k = 0; k < request.frames; ++k) {
        writer.addFrame(session.nextFrame(), delay);
        if (hooks.progress)
            hooks.progress(k + 1, request.frames);
    }
    writer.finish();
}

} // namespace render
