// The fast renderer's marks against the reference, call for call: drawn with the one function
// every renderer draws a point with, every canvas operation, its arguments and its order must
// be the same for any state, and rounding ties must be settled by the exact evaluation.
#include "canvas.h"
#include "fast_frame_renderer.h"
#include "frame_renderer.h"
#include "frame_states.h"
#include "point_marks.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

using frame_states::FrameState;

// Keeps every canvas call as numbers, so that long frames compare quickly.
class CallLog final : public sound::Canvas {
public:
    struct Call {
        char op;
        std::int64_t a, b, c, d;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;

    void setBrushColor(sound::Color c) override { calls.push_back({'B', c, 0, 0, 0}); }
    void setPenColor(sound::Color c) override { calls.push_back({'P', c, 0, 0, 0}); }
    void fillRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) override {
        calls.push_back({'F', l, t, r, b});
    }
    void moveTo(std::int64_t x, std::int64_t y) override { calls.push_back({'M', x, y, 0, 0}); }
    void lineTo(std::int64_t x, std::int64_t y) override { calls.push_back({'L', x, y, 0, 0}); }
    void rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) override {
        calls.push_back({'R', l, t, r, b});
    }
    void ellipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) override {
        calls.push_back({'E', l, t, r, b});
    }
};

std::string show(const CallLog::Call& c) {
    return std::string(1, c.op) + " " + std::to_string(c.a) + " " + std::to_string(c.b) + " " +
           std::to_string(c.c) + " " + std::to_string(c.d);
}

// Draws the state with the reference and with the fast renderer's marks, and names the first
// call that differs.
testing::AssertionResult sameCalls(sound::FastFrameRenderer& fast, const FrameState& s) {
    CallLog expected;
    CallLog actual;
    sound::renderFrame(expected, s.hagen, s.timecount, s.view, s.inputs);
    actual.fillRect(0, 0, sound::kCanvasSize, sound::kCanvasSize);
    for (const sound::PointMarks& marks : fast.marks(s.hagen, s.timecount, s.view, s.inputs))
        sound::drawPointMarks(actual, marks, s.inputs);
    const std::size_t common = std::min(expected.calls.size(), actual.calls.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (!(expected.calls[i] == actual.calls[i]))
            return testing::AssertionFailure()
                   << "call " << i << ": reference " << show(expected.calls[i]) << ", fast "
                   << show(actual.calls[i]) << " for " << frame_states::describe(s);
    }
    if (expected.calls.size() != actual.calls.size())
        return testing::AssertionFailure()
               << expected.calls.size() << " calls, fast made " << actual.calls.size() << " for "
               << frame_states::describe(s);
    return testing::AssertionSuccess();
}

TEST(FastFrameRenderer, RandomStatesMakeTheReferencesCalls) {
    frame_states::Generator generator(20240611);
    sound::FastFrameRenderer fast; // one renderer throughout: its caches meet every kind of change
    for (int i = 0; i < 400; ++i)
        ASSERT_TRUE(sameCalls(fast, generator.random(8))) << "state " << i;
}

TEST(FastFrameRenderer, StatesOnRoundingTiesMakeTheReferencesCalls) {
    frame_states::Generator generator(77);
    sound::FastFrameRenderer fast;
    std::size_t exact = 0;
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(sameCalls(fast, generator.tie())) << "state " << i;
        exact += fast.exactPointCount();
    }
    // The ties are there to be settled exactly; if none were, the states missed their aim.
    EXPECT_GT(exact, 0u);
}

// Which way a frame's points go: the shortcut where the error bound settles every rounding,
// the exact evaluation where it cannot.
struct PathCase {
    const char* name;
    FrameState state;
    enum { NoneExact, SomeExact, AllExact } expect;
};

FrameState benchLike() {
    FrameState s;
    const double place[4][2] = {{-150, -100}, {120, -80}, {-60, 140}, {90, 110}};
    for (int k = 0; k < sound::kSourceCount; ++k)
        s.hagen[k] = {place[k][0], place[k][1], 300.0 + 50 * k, 20.0 + 5 * k, 45.0 * k, 2};
    s.timecount = 1234;
    s.inputs.n = 10;
    return s;
}

std::vector<PathCase> pathCases() {
    std::vector<PathCase> cases;
    cases.push_back({"ordinary_frame_takes_the_shortcut", benchLike(), PathCase::NoneExact});

    FrameState stopped = benchLike();
    for (sound::THagen& h : stopped.hagen)
        h.speed = 0; // every lag is infinite or undefined
    cases.push_back({"speed_zero_goes_exact", stopped, PathCase::AllExact});

    FrameState far = benchLike();
    far.timecount = std::numeric_limits<std::int32_t>::max();
    for (sound::THagen& h : far.hagen) {
        h.omega = std::numeric_limits<std::int32_t>::max(); // phase near 8e16 radians
        h.amp = std::numeric_limits<std::int32_t>::max();
    }
    cases.push_back({"phase_beyond_double_goes_exact", far, PathCase::AllExact});

    FrameState half = benchLike();
    half.view = {0, 0}; // cos 0 is exactly 1
    half.inputs.attenuation = sound::Attenuation::None;
    half.inputs.twoSources = true;
    half.hagen[0] = {0, 0, 50, 0, 90, 2}; // sin = 1: every point but the source's gets 0.5
    half.hagen[1] = {0, 0, 0, 0, 0, 2};
    cases.push_back({"half_pixel_displacements_go_exact", half, PathCase::SomeExact});

    // At distance 30 a source with omega 1 and speed 1 lags by 30 degrees; with phase 60
    // its sine is 1/2 up to rounding, so these amplitudes displace by 1371.5 and 1383.5,
    // ties that round up to even. The shortcut forms that sine as sin 60 cos 30 - cos 60
    // sin 30 and falls short of the ties by a few units in the last place: only its error
    // bound sends them to the exact evaluation.
    FrameState third = half;
    third.inputs.g = 6; // (18, 24) and (30, 0) are grid points at distance 30
    third.inputs.n = 6;
    third.timecount = 0;
    third.hagen[0] = {0, 0, 274300, 1, 60, 1};
    third.hagen[1] = {0, 0, 276700, 1, 60, 1};
    cases.push_back({"phases_meeting_at_thirty_degrees_go_exact", third, PathCase::SomeExact});
    return cases;
}

void PrintTo(const PathCase& c, std::ostream* out) {
    *out << c.name;
}

class FramePath : public testing::TestWithParam<PathCase> {};

TEST_P(FramePath, ChoosesTheExactEvaluationOnlyWhereTheBoundCannotDecide) {
    const PathCase& c = GetParam();
    sound::FastFrameRenderer fast;
    ASSERT_TRUE(sameCalls(fast, c.state));
    const std::size_t points = (2 * c.state.inputs.n + 1) * (2 * c.state.inputs.n + 1);
    switch (c.expect) {
    case PathCase::NoneExact:
        EXPECT_EQ(fast.exactPointCount(), 0u);
        break;
    case PathCase::SomeExact:
        EXPECT_GT(fast.exactPointCount(), 0u);
        EXPECT_LT(fast.exactPointCount(), points);
        break;
    case PathCase::AllExact:
        EXPECT_EQ(fast.exactPointCount(), points);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FramePath, testing::ValuesIn(pathCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
