#include "web_controls.h"

#include "check_box.h"
#include "list_box.h"
#include "track_bar.h"
#include "web_page.h"

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
    web_page_show_control(index_, "", image.enabled(), image.visible());
    // The canvas holds the bytes R, G, B, A that the page's ImageData takes.
    web_page_show_image(index_, canvas.bits(), canvas.width(), canvas.height());
}

} // namespace platform
