// The fast pixel renderer against the reference on the program's own canvas, pixel for
// pixel: random states over the whole reachable range, states built on rounding ties,
// sequences of ticks with one change between frames, and hand-picked corners.
#include "../core/frame_states.h"
#include "frame_renderer.h"
#include "pixel_canvas.h"
#include "pixel_frame_renderer.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

using frame_states::FrameState;
using platform::PixelCanvas;

testing::AssertionResult samePixels(const PixelCanvas& expected, const PixelCanvas& actual,
                                    const char* when) {
    const std::size_t size = std::size_t(expected.width()) * expected.height();
    const auto [e, a] = std::mismatch(expected.bits(), expected.bits() + size, actual.bits());
    if (e == expected.bits() + size)
        return testing::AssertionSuccess();
    const std::size_t at = e - expected.bits();
    return testing::AssertionFailure()
           << when << ": pixel (" << at % expected.width() << ", " << at / expected.width()
           << ") is " << std::hex << PixelCanvas::toColor(*a) << ", the reference's "
           << PixelCanvas::toColor(*e);
}

// Two canvases that start alike: one drawn by the reference, one by the fast renderer. Both
// keep their pen and current point from frame to frame, as the window's canvas does.
class Pair {
public:
    explicit Pair(int width = 601, int height = 601)
        : expected_(width, height), actual_(width, height) {}

    // Sets the pen on both, as whatever drew before a frame might have left it.
    void setPen(sound::Color color) {
        expected_.setPenColor(color);
        actual_.setPenColor(color);
    }

    testing::AssertionResult draw(const FrameState& s) {
        sound::renderFrame(expected_, s.hagen, s.timecount, s.view, s.inputs);
        fast_.draw(actual_, s.hagen, s.timecount, s.view, s.inputs);
        testing::AssertionResult frame = samePixels(expected_, actual_, "frame");
        if (!frame)
            return frame << " for " << frame_states::describe(s);
        // A line from wherever the frame left the current point shows that point, and a
        // second one from a point of its own shows the pen.
        for (const auto& [x, y] : {std::pair{300, 300}, std::pair{0, 0}}) {
            expected_.lineTo(x, y);
            actual_.lineTo(x, y);
        }
        testing::AssertionResult probe = samePixels(expected_, actual_, "current point and pen");
        if (!probe)
            return probe << " for " << frame_states::describe(s);
        return testing::AssertionSuccess();
    }

private:
    PixelCanvas expected_;
    PixelCanvas actual_;
    platform::PixelFrameRenderer fast_;
};

TEST(PixelFrameRenderer, RandomStatesMatchTheReferencePixelForPixel) {
    frame_states::Generator generator(1);
    Pair pair; // one renderer throughout: its caches meet every kind of change
    for (int i = 0; i < 1200; ++i) {
        if (generator.chance(0.2))
            pair.setPen(generator.chance(0.5) ? sound::kSourceColors[generator.uniform(0, 3)]
                                              : 0x123456);
        ASSERT_TRUE(pair.draw(generator.random())) << "state " << i;
    }
}

// The core's tests show that such states reach the exact evaluation.
TEST(PixelFrameRenderer, StatesOnRoundingTiesMatchTheReference) {
    frame_states::Generator generator(2);
    Pair pair;
    for (int i = 0; i < 400; ++i)
        ASSERT_TRUE(pair.draw(generator.tie())) << "state " << i;
}

TEST(PixelFrameRenderer, TickSequencesWithOneChangeBetweenFramesMatchTheReference) {
    frame_states::Generator generator(3);
    for (int sequence = 0; sequence < 40; ++sequence) {
        Pair pair;
        FrameState s = generator.random(8);
        if (generator.chance(0.3))
            s = generator.tie();
        for (int tick = 0; tick < 30; ++tick) {
            ASSERT_TRUE(pair.draw(s)) << "sequence " << sequence << ", tick " << tick;
            generator.changeOne(s);
        }
    }
}

// Frames at the corners of what the program can show.
struct CornerCase {
    const char* name;
    std::function<void(FrameState&)> set;
    int width = 601;
    int height = 601;
    sound::Color penBefore = sound::kBlack;
};

void fourSources(FrameState& s) {
    const double place[4][2] = {{-150, -100}, {120, -80}, {-60, 140}, {90, 110}};
    for (int k = 0; k < sound::kSourceCount; ++k)
        s.hagen[k] = {place[k][0], place[k][1], 300.0 + 50 * k, 20.0 + 5 * k, 45.0 * k, 2};
    s.timecount = 17;
}

std::vector<CornerCase> cornerCases() {
    const double maxInt = std::numeric_limits<std::int32_t>::max();
    return {
        {"largest_grid_default_view", [](FrameState& s) { s.inputs.n = 50; }},
        {"widest_grid_mostly_off_the_canvas",
         [](FrameState& s) {
             s.inputs.n = 50;
             s.inputs.g = 50;
         }},
        {"edge_on_view",
         [](FrameState& s) {
             s.view = {0, 0};
         }},
        {"from_straight_above",
         [](FrameState& s) {
             s.view = {90, 45};
         }},
        {"from_straight_below",
         [](FrameState& s) {
             s.view = {-90, -180};
         }},
        {"largest_amplitudes_reach_billions_of_pixels",
         [maxInt](FrameState& s) {
             s.view = {0, 10};
             for (sound::THagen& h : s.hagen)
                 h.amp = maxInt;
             s.inputs.attenuation = sound::Attenuation::None;
         }},
        {"speed_zero_sends_lines_to_the_far_end",
         [](FrameState& s) {
             for (sound::THagen& h : s.hagen)
                 h.speed = 0;
         }},
        {"clock_at_the_wrap",
         [](FrameState& s) {
             s.timecount = -100000;
             s.inputs.n = 30;
         }},
        {"square_particles_two_sources",
         [](FrameState& s) {
             s.inputs.rect = true;
             s.inputs.twoSources = true;
         }},
        {"no_marks_is_blank",
         [](FrameState& s) {
             s.inputs.seibun = s.inputs.bashi = s.inputs.suihei = s.inputs.baishitsu = false;
         }},
        {"legs_without_components_keep_the_coloured_pen",
         [](FrameState& s) { s.inputs.seibun = false; }, 601, 601, 0xFF00FF},
        {"canvas_smaller_than_the_frame_clips_every_mark",
         [](FrameState& s) {
             s.view = {20, 0};
             s.inputs.n = 25;
         },
         310, 290},
    };
}

void PrintTo(const CornerCase& c, std::ostream* out) {
    *out << c.name;
}

class PixelCorner : public testing::TestWithParam<CornerCase> {};

TEST_P(PixelCorner, MatchesTheReference) {
    const CornerCase& c = GetParam();
    FrameState s;
    fourSources(s);
    c.set(s);
    Pair pair(c.width, c.height);
    pair.setPen(c.penBefore);
    EXPECT_TRUE(pair.draw(s));
    // A second tick uses the caches the first one filled.
    s.timecount += 1;
    EXPECT_TRUE(pair.draw(s));
}

INSTANTIATE_TEST_SUITE_P(Cases, PixelCorner, testing::ValuesIn(cornerCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
