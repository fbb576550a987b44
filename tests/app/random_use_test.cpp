// A long run of random user actions on the real window, on the headless backend: clicks on
// the buttons, check boxes, radio buttons and sliders, keys and drags on the sliders, answers
// in the input box (garbage included), Start/Stop and single frames with ticks fired while
// the animation runs, and Open and Save of random files through the File menu. A model of what
// the user expects follows along, and after every action the window must agree with it:
// the File menu opens exactly while the animation is stopped, each caption shows the last
// accepted text, the clock and the picture change only with a drawn frame, and so on.
//
// The run is fixed by its seed. ONDULIX_RANDOM_SEED replays another one and
// ONDULIX_RANDOM_ACTIONS sets the number of actions.
#include "frame_renderer.h"
#include "key.h"
#include "pixel_canvas.h"
#include "scripted_window.h"
#include "source_fields.h"
#include "startup_settings_lines.h"
#include "temp_folder.h"
#include "window_state.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::uint64_t kDefaultSeed = 20240611;
constexpr int kDefaultActions = 20000;
constexpr std::int32_t kNoEntry = sound::kNoEntry;

std::uint64_t environmentNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// A text the user types or a file holds for an integer, and the value the program must
// take from it (none for text it must refuse).
struct IntegerText {
    std::string text;
    std::optional<std::int32_t> value;
};

// The set-up a settings file holds when every line converts.
struct FileSetup {
    std::array<std::int32_t, 6> sliders{};
    std::array<bool, 11> options{};
    std::array<std::int32_t, 20> values{};
    std::array<std::string, 20> texts; // the source lines as written
};

// What opening a file must do: apply a set-up, show an error and change nothing, or (a
// folder, a missing name) nothing at all.
struct OpenOutcome {
    std::optional<FileSetup> setup;
    std::optional<std::string> error; // the error box text; empty for "any conversion error"
};

// Slider ranges in file order, for the model of Open.
constexpr std::array<std::pair<int, int>, 6> kSliderRange = {
    {{-90, 90}, {-180, 180}, {5, 50}, {5, 50}, {5, 50}, {20, 1000}}};

class RandomUser {
public:
    RandomUser(std::uint64_t seed, const testsupport::TempFolder& folder)
        : seed_(seed), random_(seed), folder_(folder.dir()) {
        readEverythingFromTheWindow();
        folder.mkdir("dir.okd");
    }

    // Runs `count` actions, stopping at the first broken promise.
    void run(int count) {
        for (int i = 0; i < count; ++i) {
            ++actionsRun;
            act();
            checkEverything();
            if (::testing::Test::HasFailure()) {
                std::string recent;
                for (const std::string& line : log_)
                    recent += "  " + line + "\n";
                ADD_FAILURE() << "after action " << i + 1 << " of the run with seed " << seed_
                              << "; the last actions were:\n"
                              << recent;
                return;
            }
        }
    }

    int actionsRun = 0;
    int actionsWhileRunning = 0;
    int ticksFired = 0;
    int framesDrawn = 0;
    int framesCompared = 0;
    int entries = 0;
    int opens = 0;
    int saves = 0;
    int errorsShown = 0;

private:
    // --- Choosing ---

    int uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    template <class T> const T& pick(const std::vector<T>& items) {
        return items[std::size_t(uniform(0, int(items.size()) - 1))];
    }

    void note(const std::string& what) {
        log_.push_back(what);
        if (log_.size() > 25)
            log_.pop_front();
    }

    // --- Texts ---

    std::string hexDigits(std::uint32_t pattern) {
        static const char* const digitsUpper = "0123456789ABCDEF";
        static const char* const digitsLower = "0123456789abcdef";
        const char* digits = chance(0.5) ? digitsUpper : digitsLower;
        std::string text;
        do {
            text.insert(text.begin(), digits[pattern & 0xF]);
            pattern >>= 4;
        } while (pattern != 0);
        return std::string(std::size_t(uniform(0, 2) == 0 ? uniform(1, 4) : 0), '0') + text;
    }

