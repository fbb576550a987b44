// What the desktop program does for the browser tests to compare against: the real window on
// the headless backend, driven through its forms and controls as a user drives it, with the
// desktop's own file layer.
//
//   desktop_reference save OUT [ACTION]...
//       does each ACTION, then saves with File > Save under the name OUT: the bytes the
//       desktop writes.
//   desktop_reference open FILE
//       opens FILE with File > Open and prints the text of each error box it shows, one
//       per line.
//   desktop_reference play [FILE]
//       plays the user's actions read one a line from stdin (tests/web/random_actions.mjs
//       writes them) and prints the window's state after each, one JSON line, as the page's
//       run reads it from the page (tests/web/differential.test.mjs). File > Open opens FILE,
//       or is cancelled without one.
// ACTION is
//   --open FILE           File > Open of FILE
#include "button.h"
#include "check_box.h"
#include "headless_backend.h"
#include "input_box.h"
#include "menu.h"
#include "save_by_name.h"
#include "sound.h"
#include "tform1.h"
#include "track_bar.h"
#include "translation.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

int usage() {
    std::fputs("usage: desktop_reference save OUT [ACTION]...\n"
               "       desktop_reference open FILE\n"
               "       desktop_reference play [FILE]\n",
               stderr);
    return 2;
}

void open(platform::HeadlessBackend& backend, TForm1& form, const std::string& file) {
    backend.openDialog->answers.push_back(file);
    form.OpenO1.choose();
}

void save(platform::HeadlessBackend& backend, TForm1& form, const std::string& file) {
    backend.saveDialog->answers.push_back(file);
    form.SaveS1.choose();
}

std::optional<platform::KeyStroke> keyNamed(std::string name) {
    platform::KeyStroke stroke;
    if (name.starts_with("Shift+")) {
        stroke.shift = true;
        name.erase(0, 6);
    } else if (name.starts_with("Alt+")) {
        stroke.alt = true;
        name.erase(0, 4);
    }
    using platform::Key;
    static const std::map<std::string, Key> kKeys = {
        {"Tab", Key::Tab},        {"Space", Key::Space},      {"Enter", Key::Enter},
        {"Escape", Key::Escape},  {"ArrowUp", Key::Up},       {"ArrowDown", Key::Down},
        {"ArrowLeft", Key::Left}, {"ArrowRight", Key::Right}, {"Home", Key::Home},
        {"End", Key::End},        {"PageUp", Key::PageUp},    {"PageDown", Key::PageDown},
        {"F10", Key::F10},        {"Alt", Key::Alt}};
    if (const auto found = kKeys.find(name); found != kKeys.end()) {
        stroke.key = found->second;
    } else if (name.size() == 1) {
        stroke.key = Key::Letter;
        stroke.letter = name[0];
    } else {
        return std::nullopt;
    }
    return stroke;
}

// Does the action at args[i], moving i past its arguments; false for an unknown one.
bool act(platform::HeadlessBackend& backend, TForm1& form, int argc, char* argv[], int& i) {
    if (std::strcmp(argv[i], "--open") != 0 || i + 1 >= argc)
        return false;
    open(backend, form, argv[++i]);
    return true;
}

// --- The random-use run's player ---

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += {'\\', c};
        else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
            out += escaped;
        } else
            out += c;
    }
    return out + '"';
}

// Plays actions on the real window as a backend delivers the user's input: each goes to the
// entry point the toolkit's event reaches, and pointer input reaches only a form that takes
// input, as a modal box covers the window. Boxes stay open across actions: the box's run plays
// the following lines until one of them closes it, as the toolkit's nested event loop does.
// Pointer places along a track bar are the page's (tests/web/differential.test.mjs): a thumb
// kThumb pixels long, the rest of the bar the fractions, whole pixels.
class Player {
public:
    Player(platform::HeadlessBackend& backend, TForm1& form, std::filesystem::path folder,
           std::optional<std::string> offered)
        : backend_(backend), form_(form), folder_(std::move(folder)) {
        backend_.openDialog->whileOpen = [this, offered] {
            backend_.openDialog->answers.push_back(offered);
        };
        backend_.errorBox->whileOpen = [this] {
            const platform::Form* box = platform::Form::keyTarget(form_);
            print();
            loop(box);
        };
    }

    // Plays lines until the input ends or `box` (nothing: the window) closes. The state after
    // the line that closes a box is printed once the handler that opened it has ended.
    void loop(const platform::Form* box) {
        std::string line;
        while (box == nullptr || box->isOpen()) {
            if (!std::getline(std::cin, line)) {
                ended_ = true;
                return;
            }
            perform(line);
            if (box != nullptr && !box->isOpen())
                return;
            print();
        }
    }

private:
    static constexpr int kThumb = 11;

