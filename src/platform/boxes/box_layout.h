#pragma once

#include "control.h"

#include <vector>

namespace platform {

// How a box lays out its controls, which every edition draws as it is given: rows from top to
// bottom, each row's controls side by side and aligned across the box, the box at least
// `minimumWidth` pixels wide and, when `centred`, in the middle of the screen rather than over
// its window. A hidden control takes no room in its row.
struct BoxRow {
    enum class Align { Fill, Start, End, Centre };

    std::vector<Control*> controls;
    Align align = Align::Fill;
    // The error icon leads the row, its text beside it.
    bool errorIcon = false;
};

struct BoxLayout {
    std::vector<BoxRow> rows;
    int minimumWidth = 280;
    bool centred = true;
};

} // namespace platform
