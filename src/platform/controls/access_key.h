#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// A caption as written in the layout, "File(&F)": "&" marks the next character as the access
// key, which is shown underlined, and "&&" stands for "&" itself.
struct AccessKeyCaption {
    std::string text;                           // what is shown, without the marks
    std::size_t underlined = std::string::npos; // byte offset of the access key in `text`
    char key = 0;                               // the access key, upper case; 0 for none
};

AccessKeyCaption parseAccessKey(std::string_view caption);

} // namespace platform
