#pragma once

#include "canvas.h"
#include "control.h"
#include "track_bar.h"

#include <optional>
#include <span>
#include <string_view>

namespace platform {

class Form;

// One control of a window's layout: everything about it that is settled before the program
// runs. Rows are data, read once by applyLayout into the controls, from which the program and
// every backend take them.
struct ControlLayout {
    std::string_view name{};
    ControlKind kind = ControlKind::Label;
    std::string_view parent{}; // empty: directly on the window's client area
    Rect place{};
    std::string_view caption{};
    // Position in the parent's keyboard tab order; -1 for a control outside it.
    int tabIndex = -1;
    bool visible = true;
    bool checked = false;
    // Track bars.
    Orientation orientation = Orientation::Horizontal;
    int min = 0;
    int max = 0;
    int position = 0;
    int lineStep = 1;
    int pageStep = 2;
    int tickInterval = 0; // 0: no tick marks; else one every that many positions
    // The text's colour, when not the system's; children take it too.
    std::optional<sound::Color> fontColor{};
    int fontHeight = 12; // pixels
    // What a screen reader calls a control whose caption does not say it: the label that
    // names it on the screen, or failing that a name of its own.
    std::string_view labelledBy{};
    std::string_view accessibleName{};
};

struct WindowLayout {
    std::string_view caption{};
    // Where the window opens on the screen, and the size of its client area under the menu bar.
    int left = 0;
    int top = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    std::span<const ControlLayout> controls{};

    const ControlLayout* find(std::string_view name) const;
};

// Gives the form its title and place, and every control of the form what its row sets before
// the program runs: parent, place, caption, visibility, tab index, font, check, range,
// position, steps, orientation and ticks. Runs no handler. Throws std::logic_error when a row
// names no control of the form or one of another kind, or a control has no row: the window and
// its layout must describe the same controls.
void applyLayout(Form& form, const WindowLayout& layout);

// Where a control stands when its caption needs `captionWidth` pixels in the font the toolkit
// has at hand. A check box or a radio button whose caption needs more than its row gives it
// (a fixed-width kana font is wider than the proportional one the layout was made with) takes
// the room up to 2 pixels short of its parent's right edge, so that the caption is not cut
// off; every other control keeps its row's place.
Rect placeForCaption(const Control& control, int captionWidth);

} // namespace platform
