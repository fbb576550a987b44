#pragma once

#include "web_page.h"

namespace platform {

// Lets the page go on (timer ticks, the user typing into a box) until `done()` holds. The call
// that waits is paused by Asyncify and resumed by the page as soon as the box or the file
// chooser is answered, from the event that answers it, so the handler goes on before the page
// takes the next input. Asyncify keeps one paused call at a time: the page delivers no other
// input while one waits, and timer ticks, which go on meanwhile, never wait.
template <class Done> void waitUntil(Done done) {
    while (!done())
        web_page_wait_for_answer();
}

} // namespace platform