    void perform(const std::string& line) {
        if (backend_.quitRequested)
            return;
        backend_.inputBox->user = [this](platform::InputBox& box) {
            print();
            loop(&box);
        };
        std::istringstream in(line);
        std::string kind, name;
        in >> kind;
        platform::Form* target = platform::Form::keyTarget(form_);
        if (kind == "key") {
            in >> name;
            keys(name);
        } else if (kind == "type") {
            std::string text;
            // The text follows the one blank after the action's name, blanks of its own kept.
            in.get();
            std::getline(in, text);
            if (target != nullptr && dynamic_cast<platform::Edit*>(target->focused()) != nullptr)
                for (std::size_t i = 0; i < text.size();) {
                    std::size_t next = i + 1;
                    while (next < text.size() &&
                           (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
                        ++next;
                    typeCharacter(text.substr(i, next - i));
                    i = next;
                }
        } else if (kind == "button") {
            in >> name;
            auto* button = target != nullptr && target != &form_
                               ? dynamic_cast<platform::Button*>(target->find(name))
                               : nullptr;
            if (button != nullptr && button->takesInput()) {
                button->focusedByUser();
                button->press();
            }
        } else if (target == &form_) {
            in >> name;
            pointer(kind, form_.find(name), in);
        }
    }

    // A press of the pointer on a control of the window, and what follows it.
    void pointer(const std::string& kind, platform::Control* control, std::istream& in) {
        if (control == nullptr)
            return;
        platform::MenuBar* bar = form_.menuBar();
        if (bar != nullptr && kind != "wheel")
            bar->pointerPressed(control);
        if (auto* menu = dynamic_cast<platform::Menu*>(control)) {
            menu->titlePressed();
            return;
        }
        if (auto* item = dynamic_cast<platform::MenuItem*>(control)) {
            if (item->menu() != nullptr && item->menu()->isOpen()) {
                item->pointerEntered();
                item->choose();
            }
            return;
        }
        auto* track = dynamic_cast<platform::TrackBar*>(control);
        if (kind == "wheel") {
            double dx = 0, dy = 0;
            in >> dx >> dy;
            if (track != nullptr)
                track->wheel(-dy / 100, dx / 100);
            return;
        }
        if (!control->takesFocus() || !control->takesInput())
            return;
        control->focusedByUser();
        if (track != nullptr) {
            double fraction = 0;
            in >> fraction;
            const platform::Rect place = track->place();
            const int span = std::max(1, (track->orientation() == platform::Orientation::Vertical
                                              ? place.height
                                              : place.width) -
                                             kThumb);
            const int thumb = int(std::lround(track->fractionOf(track->position()) * span));
            const int along = int(std::lround(fraction * span)) + kThumb / 2;
            if (kind == "drag") {
                // Taken half a pixel before the thumb's middle, so it keeps that grip.
                if (along != thumb + kThumb / 2)
                    track->moveTo(track->positionAt(double(along - kThumb / 2) / span));
                track->release();
            } else if (along >= thumb && along < thumb + kThumb) {
                track->release();
            } else {
                track->pressTrack(track->positionAt((along - kThumb / 2.0) / span));
            }
        } else if (auto* button = dynamic_cast<platform::Button*>(control)) {
            button->press();
        } else if (auto* check = dynamic_cast<platform::CheckBox*>(control)) {
            check->toggle();
        } else if (auto* radio = dynamic_cast<platform::RadioButton*>(control)) {
            radio->select();
        }
    }

    // One key going down, then up, as a page's events have it: each modifier goes down before
    // it with its own flag set, and comes up after it with its flag clear.
    void keys(const std::string& combo) {
        std::optional<platform::KeyStroke> stroke = keyNamed(combo);
        if (!stroke)
            return;
        using platform::Key;
        const bool held = stroke->alt || stroke->shift;
        platform::KeyStroke modifier{
            .key = stroke->alt ? Key::Alt : Key::Other, .shift = stroke->shift, .alt = stroke->alt};
        if (held)
            key(modifier, true, "");
        const std::string typed = !stroke->plain()             ? ""
                                  : stroke->key == Key::Letter ? std::string(1, stroke->letter)
                                  : stroke->key == Key::Space  ? " "
                                                               : "";
        // Alt alone goes down with its own flag set and comes up with it clear.
        const bool alone = stroke->key == Key::Alt;
        stroke->alt = stroke->alt || alone;
        key(*stroke, true, typed);
        if (alone)
            stroke->alt = false;
        key(*stroke, false, "");
        if (held) {
            modifier.alt = modifier.shift = false;
            key(modifier, false, "");
        }
    }

    // A key the form does not take types `typed` into a focused field, as the toolkit's does.
    void key(const platform::KeyStroke& stroke, bool down, const std::string& typed) {
        platform::Form* target = platform::Form::keyTarget(form_);
        if (target == nullptr)
            return;
        if (!down) {
            target->keyRelease(stroke);
            return;
        }
        auto* field = dynamic_cast<platform::Edit*>(target->focused());
        const bool caretKey = stroke.key >= platform::Key::Up && stroke.key <= platform::Key::End;
        // Where the caret goes is the toolkit's, and differs by browser: not played in a field.
        if (field != nullptr && caretKey)
            return;
        if (!target->keyPress(stroke) && field != nullptr && !typed.empty())
            field->edited(field->allSelected() ? typed : field->text() + typed);
    }

    void typeCharacter(const std::string& c) {
        platform::KeyStroke stroke{.key = platform::Key::Other};
        if (c == " ")
            stroke.key = platform::Key::Space;
        else if (c.size() == 1 && std::isalnum(static_cast<unsigned char>(c[0]))) {
            stroke.key = platform::Key::Letter;
            stroke.letter = char(std::toupper(static_cast<unsigned char>(c[0])));
        }
        key(stroke, true, c);
        key(stroke, false, "");
    }

    void print() {
        if (ended_)
            return;
        // A single frame is drawn at the timer's next tick.
        while (backend_.timer->ticking && form_.ch_koma.checked())
            backend_.timer->fire();
        std::string out = "{\"setup\":" + jsonText(backend_.lastSetupLink);
        const platform::Form* target = platform::Form::keyTarget(form_);
        if (const auto* box = dynamic_cast<const platform::InputBox*>(target))
            out += ",\"box\":{\"kind\":\"input\",\"caption\":" + jsonText(box->title()) +
                   ",\"prompt\":" + jsonText(box->prompt.caption()) +
                   ",\"text\":" + jsonText(box->field.text()) + "}";
        else if (const auto* error = dynamic_cast<const platform::ErrorBox*>(target))
            out += ",\"box\":{\"kind\":\"error\",\"caption\":" + jsonText(error->title()) +
                   ",\"prompt\":" + jsonText(error->message.caption()) + "}";
        const platform::Menu& menu = form_.FileF1;
        out += std::string(",\"menu\":{\"open\":") + (menu.isOpen() ? "true" : "false") +
               ",\"item\":" +
               jsonText(menu.isOpen() && menu.highlighted() ? menu.highlighted()->name() : "") +
               ",\"armed\":" + (form_.MainMenu1.armedMenu() != nullptr ? "true" : "false") + "}";
        const platform::Control* focus = target != nullptr ? target->focused() : nullptr;
        out += ",\"focus\":" + jsonText(focus == nullptr   ? ""
                                        : target == &form_ ? focus->name()
                                                           : "box." + focus->name());
        out += std::string(",\"running\":") + (form_.FileF1.enabled() ? "false" : "true");
        if (sound::timecount != clock_) {
            clock_ = sound::timecount;
            const platform::PixelCanvas& canvas = form_.graph.canvas();
            const auto* bytes = reinterpret_cast<const unsigned char*>(canvas.bits());
            std::uint32_t hash = 2166136261u;
            for (std::size_t i = 0; i < std::size_t(canvas.width()) * canvas.height() * 4; ++i)
                hash = (hash ^ bytes[i]) * 16777619u;
            out += ",\"frame\":" + std::to_string(hash);
        }
        for (const auto& file : std::filesystem::directory_iterator(folder_)) {
            if (!file.is_regular_file())
                continue;
            std::ifstream in(file.path(), std::ios::binary);
            out += ",\"saved\":" + jsonText(file.path().filename().string() + "\n" +
                                            std::string(std::istreambuf_iterator<char>(in), {}));
            std::filesystem::remove(file.path());
        }
        if (backend_.quitRequested)
            out += ",\"ended\":true";
        std::printf("%s}\n", out.c_str());
        std::fflush(stdout);
    }

    platform::HeadlessBackend& backend_;
    TForm1& form_;
    std::filesystem::path folder_;
    double clock_ = 0;
    bool ended_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    platform::HeadlessBackend backend;
    // File > Save as the page has it, so that both ask for the name alike.
    TForm1Services services;
    if (command == "play")
        services.saveDialog = std::make_unique<platform::SaveByNameDialog>(backend);
    TForm1 form(backend, std::move(services));
    if (command == "open" && argc == 3) {
        open(backend, form, argv[2]);
        for (const std::string& text : backend.errorBox->shown)
            std::printf("%s\n", text.c_str());
        return 0;
    }
    if (command == "play" && argc <= 3) {
        const std::optional<std::string> offered =
            argc == 3 ? std::optional<std::string>(std::filesystem::absolute(argv[2]).string())
                      : std::nullopt;
        // Saved files land in a folder of their own, whatever name the user types.
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("ondulix-play-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        Player(backend, form, folder, offered).loop(nullptr);
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        std::filesystem::remove_all(folder);
        return 0;
    }
    if (command != "save" || argc < 3)
        return usage();
    for (int i = 3; i < argc; ++i)
        if (!act(backend, form, argc, argv, i))
            return usage();
    save(backend, form, argv[2]);
    if (!backend.errorBox->shown.empty()) {
        std::fprintf(stderr, "desktop_reference: %s\n", backend.errorBox->shown.front().c_str());
        return 1;
    }
    return 0;
}
