#include "web_keys.h"

#include "web_page.h"

namespace platform {

namespace {

struct KeyName {
    Key key;
    const char* domKey;
};

// Enter comes as "Enter" from both the main and the number pad's key. Letters and digits are
// not named here: the page hands on the character a key typed and its place, from which
// web_key finds the letter.
constexpr KeyName kKeyNames[] = {
    {Key::Up, "ArrowUp"},       {Key::Down, "ArrowDown"}, {Key::Left, "ArrowLeft"},
    {Key::Right, "ArrowRight"}, {Key::PageUp, "PageUp"},  {Key::PageDown, "PageDown"},
    {Key::Home, "Home"},        {Key::End, "End"},        {Key::Space, " "},
    {Key::Enter, "Enter"},      {Key::Escape, "Escape"},  {Key::Tab, "Tab"},
    {Key::Alt, "Alt"},          {Key::F10, "F10"},        {Key::Other, "(other)"},
};

} // namespace

void defineWebKeys() {
    for (const KeyName& name : kKeyNames)
        web_page_define_key(static_cast<int>(name.key), name.domKey);
}

Key webKey(int code) {
    for (const KeyName& name : kKeyNames)
        if (static_cast<int>(name.key) == code)
            return name.key;
    return Key::Other;
}

} // namespace platform
