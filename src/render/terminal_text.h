#pragma once

#include <string>
#include <string_view>

namespace render {

// A message made safe to print on a terminal: it may quote a settings line or a file name,
// and a shared file could otherwise colour the terminal, set its title, or overwrite the line
// with a carriage return. Control characters (C0, DEL and C1), the marks, embeddings,
// overrides and isolates that reorder text, and bytes that are not UTF-8 are shown as visible
// escapes: "\r", "\n", "\t", "\x1b" for a byte, "\u202e" for a character. A backslash is shown
// doubled, so that every escape reads one way. Everything else stays as it is, Japanese text
// included.
std::string terminalText(std::string_view message);

} // namespace render
