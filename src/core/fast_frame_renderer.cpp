#include "fast_frame_renderer.h"

#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sound {

// Why the double-precision shortcut gives the reference's pixels.
//
// For source k at a point the reference forms, in 80-bit arithmetic with unit roundoff
// u = 2^-64, a = (T1 - lag) + T3 and henni = double(att(sin(a) amp)), where T1 = (omega t pi)
// / 180 and T3 = (pi phase) / 180 are fixed for the frame. The shortcut computes, in double,
//   h = sin(C) (m cos lag) - cos(C) (m sin lag),   C = T1 + T3 rounded once in 80 bits,
// where m is the amplitude after attenuation, formed from the reference's own r. Let M = |m|.
// Then |h - henni| <= M (2^-48 + E):
//   - the four double factors are each within 2^-52 of the true value (times M for the two
//     cached parts), which with two products and one difference gives M 2^-49;
//   - the reference rounds sin(a) amp and its attenuation within 5u relative and henni to
//     double within 2^-53 relative; sinl and cosl are accurate to 2^-65 absolute;
//   - E bounds the arguments' own rounding: a is within u (|T1 - lag| + |a|) of T1 - lag + T3
//     and C within u |C| of T1 + T3, so E <= 3u (|T1| + |lag| + |T3|).
// The screen value yg + cos(theta) h is formed with two more double roundings and cos(theta)
// rounded to double, adding M |cos theta| 3 2^-53 and 2^-52 |yg|; the leg's four-term sum adds
// 3 2^-53 relative to the sum of the M. kRelativeSlack and kArgumentSlack exceed these totals
// three times over, kYgSlack covers the |yg| term and the rounding of the distance to the
// half-integer. A screen value farther than the bound from every half-integer rounds to the
// same integer as the reference's, which lies within the bound; for any other value the point
// is evaluated exactly as the reference does.

namespace {

constexpr double kRelativeSlack = 0x1p-46;
constexpr double kArgumentSlack = 0x1p-60;
constexpr double kYgSlack = 0x1p-50;

// Beyond this the shortcut's integer rounding below would not be exact; no reachable state
// comes near it (amplitudes are 32-bit integers), but a frame past it goes the exact way.
constexpr double kLargestFastValue = 0x1p40;

// memcmp rather than std::bit_cast: the browser build's standard library lacks the latter.
bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Rounds v to the nearest integer, halves to even, and clears `certain` unless v lies farther
// than `bound` from every half-integer, so that every value within `bound` of v rounds alike.
// Adding and removing 1.5 * 2^52 leaves v rounded to an integer for |v| < 2^51; the library's
// rounding functions would be calls here, and this runs five times per point.
std::int64_t roundChecked(double v, double bound, bool& certain) {
    constexpr double kShift = 0x1.8p52;
    const double nearest = (v + kShift) - kShift;
    certain = certain & (0.5 - std::fabs(v - nearest) > bound);
    return static_cast<std::int64_t>(nearest);
}

} // namespace

void FastFrameRenderer::syncGrid(int n, int g) {
    if (n == n_ && g == g_)
        return;
    n_ = n;
    g_ = g;
    gridX_.clear();
    gridY_.clear();
    // The reference forms each coordinate as an integer product, then converts it.
    for (int i = -n; i <= n; ++i) {
        for (int j = -n; j <= n; ++j) {
            gridX_.push_back(static_cast<double>(g * i));
            gridY_.push_back(static_cast<double>(g * j));
        }
    }
    projectionValid_ = false;
    for (SourceCache& cache : sources_)
        cache.valid = false;
}

