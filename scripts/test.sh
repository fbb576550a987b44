#!/usr/bin/env bash
# Builds everything and runs every test, headless: first in the release tree, then the browser
# edition's tests in Chromium, Firefox ESR and WebKit, then again in a tree built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --tests
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --no-tests=error -j"$(nproc)"

# The browser edition, built with Emscripten and tested in three browser engines against the
# release tree's program.
bash scripts/web-test.sh

# Every sanitizer report must fail its test: AddressSanitizer and LeakSanitizer end the program
# with a non-zero code, and undefined behaviour aborts (the tree is built without recovery).
# Leak checking stays on: Qt's offscreen platform leaves no leaks of its own to suppress.
# The options are set before building because test discovery runs the test programs.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONDULIX_SANITIZE=ON -DONDULIX_TESTS=ON \
    >/dev/null
cmake --build build-asan -j"$(nproc)"
# The random-use run is several times slower here, so it takes fewer actions.
ONDULIX_RANDOM_ACTIONS=3000 ctest --test-dir build-asan --output-on-failure --no-tests=error \
    -j"$(nproc)"

# Each fuzz target runs briefly from the seed corpus; a crash or failed property fails the run.
bash scripts/fuzz.sh 20
