// Checks that the browser build's way of waiting and its C++ exceptions work together: a call
// that waits with emscripten_sleep (as a handler waits for the page's input box) lets the page
// run other work meanwhile, keeps its own stack data, and an exception thrown after the wait is
// caught by its own try. Run with Node.js; exits 0 when all holds.
#include <cstdio>
#include <cstring>
#include <emscripten.h>
#include <stdexcept>

namespace {

// Counted by a JavaScript timer while the call below waits.
int otherWork = 0;

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void doOtherWork() {
    ++otherWork;
}

int main() {
    EM_ASM({
        globalThis.workTimer = setInterval(
            function() { Module._doOtherWork(); }, 1);
    });
    const char kept[] = "kept across the wait";
    char local[sizeof kept];
    std::memcpy(local, kept, sizeof kept);
    bool caught = false;
    try {
        for (int i = 0; i < 20 && otherWork < 5; ++i)
            emscripten_sleep(10);
        throw std::runtime_error(local);
    } catch (const std::runtime_error& e) {
        caught = std::strcmp(e.what(), kept) == 0;
    }
    EM_ASM({ clearInterval(globalThis.workTimer); });
    std::printf("other work during the wait: %d calls; exception after the wait %s\n", otherWork,
                caught ? "caught" : "NOT caught");
    return caught && otherWork >= 5 ? 0 : 1;
}