void FastFrameRenderer::syncProjection(const View& view) {
    if (projectionValid_ && sameBits(view.theta, view_.theta) && sameBits(view.phi, view_.phi))
        return;
    projectionValid_ = true;
    view_ = view;
    cosTheta_ = ext::cos(radians(view.theta));

    // projx and projy evaluate these functions of the angles for every point; the products
    // below are theirs, operand for operand, so the rounded results are the same.
    const Extended thetar = radians(view.theta);
    const Extended phir = radians(view.phi);
    const Extended sinTheta = ext::sin(thetar);
    const Extended sinPhi = ext::sin(phir);
    const Extended cosPhi = ext::cos(phir);
    const std::size_t count = gridX_.size();
    px_.resize(count);
    yg_.resize(count);
    maxAbsYg_ = 0;
    for (std::size_t p = 0; p < count; ++p) {
        const double X = gridX_[p];
        const double Y = gridY_[p];
        px_[p] = Round(X * cosPhi + Y * sinPhi) + kViewCentre;
        yg_[p] = Round(sinTheta * ((-sinPhi) * X + cosPhi * Y)) + kViewCentre;
        maxAbsYg_ = std::max(maxAbsYg_, std::fabs(static_cast<double>(yg_[p])));
    }
}

void FastFrameRenderer::syncSource(int k, const THagen& source, Attenuation mode) {
    SourceCache& cache = sources_[k];
    const THagen& old = cache.source;
    // The phase only shifts C, one number per frame, so changing it keeps the cache.
    if (cache.valid && cache.mode == mode && sameBits(source.x, old.x) &&
        sameBits(source.y, old.y) && sameBits(source.amp, old.amp) &&
        sameBits(source.omega, old.omega) && sameBits(source.speed, old.speed))
        return;
    cache.valid = true;
    cache.source = source;
    cache.mode = mode;

    const std::size_t count = gridX_.size();
    cache.cosPart.assign(count, 0.0);
    cache.sinPart.assign(count, 0.0);
    cache.reach.assign(count, 0.0);
    Extended maxLag = 0;
    Extended maxReach = 0;
    bool finite = true;

    const Extended amp = source.amp;
    const Extended lagPerDistance = kPi * Extended(source.omega) / Extended(180);
    for (std::size_t p = 0; p < count; ++p) {
        // Distance, the test for the source's own neighbourhood and the lag are the
        // reference's expressions, so q <= 1 is decided exactly as there.
        const Extended dx = Extended(source.x) - gridX_[p];
        const Extended dy = Extended(source.y) - gridY_[p];
        const Extended q = dx * dx + dy * dy;
        if (q <= Extended(1))
            continue;
        const Extended r = ext::sqrt(q);
        const Extended lag = lagPerDistance * r / Extended(source.speed);
        Extended m = amp / Extended(100);
        if (mode == Attenuation::InverseDistance)
            m = amp / r;
        else if (mode == Attenuation::InverseSqrtDistance)
            m = (amp / Extended(10)) / ext::sqrt(r);
        cache.cosPart[p] = static_cast<double>(m * ext::cos(lag));
        cache.sinPart[p] = static_cast<double>(m * ext::sin(lag));
        cache.reach[p] = static_cast<double>(ext::fabs(m));
        finite = finite && ext::isfinite(lag) && ext::isfinite(m);
        maxLag = std::max(maxLag, ext::fabs(lag));
        maxReach = std::max(maxReach, ext::fabs(m));
    }
    cache.maxLag = static_cast<double>(maxLag);
    cache.maxReach = static_cast<double>(maxReach);
    cache.finite = finite && std::isfinite(cache.maxLag) && std::isfinite(cache.maxReach);
}

PointMarks FastFrameRenderer::exactMarks(std::size_t point, const Hagen& hagen, double timecount,
                                         int activeSources, Attenuation mode) const {
    const Henni henni =
        evaluateField(gridX_[point], gridY_[point], hagen, timecount, activeSources, mode);
    return pointMarks(px_[point], yg_[point], henni, cosTheta_, activeSources);
}

