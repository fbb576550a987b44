#pragma once

#include "web_page.h"

namespace platform {

// Lets the page go on (timer ticks, the user typing into a box) until `done()` holds. The call
// that waits is paused by Asyncify and woken by the page from the event that brought the
// answer, once that event has been handled, so the handler goes on before the page takes the
// next input. Asyncify keeps one paused call at a time: the forms refuse input to what a box
// covers, so nothing else that could wait starts meanwhile, and timer ticks never wait.
template <class Done> void waitUntil(Done done) {
    while (!done())
        web_page_wait_for_answer();
}

} // namespace platform
