#!/usr/bin/env bash
# Builds everything and runs every test, headless, and ends with the seconds each phase took.
#   bash scripts/test.sh           the release tree, the browser edition's tests in Chromium,
#                                  Firefox ESR and WebKit, the tree built with AddressSanitizer
#                                  and UndefinedBehaviorSanitizer, and each fuzz target briefly
#                                  (CI runs this)
#   bash scripts/test.sh --quick   the release tree and the browser edition's tests only
set -euo pipefail
cd "$(dirname "$0")/.."

quick=""
case "${1:-}" in
"") ;;
--quick) quick=1 ;;
*)
    echo "usage: $0 [--quick]" >&2
    exit 2
    ;;
esac

source scripts/phases.sh
jobs="$(nproc)"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export QT_QPA_PLATFORM=offscreen

# The browser edition compiles beside the release tree: their compilers fill each other's
# waits (links, the page's last step on one core).
phase_begin "browser edition: build" bash scripts/web.sh ondulix-k wait_check
phase "release tree: configure + build" bash scripts/build.sh --tests
phase "release tree: ctest" ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"
phase_end "browser edition: build"

# The page against the release tree's own ondulix-k-render and desktop_reference.
phase "browser tests" bash scripts/web-test.sh --built

[ -n "$quick" ] && exit 0

# Every sanitizer report must fail its test: AddressSanitizer and LeakSanitizer end the program
# with a non-zero code, and undefined behaviour aborts (the tree is built without recovery).
# Leak checking stays on: Qt's offscreen platform leaves no leaks of its own to suppress.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The fuzz targets run one at a time, each on one core, beside the sanitizer tree.
phase_begin "fuzz targets: build + 12 s each" bash scripts/fuzz.sh 12
phase "sanitizer tree: configure + build" bash -c 'cmake -S . -B build-asan \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONDULIX_SANITIZE=ON -DONDULIX_TESTS=ON >/dev/null &&
    cmake --build build-asan -j"$1"' -- "$jobs"
# The random-use run is several times slower here and alone decides how long this phase takes,
# so it takes fewer actions: the release tree plays twenty thousand.
phase "sanitizer tree: ctest" env ONDULIX_RANDOM_ACTIONS=1500 \
    ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"

phase_end "fuzz targets: build + 12 s each"