const std::vector<PointMarks>& FastFrameRenderer::marks(const Hagen& hagen, double timecount,
                                                        const View& view, const FrameInputs& inputs,
                                                        const ScreenArea* visible) {
    const int activeSources = activeSourceCount(inputs);
    syncGrid(inputs.n, inputs.g);
    syncProjection(view);
    for (int k = 0; k < activeSources; ++k)
        syncSource(k, hagen[k], inputs.attenuation);

    // Per-frame constants; any value the bound cannot vouch for sends the whole frame the
    // exact way (a speed of 0, say, makes every lag infinite).
    const double cosTheta = static_cast<double>(cosTheta_);
    const double absCos = std::fabs(cosTheta);
    std::array<SourceTick, kSourceCount> ticks{};
    double maxSlack = 0;
    double reachLimit = 0;
    bool fast = std::isfinite(cosTheta);
    for (int k = 0; k < activeSources; ++k) {
        const SourceCache& cache = sources_[k];
        const Extended omega = hagen[k].omega;
        const Extended t1 = (omega * timecount * kPi) / Extended(180);
        const Extended t3 = (kPi * Extended(hagen[k].phase)) / Extended(180);
        const Extended c = t1 + t3;
        ticks[k].sinC = static_cast<double>(ext::sin(c));
        ticks[k].cosC = static_cast<double>(ext::cos(c));
        ticks[k].slack = static_cast<double>(
            kRelativeSlack + kArgumentSlack * (ext::fabs(t1) + cache.maxLag + ext::fabs(t3)));
        fast = fast && cache.finite && std::isfinite(ticks[k].slack);
        maxSlack = std::max(maxSlack, ticks[k].slack);
        reachLimit += cache.maxReach;
    }
    fast = fast && maxAbsYg_ + absCos * reachLimit < kLargestFastValue;
    const double ygSlack = (maxAbsYg_ + 1) * kYgSlack;
    const double legSlack = absCos * maxSlack;
    std::array<double, kSourceCount> componentSlack{};
    for (int k = 0; k < activeSources; ++k)
        componentSlack[k] = absCos * ticks[k].slack;

    marks_.clear();
    exactPoints_ = 0;
    const std::size_t count = gridX_.size();
    for (std::size_t p = 0; p < count; ++p) {
        const bool kept = !visible || p + 1 == count;
        if (!kept &&
            (px_[p] + kMarksLastColumn < 0 || px_[p] + kMarksFirstColumn >= visible->width))
            continue;
        if (!fast) {
            marks_.push_back(exactMarks(p, hagen, timecount, activeSources, inputs.attenuation));
            ++exactPoints_;
            continue;
        }

        std::array<double, kSourceCount> h{};
        double total = 0;
        double reachSum = 0;
        for (int k = 0; k < activeSources; ++k) {
            const SourceCache& cache = sources_[k];
            h[k] = ticks[k].sinC * cache.cosPart[p] - ticks[k].cosC * cache.sinPart[p];
            total += h[k];
            reachSum += cache.reach[p];
        }
        PointMarks mark;
        mark.px = px_[p];
        mark.yg = yg_[p];
        const double yg = static_cast<double>(mark.yg);
        if (!kept) {
            // The displaced rows lie within |cos theta| times the reach, and half a row of
            // rounding, of yg, and every mark within kMarksRowReach rows of those; a whole row
            // for the half leaves room for the rounding of this sum.
            const double spread =
                absCos * reachSum * (1 + 0x1p-40) + static_cast<double>(kMarksRowReach + 1);
            if (yg + spread < 0 || yg - spread >= static_cast<double>(visible->height))
                continue;
        }

        bool certain = true;
        mark.yd = roundChecked(yg + cosTheta * total, reachSum * legSlack + ygSlack, certain);
        for (int k = 0; k < kSourceCount; ++k) {
            mark.yc[k] =
                k < activeSources
                    ? roundChecked(yg + cosTheta * h[k],
                                   sources_[k].reach[p] * componentSlack[k] + ygSlack, certain)
                    : mark.yg;
        }
        if (!certain) {
            mark = exactMarks(p, hagen, timecount, activeSources, inputs.attenuation);
            ++exactPoints_;
        }
        marks_.push_back(mark);
    }
    return marks_;
}

} // namespace sound