    // The value written in one of the forms the conversion takes.
    IntegerText validText(std::int32_t value) {
        std::string text;
        switch (uniform(0, 5)) {
        case 0:
        case 1:
            text = std::to_string(value);
            break;
        case 2: // leading zeros after the sign
            text = std::string(value < 0     ? "-"
                               : chance(0.5) ? "+"
                                             : "") +
                   std::string(std::size_t(uniform(1, 3)), '0') +
                   std::to_string(value < 0 ? -std::int64_t(value) : std::int64_t(value));
            break;
        case 3: // a plus sign
            text = (value >= 0 ? std::string("+") : std::string()).append(std::to_string(value));
            break;
        default: { // hexadecimal, negative values as their 32-bit pattern
            static const std::vector<std::string> prefixes = {"$", "x", "X", "0x", "0X"};
            text = pick(prefixes) + hexDigits(std::uint32_t(value));
        }
        }
        if (chance(0.2))
            text.insert(0, std::size_t(uniform(1, 3)), ' ');
        return {text, value};
    }

    std::int32_t randomValue(int low, int high) {
        if (chance(0.03))
            return chance(0.5) ? INT_MIN : INT_MAX;
        if (chance(0.1))
            return uniform(-100000, 100000);
        return uniform(low, high);
    }

    // Text that no integer conversion takes.
    std::string invalidIntegerText() {
        static const std::vector<std::string> texts = {"",
                                                       "abc",
                                                       "1.5",
                                                       "12 ",
                                                       "\t3",
                                                       "$",
                                                       "0x",
                                                       "+-1",
                                                       "- 1",
                                                       "1e3",
                                                       "1,000",
                                                       "2147483648",
                                                       "-2147483649",
                                                       "$123456789",
                                                       "１２",
                                                       "+$10",
                                                       "0x-1",
                                                       std::string("q").append(120, 'z'),
                                                       "波源",
                                                       "12a",
                                                       "  ",
                                                       "0b101"};
        return pick(texts);
    }

    IntegerText typedAnswer() {
        switch (uniform(0, 9)) {
        case 0:
        case 1:
            return {invalidIntegerText(), std::nullopt};
        case 2: // the marker, in either form, is refused like garbage
            return {chance(0.5) ? "7296183" : "$6F54B7", std::nullopt};
        case 3: // up to the box's 255 characters of random kana and letters
        {
            std::string text = "q";
            const int length = uniform(0, 254);
            for (int i = 0; i < length; ++i)
                text += chance(0.5) ? std::string(1, char(uniform('a', 'z'))) : "ア";
            return {text, std::nullopt};
        }
        default: {
            IntegerText entry = validText(randomValue(-300, 300));
            if (entry.value == kNoEntry)
                entry.value.reset();
            return entry;
        }
        }
    }

    // --- Files ---

    static bool isOptionLine(int line) { return line >= 7 && line <= 17; }

    static std::string conversionError(int line, const std::string& text) {
        const std::string quoted = text.size() > 100 ? text.substr(0, 100) + "…" : text;
        return "'" + quoted +
               (isOptionLine(line) ? "' は正しい論理型ではありません." : "' は整数ではありません.");
    }

    // Writes a random settings file and says what opening it must do.
    OpenOutcome writeRandomFile(const std::string& path) {
        FileSetup setup;
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < 6; ++i) {
            const auto [low, high] = kSliderRange[i];
            const std::int32_t value =
                chance(0.85) ? uniform(low, high) : randomValue(low - 100, high + 100);
            setup.sliders[i] = value;
            lines.push_back(validText(value).text);
        }
        static const std::vector<std::pair<std::string, bool>> optionTexts = {
            {"-1", true},     {"0", false},   {"1", true},    {"True", true},
            {"fAlSe", false}, {" 0 ", false}, {"2.5", true},  {"1e3", true},
            {"0.0", false},   {"-0", false},  {"TRUE", true}, {"+.5E-3", true}};
        for (std::size_t i = 0; i < 11; ++i) {
            const auto& [text, value] = pick(optionTexts);
            setup.options[i] = value;
            lines.push_back(text);
        }
        for (std::size_t i = 0; i < 20; ++i) {
            const IntegerText entry = validText(randomValue(-300, 300));
            setup.values[i] = *entry.value;
            setup.texts[i] = entry.text;
            lines.push_back(entry.text);
        }

