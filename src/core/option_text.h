#pragma once

#include <optional>
#include <string_view>

namespace sound {

// Reads a check box state from a settings line: a decimal number (true when not zero) or
// "True" / "False" in any letter case. Returns no value for any other text.
std::optional<bool> parseOption(std::string_view text);

} // namespace sound
