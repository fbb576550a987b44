// A set-up from elsewhere than the File menu: a link in a page's address, a file dropped on
// the window or named on the command line; and the link of the current set-up.
#include "backend.h"
#include "modal_depth.h"
#include "setup_link.h"
#include "tform1.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

bool sameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

// A file-name pattern of "*" (any run of characters) and "?" (any one byte), letter case
// aside, as a file manager matches a dialog's filter.
bool matchesPattern(std::string_view pattern, std::string_view name) {
    if (pattern.empty())
        return name.empty();
    if (pattern.front() == '*') {
        for (std::size_t skipped = 0; skipped <= name.size(); ++skipped)
            if (matchesPattern(pattern.substr(1), name.substr(skipped)))
                return true;
        return false;
    }
    return !name.empty() && (pattern.front() == '?' || sameLetter(pattern.front(), name.front())) &&
           matchesPattern(pattern.substr(1), name.substr(1));
}

// Whether the file's own name, without its folder, matches a pattern of the dialog's filter:
// description and patterns alternate, joined by "|", and one entry may hold several patterns
// joined by ";".
bool matchesFilter(std::string_view filter, std::string_view path) {
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    bool isPattern = false;
    for (std::size_t start = 0; start <= filter.size(); isPattern = !isPattern) {
        const std::size_t end = std::min(filter.find('|', start), filter.size());
        std::string_view patterns = filter.substr(start, end - start);
        start = end + 1;
        if (!isPattern)
            continue;
        for (std::size_t from = 0; from <= patterns.size();) {
            const std::size_t to = std::min(patterns.find(';', from), patterns.size());
            if (matchesPattern(patterns.substr(from, to - from), name))
                return true;
            from = to + 1;
        }
    }
    return false;
}

} // namespace

void TForm1::openSetupLink(const std::string& fragment) {
    dispatch([&] {
        if (const auto result = sound::readSetupFragment(fragment))
            applyReadSetup(*result);
    });
}

std::string TForm1::setupLink() const {
    return sound::setupFragment(currentSetup());
}

void TForm1::tellChangedSetup() {
    sound::StoredSetup now = currentSetup();
    if (now == toldSetup_)
        return;
    toldSetup_ = std::move(now);
    backend_.showSetupLink(sound::setupFragment(toldSetup_));
}

bool TForm1::canTakeDrop(std::size_t files) const {
    return files == 1 && OpenO1.takesInput() && platform::ModalDepth::current() == 0;
}

bool TForm1::canTakeDrop(const std::vector<std::string>& paths) const {
    return canTakeDrop(paths.size()) && matchesFilter(OpenDialog1->filter(), paths.front()) &&
           settingsStorage_->isRegularFile(paths.front());
}

void TForm1::dropFiles(const std::vector<std::string>& paths) {
    if (!canTakeDrop(paths))
        return;
    dispatch([&] {
        OpenDialog1->setFileName(paths.front());
        openDialogFileName();
    });
}

void TForm1::openFileArgument(const std::string& path) {
    dispatch([&] {
        OpenDialog1->setFileName(path);
        openSettingsFile(path);
    });
}
