#pragma once

#include "pixel_canvas.h"

#include <QString>

namespace render {

// Writes one frame as a PNG picture, colours exact. The picture appears under its name
// only when it was written completely; on failure no file is left and an older file of
// that name is untouched. Errors are thrown as RenderError.
void writePng(const platform::PixelCanvas& frame, const QString& path);

} // namespace render
