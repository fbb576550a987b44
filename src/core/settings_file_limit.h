#pragma once

#include "translation.h"

#include <cstdint>

namespace sound {

// A settings file is 37 short lines; even one written by hand with long lines stays far below
// this. Every edition refuses a larger file before reading any of it, so that a huge or endless
// file can neither freeze the window nor fill its memory.
inline constexpr std::uint64_t kSettingsFileLimit = 16 * 1024 * 1024;

// The message for a file over the limit, naming it: "ファイルが大きすぎます (16 MiB まで)".
inline constexpr const char* kSettingsFileTooLarge = N_("ファイルが大きすぎます (16 MiB まで)");

} // namespace sound