        const std::string lineBreak = chance(0.7) ? "\r\n" : "\n";
        bool finalBreak = chance(0.8);
        if (chance(0.2)) // lines after the 37th are never read
            lines.insert(lines.end(), {"rubbish", std::string("\xff\xfe\0", 3), "-1"});

        OpenOutcome outcome;
        const int fault = uniform(0, 9);
        if (fault == 0) {
            // One line that does not convert.
            const int line = uniform(1, 37);
            static const std::vector<std::string> badOptions = {
                "yes", "", "on", "1x", "TRUEE", "- 1", std::string(150, 'n')};
            const std::string text = isOptionLine(line) ? pick(badOptions) : invalidIntegerText();
            lines[std::size_t(line - 1)] = text;
            outcome.error = conversionError(line, text);
        } else if (fault == 1) {
            // The file ends early, its last line ending with a line break.
            const int present = uniform(0, 36);
            lines.resize(std::size_t(present));
            finalBreak = true;
            outcome.error = conversionError(present + 1, "");
        } else if (fault == 2) {
            // Bytes of no text at all; the first one starts no number.
            std::string bytes = "\xff";
            const int length = uniform(0, 3000);
            for (int i = 0; i < length; ++i)
                bytes += char(uniform(0, 255));
            writeBytes(path, bytes);
            outcome.error = std::string(); // any conversion message
            return outcome;
        } else {
            outcome.setup = setup;
        }
        writeBytes(path, testsupport::joinLines(lines, lineBreak, finalBreak));
        return outcome;
    }

    static void writeBytes(const std::string& path, const std::string& bytes) {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << bytes;
        ASSERT_TRUE(file.good()) << path;
    }

    // --- The model of what the user sees ---

    struct Expected {
        bool running = false;
        std::array<int, 6> sliders{};
        std::array<bool, 11> options{};
        std::array<std::string, 20> captions;
        std::array<double, 20> values{};
        double speed = 0;
        double theta = 0;
        double phi = 0;
        double timecount = 0;
        std::vector<std::string> errors;
        std::vector<std::uint32_t> picture;
    };

    std::vector<std::uint32_t> picture() const {
        const platform::PixelCanvas& canvas = window_.form->graph.canvas();
        return {canvas.bits(), canvas.bits() + std::size_t(canvas.width()) * canvas.height()};
    }

    void readEverythingFromTheWindow() {
        const WindowState state = windowState(*window_.form);
        expected_.running = false;
        expected_.sliders = state.sliders;
        expected_.options = state.options;
        expected_.captions = state.captions;
        for (std::size_t i = 0; i < 20; ++i)
            expected_.values[i] = sound::fieldOf(sound::hagen, sound::kSourceFields[i]);
        expected_.speed = sound::hagen[0].speed;
        expected_.theta = sound::theta;
        expected_.phi = sound::phi;
        expected_.timecount = sound::timecount;
        expected_.picture = picture();
    }

    std::array<platform::TrackBar*, 6> sliders() const {
        TForm1& w = *window_.form;
        return {&w.thetachanger, &w.phichanger,      &w.numpoints,
                &w.numzoom,      &w.velocitychanger, &w.fpschanger};
    }
    std::array<platform::Control*, 11> optionButtons() const {
        TForm1& w = *window_.form;
        return {&w.gens1,       &w.gens2,     &w.gens0,     &w.ch_baishitsu,
                &w.ch_bashi,    &w.ch_suihei, &w.ch_seibun, &w.ch_2cut,
                &w.ch_guruguru, &w.ch_rect,   &w.ch_koma};
    }

    // The slider handlers, as a user action on slider `i` sets them off.
    void sliderHandlerRan(std::size_t i) {
        const int position = expected_.sliders[i];
        if (i == 0)
            expected_.theta = position;
        else if (i == 1)
            expected_.phi = position;
        else if (i == 4)
            expected_.speed = position / 10.0;
    }

    void applyFile(const FileSetup& setup) {
        for (std::size_t i = 0; i < 6; ++i) {
            const auto [low, high] = kSliderRange[i];
            const int clamped = std::clamp(setup.sliders[i], low, high);
            const bool moves = clamped != expected_.sliders[i];
            expected_.sliders[i] = clamped;
            // The angle is set from the line first; the slider's handler repeats it with the
            // slider's position only if the slider moves.
            if (i == 0)
                expected_.theta = moves ? clamped : setup.sliders[i];
            if (i == 1)
                expected_.phi = moves ? clamped : setup.sliders[i];
            // The speed line is clamped before it is applied.
            if (i == 4)
                expected_.speed = clamped / 10.0;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            if (setup.options[i]) {
                expected_.options[0] = expected_.options[1] = expected_.options[2] = false;
                expected_.options[i] = true;
            } else {
                expected_.options[i] = false;
            }
        }
        for (std::size_t i = 3; i < 11; ++i)
            expected_.options[i] = setup.options[i];
        for (std::size_t i = 0; i < 20; ++i) {
            expected_.values[i] = setup.values[i];
            expected_.captions[i] = prefix(i) + setup.texts[i];
        }
    }

    static std::string prefix(std::size_t i) { return std::string(sound::kSourceFields[i].prefix); }

    // --- Actions ---

    void act() {
        if (expected_.running)
            ++actionsWhileRunning;
        // The user starts a stopped animation more readily than stopping a running one, so
        // that most actions happen while it runs.
        const int roll = uniform(0, 99);
        if (roll < (expected_.running ? 4 : 25))
            clickStartStop();
        else if (roll < 40)
            fireTicks(uniform(1, 3));
        else if (roll < 54)
            clickSourceButton();
        else if (roll < 64)
            clickOption();
        else if (roll < 80)
            pressKeyOnSlider();
        else if (roll < 84)
            clickOnSlider();
        else if (roll < 87)
            dragSlider();
        else if (roll < 93)
            openFromMenu();
        else
            saveFromMenu();
    }

    void clickStartStop() {
        note("click Start/Stop");
        window_.form->BitBtn1.press();
        expected_.running = !expected_.running;
    }

    // A tick as the timer delivers it, and what the user expects of it.
    void tick() {
        if (!window_.timer->ticking)
            return;
        ++ticksFired;
        if (expected_.options[8]) { // the turning view
            const int p = expected_.sliders[1];
            expected_.sliders[1] = p > 178 ? p - 358 : p + 2;
            expected_.phi = expected_.sliders[1];
        }
        const bool draws = !(expected_.timecount > 100000.0);
        sound::FrameInputs inputs;
        inputs.n = expected_.sliders[2];
        inputs.g = expected_.sliders[3];
        inputs.attenuation =
            sound::attenuationFromButtons(expected_.options[0], expected_.options[1]);
        inputs.twoSources = expected_.options[7];
        inputs.seibun = expected_.options[6];
        inputs.bashi = expected_.options[4];
        inputs.suihei = expected_.options[5];
        inputs.baishitsu = expected_.options[3];
        inputs.rect = expected_.options[9];
        const double clock = expected_.timecount;
        window_.timer->fire();
        if (draws) {
            ++framesDrawn;
            expected_.timecount += 1.0;
            expected_.picture = picture();
            // Now and then the frame is drawn again by the reference renderer from what the
            // user set: the frame shows the clock value of its tick and the current set-up.
            if (framesDrawn % 97 == 1) {
                ++framesCompared;
                sound::Hagen hagen{};
                for (std::size_t i = 0; i < 20; ++i)
                    sound::fieldOf(hagen, sound::kSourceFields[i]) = expected_.values[i];
                for (sound::THagen& source : hagen)
                    source.speed = expected_.speed;
                platform::PixelCanvas reference;
                sound::renderFrame(reference, hagen, clock,
                                   sound::View{expected_.theta, expected_.phi}, inputs);
                EXPECT_TRUE(std::equal(expected_.picture.begin(), expected_.picture.end(),
                                       reference.bits()))
                    << "the frame of clock " << clock << " differs from the reference";
            }
        } else {
            expected_.timecount = -100000.0;
        }
        if (expected_.options[10]) // single frames
            expected_.running = false;
    }

    void fireTicks(int count) {
        note("fire " + std::to_string(count) + " tick(s)");
        for (int i = 0; i < count; ++i)
            tick();
    }

    void clickSourceButton() {
        const std::size_t row = std::size_t(uniform(0, 19));
        platform::HeadlessInputBox& box = *window_.input;
        box.answers.clear();
        box.asked.clear();
        const int kind = uniform(0, 9);
        std::optional<IntegerText> answer;
        if (kind > 0) // else Cancel
            answer = typedAnswer();
        box.answers.push_back(answer ? std::optional(answer->text) : std::nullopt);
        // The animation goes on behind the open box, with the values as they stand.
        const bool tickBehind = expected_.running && chance(0.5);
        box.whileOpen = [this, tickBehind] {
            if (tickBehind)
                tick();
        };
        note("click source button " + std::to_string(row + 1) + ", answer " +
             (answer ? "\"" + answer->text + "\"" : std::string("Cancel")) +
             (tickBehind ? ", one tick behind the box" : ""));
        window_.form->sourceButtons()[row]->press();
        box.whileOpen = nullptr;
        ++entries;
        ASSERT_EQ(box.asked.size(), 1u);
        EXPECT_EQ(box.asked[0].caption, "入力");
        EXPECT_EQ(box.asked[0].prompt, std::string(sound::kSourceFields[row].prompt));
        if (answer && answer->value) {
            expected_.values[row] = *answer->value;
            expected_.captions[row] = prefix(row) + answer->text;
        }
    }

    void clickOption() {
        const std::size_t i = std::size_t(uniform(0, 10));
        platform::Control* button = optionButtons()[i];
        note("click " + button->name());
        if (i < 3) {
            static_cast<platform::RadioButton*>(button)->select();
            expected_.options[0] = expected_.options[1] = expected_.options[2] = false;
            expected_.options[i] = true;
        } else {
            static_cast<platform::CheckBox*>(button)->toggle();
            expected_.options[i] = !expected_.options[i];
        }
    }

    void pressKeyOnSlider() {
        const std::size_t i = std::size_t(uniform(0, 5));
        platform::TrackBar* slider = sliders()[i];
        struct Key {
            platform::Key key;
            const char* name;
        };
        using platform::Key::Down, platform::Key::End, platform::Key::Home, platform::Key::Left,
            platform::Key::PageDown, platform::Key::PageUp, platform::Key::Right, platform::Key::Up;
        static const std::vector<Key> keys = {
            {Up, "Up"},          {Down, "Down"},          {Left, "Left"}, {Right, "Right"},
            {PageUp, "Page Up"}, {PageDown, "Page Down"}, {Home, "Home"}, {End, "End"}};
        const Key& key = pick(keys);
        note("key " + std::string(key.name) + " on " + slider->name());
        EXPECT_TRUE(slider->keyPress(key.key));
        int& position = expected_.sliders[i];
        switch (key.key) {
        case Up:
        case Left:
            position -= slider->lineStep();
            break;
        case Down:
        case Right:
            position += slider->lineStep();
            break;
        case PageUp:
            position -= slider->pageStep();
            break;
        case PageDown:
            position += slider->pageStep();
            break;
        case Home:
            position = slider->min();
            break;
        default:
            position = slider->max();
        }
        position = std::clamp(position, slider->min(), slider->max());
        sliderHandlerRan(i);
    }

    // A click on a slider's track: on the thumb it only lets go of it again, elsewhere it
    // moves the thumb by a page towards the click. Either way the slider's handler runs.
    void clickOnSlider() {
        const std::size_t i = std::size_t(uniform(0, 5));
        platform::TrackBar* slider = sliders()[i];
        const int where = uniform(-1, 1);
        note("click on " + slider->name() +
             (where < 0   ? " above"
              : where > 0 ? " below"
                          : "'s thumb"));
        if (where == 0)
            slider->release();
        else
            slider->moveTo(slider->position() + where * slider->pageStep());
        expected_.sliders[i] = std::clamp(expected_.sliders[i] + where * slider->pageStep(),
                                          slider->min(), slider->max());
        sliderHandlerRan(i);
    }

    // Drags a slider's thumb to somewhere on its track, passing another place, and lets go.
    void dragSlider() {
        const std::size_t i = std::size_t(uniform(0, 5));
        platform::TrackBar* slider = sliders()[i];
        const int passing = uniform(slider->min(), slider->max());
        const int to = uniform(slider->min(), slider->max());
        note("drag " + slider->name() + " over " + std::to_string(passing) + " to " +
             std::to_string(to));
        slider->moveTo(passing);
        slider->moveTo(to);
        slider->release();
        expected_.sliders[i] = to;
        sliderHandlerRan(i);
    }

    // Chooses an item of the File menu the way the user does; while the animation runs the
    // menu cannot be opened, and an item chosen anyway does nothing. True when it ran.
    bool chooseFromFileMenu(platform::MenuItem& item) {
        EXPECT_EQ(window_.form->FileF1.enabled(), !expected_.running)
            << "the File menu opens exactly while stopped";
        const std::size_t dialogsBefore =
            window_.openDialog->offered.size() + window_.saveDialog->offered.size();
        item.choose();
        const bool ran =
            window_.openDialog->offered.size() + window_.saveDialog->offered.size() > dialogsBefore;
        EXPECT_EQ(ran, !expected_.running);
        return ran;
    }

    std::string randomName() {
        static const std::vector<std::string> names = {"a",         "b.okd",   "c.OKD", "d.okd.okd",
                                                       "波源.okd",  "e f.okd", "dir",   "dir.okd",
                                                       "sub/x.okd", "g.txt",   ".okd",  "hh"};
        return pick(names);
    }

    void openFromMenu() {
        note(expected_.running ? "try File > Open while running" : "File > Open");
        std::optional<std::string> answer;
        OpenOutcome outcome;
        const int kind = uniform(0, 9);
        if (kind == 0) {
            note("  cancel the dialog");
        } else if (kind <= 3 && !known_.empty()) {
            // A file this run saved or wrote before.
            auto it = known_.begin();
            std::advance(it, uniform(0, int(known_.size()) - 1));
            answer = it->first;
            outcome = it->second;
        } else if (kind == 4) {
            // A folder, or a name with no file: nothing happens, without a word.
            answer = folder_ + (chance(0.5) ? "/dir.okd" : "/missing.okd");
        } else {
            answer = folder_ + "/r" + std::to_string(uniform(0, 20)) + ".okd";
            outcome = writeRandomFile(*answer);
            known_[*answer] = outcome;
        }
        if (answer)
            note("  open " + *answer);
        window_.openDialog->answers.clear();
        window_.openDialog->answers.push_back(answer);
        if (!chooseFromFileMenu(window_.form->OpenO1))
            return;
        ++opens;
        if (outcome.setup)
            applyFile(*outcome.setup);
        if (outcome.error) {
            const std::vector<std::string>& shown = window_.errors->shown;
            if (outcome.error->empty()) {
                // Random bytes: the message quotes them, made readable.
                ASSERT_EQ(shown.size(), expected_.errors.size() + 1);
                const std::string& text = shown.back();
                EXPECT_EQ(text.substr(0, 1), "'");
                EXPECT_NE(text.find("' は整数ではありません."), std::string::npos) << text;
                expected_.errors.push_back(text);
            } else {
                expected_.errors.push_back(*outcome.error);
            }
        }
    }

    void saveFromMenu() {
        note(expected_.running ? "try File > Save while running" : "File > Save");
        std::optional<std::string> answer;
        if (uniform(0, 9) > 0)
            answer = folder_ + "/" + randomName();
        note("  save as " + (answer ? *answer : std::string("(cancel)")));
        window_.saveDialog->answers.clear();
        window_.saveDialog->answers.push_back(answer);
        if (!chooseFromFileMenu(window_.form->SaveS1))
            return;
        ++saves;
        if (!answer)
            return;
        const std::string name = answer->ends_with(".okd") ? *answer : *answer + ".okd";
        EXPECT_EQ(window_.saveDialog->fileName(), name);
        if (name.ends_with("/dir.okd") || name.find("/sub/") != std::string::npos) {
            expected_.errors.push_back("ファイル " + name + " を作成できません.");
            return;
        }
        // The file holds the set-up as the controls show it, one decimal value a line.
        FileSetup setup;
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < 6; ++i) {
            setup.sliders[i] = expected_.sliders[i];
            lines.push_back(std::to_string(setup.sliders[i]));
        }
        for (std::size_t i = 0; i < 11; ++i) {
            setup.options[i] = expected_.options[i];
            lines.push_back(setup.options[i] ? "-1" : "0");
        }
        for (std::size_t i = 0; i < 20; ++i) {
            setup.values[i] = std::int32_t(expected_.values[i]);
            setup.texts[i] = std::to_string(setup.values[i]);
            lines.push_back(setup.texts[i]);
        }
        std::ifstream file(name, std::ios::binary);
        ASSERT_TRUE(file.good()) << name;
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}),
                  testsupport::joinLines(lines, "\r\n"));
        known_[name] = OpenOutcome{setup, std::nullopt};
    }

    // --- Checks ---

    void checkEverything() {
        const TForm1& w = *window_.form;
        const WindowState now = windowState(w);
        EXPECT_EQ(now.interval != 0, expected_.running) << "running";
        EXPECT_EQ(window_.timer->ticking, expected_.running) << "ticks come exactly while running";
        EXPECT_EQ(now.fileMenuEnabled, !expected_.running) << "File menu enabled while stopped";
        if (expected_.running) {
            EXPECT_EQ(now.interval, w.fpschanger.position()) << "the interval follows 処理";
        }
        EXPECT_EQ(now.sliders, expected_.sliders);
        EXPECT_EQ(now.options, expected_.options);
        EXPECT_LE(int(now.options[0]) + int(now.options[1]) + int(now.options[2]), 1);
        for (std::size_t i = 0; i < 20; ++i) {
            EXPECT_EQ(now.captions[i], expected_.captions[i])
                << "caption of button " << i + 1 << " shows the last accepted text";
            EXPECT_EQ(sound::fieldOf(sound::hagen, sound::kSourceFields[i]), expected_.values[i])
                << "value of button " << i + 1;
        }
        for (const sound::THagen& source : sound::hagen)
            EXPECT_EQ(source.speed, expected_.speed) << "every source has the speed of 波速";
        EXPECT_EQ(now.theta, expected_.theta);
        EXPECT_EQ(now.phi, expected_.phi);
        EXPECT_EQ(now.timecount, expected_.timecount) << "the clock moves only with frames";
        EXPECT_TRUE(picture() == expected_.picture) << "the picture changes only with frames";
        EXPECT_EQ(window_.errors->shown, expected_.errors);
        errorsShown = int(window_.errors->shown.size());
    }

    std::uint64_t seed_;
    std::mt19937_64 random_;
    std::string folder_;
    ScriptedWindow window_;
    Expected expected_;
    std::map<std::string, OpenOutcome> known_; // files written so far and what opening them does
    std::deque<std::string> log_;
};

TEST(RandomUse, EveryActionKeepsWhatTheUserReliesOn) {
    const std::uint64_t seed = environmentNumber("ONDULIX_RANDOM_SEED", kDefaultSeed);
    const int actions = int(environmentNumber("ONDULIX_RANDOM_ACTIONS", kDefaultActions));
    std::printf("random use: seed %llu, %d actions (replay with ONDULIX_RANDOM_SEED=%llu)\n",
                static_cast<unsigned long long>(seed), actions,
                static_cast<unsigned long long>(seed));
    testsupport::TempFolder folder;
    RandomUser user(seed, folder);
    user.run(actions);
    std::printf("random use: %d actions (%d while running), %d ticks, %d frames (%d compared "
                "with the reference), %d entries, %d opens, %d saves, %d error messages\n",
                user.actionsRun, user.actionsWhileRunning, user.ticksFired, user.framesDrawn,
                user.framesCompared, user.entries, user.opens, user.saves, user.errorsShown);
    EXPECT_EQ(user.actionsRun, actions);
}

} // namespace
