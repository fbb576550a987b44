#include "web_controls.h"

#include "check_box.h"
#include "edit.h"
#include "list_box.h"
#include "menu.h"
#include "track_bar.h"
#include "web_page.h"

#include <map>

namespace platform {

namespace {

// Every control shown in the page, by the number the page knows it by.
std::map<int, Control*>& shownControls() {
    static std::map<int, Control*> shown;
    return shown;
}

int nextId = 1;

int registerControl(Control& control) {
    const int id = nextId++;
    shownControls()[id] = &control;
    return id;
}

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::MenuBar:
        return "MenuBar";
    case ControlKind::Menu:
        return "Menu";
    case ControlKind::MenuItem:
        return "MenuItem";
    case ControlKind::MenuSeparator:
        return "MenuSeparator";
    case ControlKind::Button:
        return "Button";
    case ControlKind::CheckBox:
        return "CheckBox";
    case ControlKind::RadioButton:
        return "RadioButton";
    case ControlKind::TrackBar:
        return "TrackBar";
    case ControlKind::Label:
        return "Label";
    case ControlKind::GroupBox:
        return "GroupBox";
    case ControlKind::Panel:
        return "Panel";
    case ControlKind::Image:
        return "Image";
    case ControlKind::ListBox:
        return "ListBox";
    case ControlKind::Edit:
        return "Edit";
    }
    return "Label";
}

void makeElement(const Control& control, int id, int form, int parent) {
    const Rect place = control.place();
    const auto color = control.fontColor();
    web_page_add_control(id, form, parent, kindName(control.kind()), control.name().c_str(),
                         place.left, place.top, place.width, place.height, control.fontHeight(),
                         color ? int(*color) : -1, control.accessibleName().c_str());
}

// Whether `now` differs from what the page shows; remembers it as shown.
template <class T> bool changed(std::optional<T>& shown, const T& now) {
    if (shown == now)
        return false;
    shown = now;
    return true;
}

} // namespace

WebControlView::WebControlView(Control& control, int form, int parent)
    : ViewOf(control), id_(registerControl(control)) {
    makeElement(control, id_, form, parent);
    if (control.kind() == ControlKind::TrackBar) {
        const auto& bar = static_cast<const TrackBar&>(control);
        const std::vector<double> ticks = bar.tickFractions();
        web_page_make_track_bar(id_, bar.orientation() == Orientation::Vertical, ticks.data(),
                                int(ticks.size()));
    } else if (control.kind() == ControlKind::Edit) {
        web_page_make_edit(id_);
    }
    attachToControl();
}

WebControlView::~WebControlView() {
    shownControls().erase(id_);
}

Control* WebControlView::find(int id) {
    const auto found = shownControls().find(id);
    return found != shownControls().end() ? found->second : nullptr;
}

int WebControlView::idOf(const Control* control) {
    if (control == nullptr)
        return 0;
    for (const auto& [id, shown] : shownControls())
        if (shown == control)
            return id;
    return 0;
}

void WebControlView::refresh() {
    const Control& shown = *control();
    const ControlKind kind = shown.kind();
    const AccessKeyCaption caption = shown.shownCaption();
    if (changed(caption_, caption.text + '\0' + std::to_string(caption.underlined))) {
        const std::string& text = caption.text;
        if (caption.underlined == std::string::npos) {
            web_page_show_caption(id_, text.c_str(), "", "");
        } else {
            // The key is one ASCII letter or digit, so one byte.
            const std::string before = text.substr(0, caption.underlined);
            const std::string key = text.substr(caption.underlined, 1);
            const std::string after = text.substr(caption.underlined + 1);
            web_page_show_caption(id_, before.c_str(), key.c_str(), after.c_str());
        }
    }
    // A box over the window changes no control's own state: the page covers the window
    // itself meanwhile.
    const bool tabStop = shown.tabStop();
    const int state = (shown.enabled() ? 1 : 0) | (shown.visible() ? 2 : 0) | (tabStop ? 4 : 0);
    if (changed(state_, state))
        web_page_show_state(id_, shown.enabled(), shown.visible(),
                            !shown.takesFocus() ? -1
                            : tabStop           ? 1
                                                : 0);

    switch (kind) {
    case ControlKind::CheckBox:
        if (changed(checked_, static_cast<const CheckBox&>(shown).checked()))
            web_page_show_checked(id_, *checked_);
        break;
    case ControlKind::RadioButton:
        if (changed(checked_, static_cast<const RadioButton&>(shown).checked()))
            web_page_show_checked(id_, *checked_);
        break;
    case ControlKind::TrackBar: {
        const auto& bar = static_cast<const TrackBar&>(shown);
        const bool moved = changed(position_, bar.position());
        if (changed(fraction_, bar.fractionOf(bar.position())) || moved)
            web_page_show_track_bar(id_, *fraction_, bar.min(), bar.max(), bar.position());
        break;
    }
    case ControlKind::Menu: {
        const auto& menu = static_cast<const Menu&>(shown);
        const int highlighted = idOf(menu.highlighted());
        if (changed(menu_, menu.isOpen() ? highlighted + 1 : 0))
            web_page_show_menu(id_, menu.isOpen(), highlighted);
        break;
    }
    case ControlKind::MenuBar:
        if (changed(menu_, idOf(static_cast<const MenuBar&>(shown).armedMenu())))
            web_page_show_armed(id_, *menu_);
        break;
    case ControlKind::Edit: {
        // The field holds the user's own typing until the control cuts it or the program sets
        // it, which is when it refreshes, so the text goes on every refresh.
        const auto& edit = static_cast<const Edit&>(shown);
        web_page_show_edit(id_, edit.text().c_str(), edit.allSelected());
        break;
    }
    case ControlKind::ListBox: {
        std::string lines;
        for (const std::string& line : static_cast<const ListBox&>(shown).items())
            lines += line + '\n';
        if (changed(text_, lines))
            web_page_show_list(id_, lines.c_str());
        break;
    }
    default:
        break;
    }
}

void WebControlView::takeFocus() {
    web_page_focus(id_);
}

WebImageView::WebImageView(Image& image, int form, int parent)
    : ViewOf(image), id_(registerControl(image)) {
    makeElement(image, id_, form, parent);
    attachToControl();
}

WebImageView::~WebImageView() {
    shownControls().erase(id_);
}

void WebImageView::refresh() {
    const PixelCanvas& canvas = control()->canvas();
    // The canvas holds the bytes R, G, B, A that the page's ImageData takes.
    web_page_show_image(id_, canvas.bits(), canvas.width(), canvas.height());
}

} // namespace platform
