#pragma once

namespace platform {

// The keys whose meaning the program's controls decide themselves, whatever the toolkit calls
// them. Every other key is the toolkit's business (Tab, letters, access keys).
enum class Key { Up, Down, Left, Right, PageUp, PageDown, Home, End, Space, Enter, Other };

} // namespace platform
