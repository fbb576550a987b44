#include "canvas.h"
#include "frame_renderer.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Records every canvas call as text, so a test reads the frame as a script.
class RecordingCanvas final : public sound::Canvas {
public:
    std::vector<std::string> calls;

    void setBrushColor(sound::Color c) override { add("brush", {c}); }
    void setPenColor(sound::Color c) override { add("pen", {c}); }
    void fillRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) override {
        add("fill", {l, t, r, b});
    }
    void moveTo(std::int64_t x, std::int64_t y) override { add("move", {x, y}); }
    void lineTo(std::int64_t x, std::int64_t y) override { add("line", {x, y}); }
    void rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) override {
        add("rect", {l, t, r, b});
    }
    void ellipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) override {
        add("ellipse", {l, t, r, b});
    }

private:
    void add(const char* op, std::initializer_list<std::int64_t> args) {
        std::ostringstream s;
        s << op;
        for (auto a : args)
            s << ' ' << a;
        calls.push_back(s.str());
    }
};

sound::FrameInputs singlePoint() {
    sound::FrameInputs in;
    in.n = 0; // just the centre point
    return in;
}

TEST(FrameRenderer, DrawsEachPointsMarksInOrderWithTheSourceColours) {
    sound::Hagen hagen;
    hagen[0] = {0, 30, 300, 0, 90, 2};   // static crest: +300 / sqrt(30) / 10 at the centre
    hagen[1] = {0, -30, 300, 0, -90, 2}; // static trough of the same size
    RecordingCanvas canvas;
    sound::renderFrame(canvas, hagen, 0, sound::View{0, 0}, singlePoint());

    // Edge-on view: displacements at full scale, sqrt(sqrt(900)) = 5.477, 30 / 5.477 = 5.48.
    const std::vector<std::string> expected = {
        "fill 0 0 601 601",
        "pen 65280",
        "move 298 300",
        "line 298 305", // source 1, lime, px - 2
        "pen 16711935",
        "move 299 300",
        "line 299 295", // source 2, fuchsia, px - 1
        "pen 65535",
        "move 300 300",
        "line 300 300", // source 3, yellow, px
        "pen 16776960",
        "move 301 300",
        "line 301 300", // source 4, aqua, px + 1
        "pen 0",
        "move 302 300",
        "line 302 300", // leg
        "move 297 300",
        "line 303 300",            // zero mark
        "ellipse 299 297 305 303", // particle around the leg
    };
    EXPECT_EQ(canvas.calls, expected);
}

TEST(FrameRenderer, SwitchesLeaveOutTheirMarks) {
    sound::Hagen hagen;
    hagen[2] = {0, 50, 1000, 10, 0, 2};
    sound::FrameInputs in = singlePoint();
    in.twoSources = true;
    in.rect = true;
    in.suihei = false;
    in.bashi = false;
    RecordingCanvas canvas;
    sound::renderFrame(canvas, hagen, 3, sound::View{}, in);
    const std::vector<std::string> expected = {
        "fill 0 0 601 601", "pen 65280",    "move 298 300", "line 298 300",         "pen 16711935",
        "move 299 300",     "line 299 300", "pen 0",        "rect 299 297 305 303",
    };
    EXPECT_EQ(canvas.calls, expected);

    in.seibun = in.baishitsu = false;
    RecordingCanvas blank;
    sound::renderFrame(blank, hagen, 3, sound::View{}, in);
    EXPECT_EQ(blank.calls, std::vector<std::string>{"fill 0 0 601 601"});
}

TEST(FrameRenderer, LegAddsTheFourDisplacementsInExtendedPrecision) {
    // Static crests of 21474836.47, 0.07, -21474836.47 and 0.43 pixels (edge-on, no
    // attenuation). In 80 bits the first sum keeps the 0.07 to within 2^-40 and the leg ends
    // just short of half a pixel, rounding to row 300; in double the 0.07 loses 2^-29 and the
    // total 0.5000000003 would round to row 301.
    sound::Hagen hagen;
    hagen[0] = {0, 30, 2147483647, 0, 90, 2};
    hagen[1] = {0, -30, 7, 0, 90, 2};
    hagen[2] = {30, 0, -2147483647, 0, 90, 2};
    hagen[3] = {-30, 0, 43, 0, 90, 2};
    sound::FrameInputs in = singlePoint();
    in.attenuation = sound::Attenuation::None;
    in.seibun = in.suihei = in.baishitsu = false;
    RecordingCanvas canvas;
    sound::renderFrame(canvas, hagen, 0, sound::View{0, 0}, in);
    EXPECT_EQ(canvas.calls,
              (std::vector<std::string>{"fill 0 0 601 601", "move 302 300", "line 302 300"}));
}

TEST(FrameRenderer, WalksTheGridRowByRowWithSpacingG) {
    sound::FrameInputs in;
    in.n = 1;
    in.g = 20;
    in.seibun = in.bashi = in.suihei = false;
    RecordingCanvas canvas;
    sound::renderFrame(canvas, sound::Hagen{}, 0, sound::View{}, in);
    ASSERT_EQ(canvas.calls.size(), 10u);
    // i = -1 outer, j = -1 .. 1 inner; default view. Point (1, 0) is at px 317, yg 295,
    // so its particle box is 316 292 322 298.
    EXPECT_EQ(canvas.calls[1].substr(0, 7), "ellipse");
    EXPECT_EQ(canvas.calls[8], "ellipse 316 292 322 298");
}

} // namespace
