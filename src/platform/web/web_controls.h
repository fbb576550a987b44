#pragma once

#include "control.h"
#include "image.h"

namespace platform {

// What a control's element in the page shows: its caption, whether it takes input and is
// seen, and what its kind holds besides (a check, a track bar's range and position, a list's
// lines). The element is made by WebWindow; the view keeps it up to date.
class WebControlView final : public ViewOf<Control> {
public:
    WebControlView(Control& control, int index);

    void refresh() override;
    void takeFocus() override;

private:
    int index_;
};

// The image control as the page's <canvas>: each invalidate shows the whole bitmap at once,
// so a frame is always seen whole.
class WebImageView final : public ViewOf<Image> {
public:
    WebImageView(Image& image, int index);

    void refresh() override;
    void takeFocus() override {}

private:
    int index_;
};

} // namespace platform
