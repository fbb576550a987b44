#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The kinds of file a dialog offers, written as description and pattern pairs joined by "|",
// several patterns of one kind joined by ";": "Ondulix-Kデータ[*.okd]|*.okd".
struct FileFilter {
    struct Kind {
        std::string description;
        std::vector<std::string> patterns; // "*.okd"
    };
    std::vector<Kind> kinds;

    static FileFilter parse(std::string_view text);

    // Whether a file's name (its last part) matches a pattern of the filter: "*" stands for
    // any run of characters and "?" for one; letters match without regard to case, as file
    // managers match extensions.
    bool matches(std::string_view fileName) const;
    // The extensions the patterns name ("*.okd" gives ".okd"), for a chooser that takes only
    // extensions; patterns of another form are left out.
    std::vector<std::string> extensions() const;
};

} // namespace platform
