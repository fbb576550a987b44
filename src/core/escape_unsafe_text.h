#pragma once

#include <string>
#include <string_view>

namespace sound {

// A message made safe to show, in the error box and on a terminal: it may quote a settings
// line or a file name, and a shared file could otherwise colour the terminal, set its title,
// overwrite the line with a carriage return, break the quoted line into fake sentences, hide
// characters, or show the message backwards. Control characters (C0, DEL and C1), the line and
// paragraph separators, Unicode's format characters (invisible ones such as the zero-width
// space, the byte-order mark and the tag characters, and the marks, embeddings, overrides and
// isolates that reorder text), and bytes that are not UTF-8 are shown as visible escapes:
// "\r", "\n", "\t", "\x1b" for a byte, "\u202e" for a character of the first 65536 and
// "\U000e0041" for one beyond. A backslash is shown doubled, so that every escape reads one
// way. Everything else stays as it is, Japanese text included. The result is UTF-8 without a
// control character.
std::string escapeUnsafeText(std::string_view message);

// The line a command prints on standard error for a failure: "COMMAND: " and the message
// escaped as above, then a line break. Both commands print every error this way.
std::string commandErrorLine(std::string_view command, std::string_view message);

} // namespace sound
