#pragma once

// The settings file that Save writes right after start-up, and variants of it, for the
// tests of the reader, the window's Open and Save, and the picture command.

#include <map>
#include <string>
#include <vector>

namespace testsupport {

// The 37 lines of the start-up file, without line breaks.
inline std::vector<std::string> startupLines() {
    std::vector<std::string> lines = {"-30", "30", "20", "20", "20", "200", "0", "-1", "0",
                                      "-1",  "-1", "-1", "-1", "0",  "0",   "0", "0"};
    lines.resize(37, "0");
    return lines;
}

// The lines with some of them replaced; lines are numbered from 1.
inline std::vector<std::string> withLines(std::vector<std::string> lines,
                                          const std::map<int, std::string>& changes) {
    for (const auto& [number, text] : changes)
        lines[std::size_t(number - 1)] = text;
    return lines;
}

// The start-up file with some lines replaced.
inline std::vector<std::string> startupWith(const std::map<int, std::string>& changes) {
    return withLines(startupLines(), changes);
}

// The lines as file text, each followed by `lineBreak` (the last one only if `finalBreak`).
inline std::string joinLines(const std::vector<std::string>& lines, const std::string& lineBreak,
                             bool finalBreak = true) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || finalBreak)
            text += lineBreak;
    }
    return text;
}

} // namespace testsupport
