#pragma once

#include "control.h"

#include <string>
#include <vector>

namespace platform {

// A list of lines, in the order they were added.
class ListBox final : public Control {
public:
    ListBox(Form& form, std::string_view name) : Control(form, ControlKind::ListBox, name) {}

    const std::vector<std::string>& items() const { return items_; }
    void clear();
    void add(std::string line);

    // Every line followed by CR LF, the last one too: the lines as a text file holds them.
    std::string text() const;

private:
    std::vector<std::string> items_;
};

} // namespace platform
