#pragma once

#include "key.h"

namespace platform {

// Tells the page the DOM's names of the keys the program's controls know (KeyboardEvent.key),
// so that the page hands each key on as the program's own code.
void defineWebKeys();

// A key code from the page as the program's key.
Key webKey(int code);

} // namespace platform
