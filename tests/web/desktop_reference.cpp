// What the desktop program does for the browser tests to compare against: the real window on
// the headless backend, driven through its forms and controls as a user drives it, with the
// desktop's own file layer.
//
//   desktop_reference save OUT [ACTION]...
//       does each ACTION, then saves with File > Save under the name OUT: the bytes the
//       desktop writes.
//   desktop_reference focus [ACTION]...
//       does each ACTION and prints the name of the control that then has the focus.
//   desktop_reference open FILE
//       opens FILE with File > Open and prints the text of each error box it shows, one
//       per line.
// ACTION is one of
//   --open FILE           File > Open of FILE
//   --enter BUTTON TEXT   a press on a source button, TEXT typed into its input box and OK
//   --focus CONTROL       a click that gives CONTROL the focus
//   --key KEY             a key pressed and let go: Tab, Shift+Tab, Space, Enter, Escape, Up,
//                         Down, F10, Alt (alone), or Alt+LETTER, or LETTER
//   --track BAR min|max   a press on BAR's track at its minimum's or maximum's end
#include "button.h"
#include "headless_backend.h"
#include "menu.h"
#include "tform1.h"
#include "track_bar.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace {

int usage() {
    std::fputs("usage: desktop_reference save OUT [ACTION]...\n"
               "       desktop_reference focus [ACTION]...\n"
               "       desktop_reference open FILE\n",
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
        {"Tab", Key::Tab}, {"Space", Key::Space}, {"Enter", Key::Enter}, {"Escape", Key::Escape},
        {"Up", Key::Up},   {"Down", Key::Down},   {"F10", Key::F10},     {"Alt", Key::Alt}};
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
    const std::string action = argv[i];
    const int left = argc - i - 1;
    if (action == "--open" && left >= 1) {
        open(backend, form, argv[++i]);
    } else if (action == "--enter" && left >= 2) {
        auto* button = dynamic_cast<platform::Button*>(form.find(argv[i + 1]));
        if (button == nullptr)
            return false;
        backend.inputBox->answers.push_back(std::string(argv[i + 2]));
        button->press();
        i += 2;
    } else if (action == "--focus" && left >= 1) {
        platform::Control* control = form.find(argv[++i]);
        if (control == nullptr)
            return false;
        control->focusedByUser();
    } else if (action == "--key" && left >= 1) {
        const std::optional<platform::KeyStroke> stroke = keyNamed(argv[++i]);
        if (!stroke)
            return false;
        platform::Form* target = platform::Form::keyTarget(form);
        target->keyPress(*stroke);
        target->keyRelease(*stroke);
    } else if (action == "--track" && left >= 2) {
        auto* bar = dynamic_cast<platform::TrackBar*>(form.find(argv[i + 1]));
        const std::string end = argv[i + 2];
        if (bar == nullptr || (end != "min" && end != "max"))
            return false;
        bar->pressTrack(end == "min" ? bar->min() : bar->max());
        bar->release();
        i += 2;
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2)
        return usage();
    platform::HeadlessBackend backend;
    TForm1 form(backend);
    const std::string command = argv[1];
    if (command == "open" && argc == 3) {
        open(backend, form, argv[2]);
        for (const std::string& text : backend.errorBox->shown)
            std::printf("%s\n", text.c_str());
        return 0;
    }
    const bool saving = command == "save";
    if (!saving && command != "focus")
        return usage();
    if (saving && argc < 3)
        return usage();
    for (int i = saving ? 3 : 2; i < argc; ++i)
        if (!act(backend, form, argc, argv, i))
            return usage();
    if (!saving) {
        std::printf("%s\n", form.focused() != nullptr ? form.focused()->name().c_str() : "");
        return 0;
    }
    save(backend, form, argv[2]);
    if (!backend.errorBox->shown.empty()) {
        std::fprintf(stderr, "desktop_reference: %s\n", backend.errorBox->shown.front().c_str());
        return 1;
    }
    return 0;
}
