#pragma once

#include "settings_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace sound {

// A set-up as the fragment of a page's address, the part after "#": "okd=" and the 37 values
// exactly as Save writes them, separated by commas. It is short, readable, the same on every
// edition, and never reaches a server.
std::string setupFragment(const StoredSetup& setup);

// Reads such a fragment, made by setupFragment or by hand. Nothing when it does not start with
// "okd=": it is another page's anchor, not a set-up. Otherwise the values, split at the commas
// and each with its percent escapes decoded (a browser or a hand-made link may write a blank
// as "%20" and "$" as "%24"; a "%" without two hexadecimal digits after it stays as it is),
// are read by readSettings as the lines of a file, each ending with a line break: the
// byte-order mark before the first is skipped and a CR ("%0D") at a value's end belongs to
// the break, as in a saved file; fewer than 37 values read as a file that ends early, and
// values past the 37th are ignored. An escaped LF ("%0A") stays in its value, which no
// conversion accepts.
std::optional<SettingsReadResult> readSetupFragment(std::string_view fragment);

} // namespace sound
