#pragma once

#include <stdexcept>
#include <string>

namespace render {

// A reason the export cannot go on, worded for the one line the command prints.
class RenderError : public std::runtime_error {
public:
    explicit RenderError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace render
