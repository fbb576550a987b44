#pragma once

#include <emscripten.h>

namespace platform {

// Lets the page go on (timer ticks, the user typing into a box) until `done()` holds. The call
// that waits is paused by Asyncify and resumed from the page's event loop, which is how the
// browser waits for a modal box without freezing the page. Asyncify keeps one paused call at
// a time: the page delivers no other input that could wait while one waits, and timer ticks,
// which go on meanwhile, never wait.
template <class Done> void waitUntil(Done done) {
    // Short enough that an answer seems immediate, long enough to leave the page idle.
    constexpr int kPollMilliseconds = 10;
    while (!done())
        emscripten_sleep(kPollMilliseconds);
}

} // namespace platform
