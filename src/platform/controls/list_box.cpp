#include "list_box.h"

#include <utility>

namespace platform {

void ListBox::clear() {
    items_.clear();
    changed();
}

void ListBox::add(std::string line) {
    items_.push_back(std::move(line));
    changed();
}

std::string ListBox::text() const {
    std::string text;
    for (const std::string& line : items_)
        text += line + "\r\n";
    return text;
}

} // namespace platform
