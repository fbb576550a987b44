#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace sound {

// Reads a whole number the way every input box and settings line takes it: leading ASCII
// blanks, then either an optional sign and decimal digits or one of the prefixes "$", "x",
// "X", "0x", "0X" and at most eight significant hexadecimal digits read as a signed 32-bit
// pattern; nothing may follow. Returns no value for any other text.
std::optional<std::int32_t> parseInteger(std::string_view text);

} // namespace sound
