#pragma once

#include "canvas.h"
#include "extended.h"
#include "frame_renderer.h"
#include "hagen.h"

#include <array>
#include <cstdint>

namespace sound {

// Column of each source's component line relative to the point's screen x, left of the leg.
inline constexpr std::array<std::int64_t, kSourceCount> kComponentColumn = {-2, -1, 0, 1};

// Every mark of a point lies in the columns px + kMarksFirstColumn ... px + kMarksLastColumn
// and within kMarksRowReach rows of its yg, yd or a yc: the zero mark starts three columns left
// of the point, and the particle's box reaches from three rows above yd to two below it and
// ends four columns right of the point. A renderer may leave out a point whose marks all fall
// outside what it shows.
inline constexpr std::int64_t kMarksFirstColumn = -3;
inline constexpr std::int64_t kMarksLastColumn = 4;
inline constexpr std::int64_t kMarksRowReach = 3;

// Sources 3 and 4 take no part in a frame in two-source mode.
inline int activeSourceCount(const FrameInputs& inputs) {
    return inputs.twoSources ? 2 : kSourceCount;
}

// Where one grid point's marks go: the screen values every primitive of the frame uses.
struct PointMarks {
    std::int64_t px = 0; // screen x of the point
    std::int64_t yg = 0; // screen y at rest: the zero mark's row, where every line starts
    std::int64_t yd = 0; // screen y displaced: end of the leg, centre row of the particle
    // End row of each source's component line; the point's yg for a source that is not active.
    std::array<std::int64_t, kSourceCount> yc{};
};

// The marks of a point at (px, yg) with the sources' displacements `henni`: each component
// and the leg's four-term sum are placed in extended precision, as the frame is defined.
PointMarks pointMarks(std::int64_t px, std::int64_t yg, const Henni& henni, Extended cosTheta,
                      int activeSources);

// Draws one grid point's marks with the canvas calls that make up a frame: the component
// lines in their colours (leaving the pen black), the leg, the zero mark, then the particle
// around the leg's column, so that the particle covers whatever of the others passes through
// its box. A template so that a renderer holding a concrete canvas calls it without going
// through the virtual interface; every renderer draws with this one function.
template <class Painter>
inline void drawPointMarks(Painter& canvas, const PointMarks& m, const FrameInputs& in) {
    if (in.seibun) {
        const int active = activeSourceCount(in);
        for (int k = 0; k < active; ++k) {
            canvas.setPenColor(kSourceColors[k]);
            canvas.moveTo(m.px + kComponentColumn[k], m.yg);
            canvas.lineTo(m.px + kComponentColumn[k], m.yc[k]);
        }
        canvas.setPenColor(kBlack);
    }
    if (in.bashi) {
        canvas.moveTo(m.px + 2, m.yg);
        canvas.lineTo(m.px + 2, m.yd);
    }
    if (in.suihei) {
        canvas.moveTo(m.px - 3, m.yg);
        canvas.lineTo(m.px + 3, m.yg);
    }
    if (in.baishitsu) {
        // The 6 x 6 box is centred on the leg's column px + 2.
        if (in.rect)
            canvas.rectangle(m.px - 1, m.yd - 3, m.px + 5, m.yd + 3);
        else
            canvas.ellipse(m.px - 1, m.yd - 3, m.px + 5, m.yd + 3);
    }
}

} // namespace sound
