#include "file_filter.h"

namespace platform {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return parts;
        text.remove_prefix(end + 1);
    }
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Glob matching with "*" and "?", letters without regard to case.
bool globMatches(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, starAt = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resume = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

FileFilter FileFilter::parse(std::string_view text) {
    FileFilter filter;
    const std::vector<std::string_view> parts = split(text, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        Kind kind{std::string(parts[i]), {}};
        for (std::string_view pattern : split(parts[i + 1], ';'))
            if (!pattern.empty())
                kind.patterns.emplace_back(pattern);
        filter.kinds.push_back(std::move(kind));
    }
    return filter;
}

bool FileFilter::matches(std::string_view fileName) const {
    const std::size_t slash = fileName.find_last_of('/');
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    for (const Kind& kind : kinds)
        for (const std::string& pattern : kind.patterns)
            if (globMatches(pattern, fileName))
                return true;
    return false;
}

std::vector<std::string> FileFilter::extensions() const {
    std::vector<std::string> found;
    for (const Kind& kind : kinds)
        for (const std::string& pattern : kind.patterns)
            if (pattern.starts_with("*.") && pattern.size() > 2 &&
                pattern.find_first_of("*?", 2) == std::string::npos)
                found.push_back(pattern.substr(1));
    return found;
}

} // namespace platform
