// Holds the browser build's frames to the desktop's: both builds of this program draw the
// same list of states, with the window's renderer and with the reference, and print a hash of
// every frame, so that a difference in arithmetic between the two machines shows as a line
// that differs. scripts/web-frame-diff.sh runs it both ways and compares.
//
//   frame_hashes --write-states FILE [EXAMPLE.okd ...]
//       writes the states of the pixel renderer's differential tests (the random states, the
//       rounding ties, the tick sequences) and 60 ticks of each set-up file, one per line.
//       The states come from the tests' generator, whose numbers differ between standard
//       libraries, so they are generated once, natively, and read by both builds.
//   frame_hashes FILE [--dump DIR INDEX...]
//       draws every state and prints "index set fast-hash reference-hash"; with
//       --dump, also writes the listed frames' pixels to DIR/INDEX.fast and DIR/INDEX.ref.
//   frame_hashes --marks FILE INDEX
//       prints the reference's marks and displacements of one state, point by point.
//   frame_hashes --count A B
//       prints how many pixels of two dumped frames differ.
#include "../core/frame_states.h"
#include "frame_renderer.h"
#include "pixel_canvas.h"
#include "pixel_frame_renderer.h"
#include "setup_state.h"
#include "view.h"
#include "wave_field.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using frame_states::FrameState;

// One frame of the list: a state, whether it starts a new renderer (a new test, a new
// sequence), and the pen the canvases hold before it when a test sets one.
struct Entry {
    std::string set;
    bool fresh = false;
    long pen = -1;
    FrameState state;
};

void writeEntry(std::ostream& out, const Entry& e) {
    const FrameState& s = e.state;
    char line[1024];
    int used = std::snprintf(
        line, sizeof line, "%s %d %ld %a %a %a %d %d %d %d %d %d %d %d %d", e.set.c_str(),
        e.fresh ? 1 : 0, e.pen, s.timecount, s.view.theta, s.view.phi, s.inputs.n, s.inputs.g,
        static_cast<int>(s.inputs.attenuation), s.inputs.twoSources, s.inputs.seibun,
        s.inputs.bashi, s.inputs.suihei, s.inputs.baishitsu, s.inputs.rect);
    for (const sound::THagen& h : s.hagen)
        used += std::snprintf(line + used, sizeof line - used, " %a %a %a %a %a %a", h.x, h.y,
                              h.amp, h.omega, h.phase, h.speed);
    out << line << '\n';
}

// Hexadecimal floating point reads back exactly with strtod on every standard library.
double number(std::istream& in) {
    std::string word;
    in >> word;
    return std::strtod(word.c_str(), nullptr);
}

std::vector<Entry> readEntries(const char* path) {
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path);
        std::exit(1);
    }
    std::vector<Entry> entries;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        Entry e;
        int fresh = 0;
        int mode = 0;
        int flags[6] = {};
        in >> e.set >> fresh >> e.pen;
        e.fresh = fresh != 0;
        FrameState& s = e.state;
        s.timecount = number(in);
        s.view.theta = number(in);
        s.view.phi = number(in);
        in >> s.inputs.n >> s.inputs.g >> mode;
        for (int& f : flags)
            in >> f;
        s.inputs.attenuation = static_cast<sound::Attenuation>(mode);
        s.inputs.twoSources = flags[0];
        s.inputs.seibun = flags[1];
        s.inputs.bashi = flags[2];
        s.inputs.suihei = flags[3];
        s.inputs.baishitsu = flags[4];
        s.inputs.rect = flags[5];
        for (sound::THagen& h : s.hagen) {
            h.x = number(in);
            h.y = number(in);
            h.amp = number(in);
            h.omega = number(in);
            h.phase = number(in);
            h.speed = number(in);
        }
        if (!in) {
            std::fprintf(stderr, "bad state line %zu in %s\n", entries.size() + 1, path);
            std::exit(1);
        }
        entries.push_back(e);
    }
    return entries;
}

// The pixel renderer's differential tests, state for state and pen for pen.
void addTestStates(std::vector<Entry>& entries) {
    {
        frame_states::Generator generator(1);
        for (int i = 0; i < 1200; ++i) {
            Entry e{"random", i == 0, -1, {}};
            if (generator.chance(0.2))
                e.pen = generator.chance(0.5) ? sound::kSourceColors[generator.uniform(0, 3)]
                                              : 0x123456;
            e.state = generator.random();
            entries.push_back(e);
        }
    }
    {
        frame_states::Generator generator(2);
        for (int i = 0; i < 400; ++i)
            entries.push_back({"tie", i == 0, -1, generator.tie()});
    }
    frame_states::Generator generator(3);
    for (int sequence = 0; sequence < 40; ++sequence) {
        FrameState s = generator.random(8);
        if (generator.chance(0.3))
            s = generator.tie();
        for (int tick = 0; tick < 30; ++tick) {
            entries.push_back({"ticks", tick == 0, -1, s});
            generator.changeOne(s);
        }
    }
}

// Sixty ticks of a set-up file as the window draws them from a fresh start; a turning view
// moves 2 degrees before each frame.
void addFileStates(std::vector<Entry>& entries, const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    const std::optional<sound::StoredSetup> setup = setup_state::readSetup(text);
    if (!setup) {
        std::fprintf(stderr, "cannot use %s\n", path);
        std::exit(1);
    }
    FrameState s = setup_state::fromSetup(*setup);
    for (int tick = 0; tick < 60; ++tick) {
        if (setup->options[sound::StoredSetup::ch_guruguru])
            s.view.phi = s.view.phi > 178 ? s.view.phi - 358 : s.view.phi + 2;
        s.timecount = tick;
        entries.push_back({"file", tick == 0, -1, s});
    }
}

