#pragma once

#include <string>
#include <string_view>

namespace sound {

// The text the error box shows for an error message: the message as escapeUnsafeText shows
// it, since it may quote a line of a shared file, with a "." appended when that text is not
// empty and its last byte, taken as unsigned, is greater than '.'. A sentence that already
// ends in punctuation, a blank or a bracket thus keeps its end, while one ending in a letter,
// a digit, an escape or a Japanese character gets its full stop; every byte of a multi-byte
// character is above '.', so the rule needs no decoding.
std::string errorBoxText(std::string_view message);

} // namespace sound
