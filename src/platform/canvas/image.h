#pragma once

#include "control.h"
#include "pixel_canvas.h"

namespace platform {

// The image control: a retained bitmap that the program draws into and the backend shows.
// The picture is shown when the toolkit next repaints after invalidate(), so a frame drawn in
// one handler is always seen whole.
class Image final : public Control {
public:
    Image(Form& form, std::string_view name) : Control(form, ControlKind::Image, name) {}

    PixelCanvas& canvas() { return canvas_; }
    const PixelCanvas& canvas() const { return canvas_; }

    // Asks the backend to show the bitmap as it now stands.
    void invalidate() { changed(); }

private:
    PixelCanvas canvas_;
};

} // namespace platform
