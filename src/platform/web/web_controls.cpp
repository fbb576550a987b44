#include "web_controls.h"

#include "check_box.h"
#include "list_box.h"
#include "track_bar.h"
#include "web_page.h"

#include <cstring>

namespace platform {

WebControlView::WebControlView(Control& control, int index) : ViewOf(control), index_(index) {
    attachToControl();
}

void WebControlView::refresh() {
    const Control& shown = *control();
    web_page_show_control(index_, shown.caption().c_str(), shown.enabled(), shown.visible());
    switch (shown.kind()) {
    case ControlKind::CheckBox:
        web_page_show_checked(index_, static_cast<const CheckBox&>(shown).checked());
        break;
    case ControlKind::RadioButton:
        web_page_show_checked(index_, static_cast<const RadioButton&>(shown).checked());
        break;
    case ControlKind::TrackBar: {
        const auto& bar = static_cast<const TrackBar&>(shown);
        web_page_show_track_bar(index_, bar.min(), bar.max(), bar.position());
        break;
    }
    case ControlKind::ListBox: {
        std::string lines;
        for (const std::string& line : static_cast<const ListBox&>(shown).items())
            lines += line + '\n';
        web_page_show_list(index_, lines.c_str());
        break;
    }
    default:
        break;
    }
}

void WebControlView::takeFocus() {
    web_page_focus(index_);
}

WebImageView::WebImageView(Image& image, int index) : ViewOf(image), index_(index) {
    attachToControl();
}

void WebImageView::refresh() {
    const Image& image = *control();
    const PixelCanvas& canvas = image.canvas();
    const std::size_t count = std::size_t(canvas.width()) * std::size_t(canvas.height());
    rgba_.resize(count);
    const std::uint32_t* bits = canvas.bits();
    // Each 0xFFRRGGBB word becomes the little-endian word of the bytes R, G, B, A,
    // 0xFFBBGGRR: red and blue change places. Two pixels at a time, as one 64-bit word, which
    // halves the cost of the pass that every frame makes over the whole picture.
    constexpr std::uint64_t kKept = 0xFF00FF00FF00FF00u;
    constexpr std::uint64_t kLow = 0x000000FF000000FFu;
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        std::uint64_t two;
        std::memcpy(&two, bits + i, sizeof two);
        two = (two & kKept) | ((two >> 16) & kLow) | ((two & kLow) << 16);
        std::memcpy(rgba_.data() + i, &two, sizeof two);
    }
    for (; i < count; ++i) {
        const std::uint32_t p = bits[i];
        rgba_[i] = (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
    }
    web_page_show_control(index_, "", image.enabled(), image.visible());
    web_page_show_image(index_, rgba_.data(), canvas.width(), canvas.height());
}

} // namespace platform
