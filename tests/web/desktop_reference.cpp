// What the desktop program does for the browser tests to compare against: the real window on
// the headless backend, driven through its controls as a user drives it, with the desktop's
// own file layer.
//
//   desktop_reference save OUT [--open FILE] [--enter BUTTON TEXT]...
//       opens FILE with File > Open, types each TEXT into the input box of a source button,
//       and saves with File > Save under the name OUT: the bytes the desktop writes.
//   desktop_reference open FILE
//       opens FILE with File > Open and prints the text of each error box it shows, one
//       per line.
#include "button.h"
#include "headless_backend.h"
#include "tform1.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage() {
    std::fputs("usage: desktop_reference save OUT [--open FILE] [--enter BUTTON TEXT]...\n"
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

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3)
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
    if (command != "save")
        return usage();
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--open") == 0 && i + 1 < argc) {
            open(backend, form, argv[++i]);
        } else if (std::strcmp(argv[i], "--enter") == 0 && i + 2 < argc) {
            auto* button = dynamic_cast<platform::Button*>(form.find(argv[i + 1]));
            if (button == nullptr)
                return usage();
            backend.inputBox->answers.push_back(std::string(argv[i + 2]));
            button->press();
            i += 2;
        } else {
            return usage();
        }
    }
    save(backend, form, argv[2]);
    if (!backend.errorBox->shown.empty()) {
        std::fprintf(stderr, "desktop_reference: %s\n", backend.errorBox->shown.front().c_str());
        return 1;
    }
    return 0;
}
