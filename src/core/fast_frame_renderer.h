#pragma once

#include "frame_renderer.h"
#include "hagen.h"
#include "point_marks.h"
#include "wave_field.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sound {

// The part of the screen a painter can show: [0, width) x [0, height).
struct ScreenArea {
    std::int64_t width = kCanvasSize;
    std::int64_t height = kCanvasSize;
};

// Places the marks of renderFrame's frames, point for point and pixel for pixel, at a fraction
// of the cost over successive ticks. Distances, attenuation factors and the projection do not
// change from one tick to the next, so they are kept per grid point and recomputed only when what
// they depend on changes: the grid (n, g), the view, a source's position, amplitude, frequency or
// speed, the attenuation mode. Each tick then costs one short double-precision evaluation per point
// and source, checked against a proven error bound: a screen value whose rounding the bound cannot
// settle sends its point to the extended-precision evaluation the reference uses.
//
// One instance serves one sequence of frames; keep it alive between ticks.
class FastFrameRenderer {
public:
    // The marks of one frame's grid points in drawing order, as renderFrame computes them.
    // With `visible`, points none of whose marks can reach that area are left out, except the
    // grid's last point: it decides where the canvas's current point is left.
    const std::vector<PointMarks>& marks(const Hagen& hagen, double timecount, const View& view,
                                         const FrameInputs& inputs,
                                         const ScreenArea* visible = nullptr);

    // How many points of the last frame needed the extended-precision evaluation: the only
    // sign, short of timing, that a frame took the shortcut where it may.
    std::size_t exactPointCount() const { return exactPoints_; }

private:
    // What stays fixed for one source while its position, amplitude, frequency and speed, the
    // attenuation mode and the grid do. With lag = (pi omega / 180) r / speed and m the
    // amplitude after attenuation at the point, the source adds
    //   m sin(C - lag) = sin(C) (m cos lag) - cos(C) (m sin lag)
    // where C = (omega t pi) / 180 + (pi phase) / 180 is one number per frame.
    struct SourceCache {
        bool valid = false;
        THagen source;
        Attenuation mode = Attenuation::None;
        std::vector<double> cosPart; // m cos lag
        std::vector<double> sinPart; // m sin lag
        std::vector<double> reach;   // |m|, zero within one grid unit of the source
        double maxLag = 0;           // largest |lag| on the grid
        double maxReach = 0;         // largest |m| on the grid
        bool finite = true;          // every value above is finite
    };

    // Per-frame constants of one active source.
    struct SourceTick {
        double sinC = 0;
        double cosC = 0;
        double slack = 0; // error bound per unit of reach on the screen, see the .cpp
    };

    void syncGrid(int n, int g);
    void syncProjection(const View& view);
    void syncSource(int k, const THagen& source, Attenuation mode);
    PointMarks exactMarks(std::size_t point, const Hagen& hagen, double timecount,
                          int activeSources, Attenuation mode) const;

    int n_ = -1;
    int g_ = 0;
    std::vector<double> gridX_; // medium coordinates of each point, in drawing order
    std::vector<double> gridY_;

    bool projectionValid_ = false;
    View view_;
    Extended cosTheta_ = 0;
    std::vector<std::int64_t> px_;
    std::vector<std::int64_t> yg_;
    double maxAbsYg_ = 0;

    std::array<SourceCache, kSourceCount> sources_;
    std::vector<PointMarks> marks_;
    std::size_t exactPoints_ = 0;
};

} // namespace sound
