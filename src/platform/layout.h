#pragma once

#include "canvas.h"
#include "control.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace platform {

class Form;

enum class Orientation { Horizontal, Vertical };

// A place in the parent's client area, in pixels of a layout made at 96 dots per inch.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One control of a window's layout: everything about it that is settled before the program
// runs. Rows are data, read by the program to set the controls' initial state and by each
// backend to make and place the toolkit's controls.
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

// Gives every control of `form` what its row sets before the program runs: parent, caption,
// visibility, check, range, position and steps. Runs no handler. Throws std::logic_error when
// a row names no control of the form or one of another kind, or a control has no row: the
// window and its layout must describe the same controls.
void applyLayout(Form& form, const WindowLayout& layout);

// The controls that take the keyboard focus by Tab, in the order Tab visits them: the
// window's own controls by tab index, each followed by its children in their order.
// Hidden controls and those of no tab index are left out.
std::vector<const ControlLayout*> tabOrder(const WindowLayout& layout);

} // namespace platform
