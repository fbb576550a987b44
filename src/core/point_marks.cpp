#include "point_marks.h"

#include "view.h"

namespace sound {

PointMarks pointMarks(std::int64_t px, std::int64_t yg, const Henni& henni, Extended cosTheta,
                      int activeSources) {
    PointMarks marks;
    marks.px = px;
    marks.yg = yg;
    const Extended total = Extended(henni[0]) + henni[1] + henni[2] + henni[3];
    marks.yd = displacedY(yg, cosTheta, total);
    for (int k = 0; k < kSourceCount; ++k)
        marks.yc[k] = k < activeSources ? displacedY(yg, cosTheta, henni[k]) : yg;
    return marks;
}

} // namespace sound
