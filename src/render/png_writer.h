#pragma once

#include "pixel_canvas.h"

#include <string>

namespace render {

// Writes one frame as a PNG picture, colours exact, under the name given as the bytes the
// system takes. The picture appears under its name only when it was written completely; on
// failure no file is left and an older file of that name is untouched. Errors are thrown as
// RenderError, one line with the system's reason.
void writePng(const platform::PixelCanvas& frame, const std::string& path);

} // namespace render