std::uint64_t hashPixels(const platform::PixelCanvas& canvas) {
    std::uint64_t h = 0xcbf29ce484222325u; // FNV-1a
    const std::size_t count = std::size_t(canvas.width()) * canvas.height();
    for (std::size_t i = 0; i < count; ++i) {
        h = (h ^ canvas.bits()[i]) * 0x100000001b3u;
    }
    return h;
}

void dump(const platform::PixelCanvas& canvas, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(canvas.bits()),
              std::streamsize(canvas.width()) * canvas.height() * 4);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

int drawAll(const char* path, const std::string& dumpDir, const std::set<std::size_t>& dumped) {
    const std::vector<Entry> entries = readEntries(path);
    std::unique_ptr<platform::PixelFrameRenderer> fast;
    std::unique_ptr<platform::PixelCanvas> fastCanvas;
    std::unique_ptr<platform::PixelCanvas> refCanvas;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        if (e.fresh || !fast) {
            fast = std::make_unique<platform::PixelFrameRenderer>();
            fastCanvas = std::make_unique<platform::PixelCanvas>();
            refCanvas = std::make_unique<platform::PixelCanvas>();
        }
        if (e.pen >= 0) {
            fastCanvas->setPenColor(sound::Color(e.pen));
            refCanvas->setPenColor(sound::Color(e.pen));
        }
        const FrameState& s = e.state;
        fast->draw(*fastCanvas, s.hagen, s.timecount, s.view, s.inputs);
        sound::renderFrame(*refCanvas, s.hagen, s.timecount, s.view, s.inputs);
        std::printf("%zu %s %016" PRIx64 " %016" PRIx64 "\n", i, e.set.c_str(),
                    hashPixels(*fastCanvas), hashPixels(*refCanvas));
        if (dumped.count(i)) {
            dump(*fastCanvas, dumpDir + "/" + std::to_string(i) + ".fast");
            dump(*refCanvas, dumpDir + "/" + std::to_string(i) + ".ref");
        }
    }
    return 0;
}

// The reference's values for every point of one state, in renderFrame's order.
int printMarks(const char* path, std::size_t index) {
    const std::vector<Entry> entries = readEntries(path);
    if (index >= entries.size())
        return 1;
    const FrameState& s = entries[index].state;
    std::printf("%s\n", frame_states::describe(s).c_str());
    const sound::Extended cosTheta = sound::ext::cos(sound::radians(s.view.theta));
    const int active = s.inputs.twoSources ? 2 : sound::kSourceCount;
    for (int i = -s.inputs.n; i <= s.inputs.n; ++i) {
        for (int j = -s.inputs.n; j <= s.inputs.n; ++j) {
            const double X = double(s.inputs.g * i);
            const double Y = double(s.inputs.g * j);
            const sound::Henni henni =
                sound::evaluateField(X, Y, s.hagen, s.timecount, active, s.inputs.attenuation);
            const std::int64_t px = sound::projx(X, Y, s.view.theta, s.view.phi);
            const std::int64_t yg = sound::projy(X, Y, s.view.theta, s.view.phi);
            const sound::Extended total =
                sound::Extended(henni[0]) + henni[1] + henni[2] + henni[3];
            std::printf("%d %d px=%" PRId64 " yg=%" PRId64 " yd=%" PRId64, i, j, px, yg,
                        sound::displacedY(yg, cosTheta, total));
            for (int k = 0; k < active; ++k)
                std::printf(" yc%d=%" PRId64 " h%d=%a", k,
                            sound::displacedY(yg, cosTheta, henni[k]), k, henni[k]);
            std::printf("\n");
        }
    }
    return 0;
}

int countDiffering(const char* a, const char* b) {
    std::ifstream fa(a, std::ios::binary);
    std::ifstream fb(b, std::ios::binary);
    std::vector<char> pa((std::istreambuf_iterator<char>(fa)), {});
    std::vector<char> pb((std::istreambuf_iterator<char>(fb)), {});
    if (pa.empty() || pa.size() != pb.size() || pa.size() % 4) {
        std::fprintf(stderr, "%s and %s are not frames of one size\n", a, b);
        return 1;
    }
    std::size_t differing = 0;
    for (std::size_t i = 0; i < pa.size(); i += 4)
        differing += !std::equal(&pa[i], &pa[i] + 4, &pb[i]);
    std::printf("%zu\n", differing);
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: frame_hashes --write-states FILE [EXAMPLE.okd ...]\n"
                         "       frame_hashes FILE [--dump DIR INDEX...]\n"
                         "       frame_hashes --marks FILE INDEX\n"
                         "       frame_hashes --count A B\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--write-states") {
        std::vector<Entry> entries;
        addTestStates(entries);
        for (std::size_t i = 2; i < args.size(); ++i)
            addFileStates(entries, args[i].c_str());
        std::ofstream out(args[1]);
        for (const Entry& e : entries)
            writeEntry(out, e);
        return out ? 0 : 1;
    }
    if (args.size() == 3 && args[0] == "--marks")
        return printMarks(args[1].c_str(), std::stoul(args[2]));
    if (args.size() == 3 && args[0] == "--count")
        return countDiffering(args[1].c_str(), args[2].c_str());
    if (args.size() == 1 || (args.size() >= 3 && args[1] == "--dump")) {
        std::set<std::size_t> dumped;
        for (std::size_t i = 3; i < args.size(); ++i)
            dumped.insert(std::stoul(args[i]));
        return drawAll(args[0].c_str(), args.size() >= 3 ? args[2] : "", dumped);
    }
    return usage();
}
