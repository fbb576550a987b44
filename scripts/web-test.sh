#!/usr/bin/env bash
# Runs the browser edition's tests in headless browsers against the desktop's build in build/
# (ondulix-k-render draws the expected frames, desktop_reference saves the expected files). It
# installs what it needs itself.
#   bash scripts/web-test.sh           builds the page and those two first
#   bash scripts/web-test.sh --built   takes build/ and build-web/ as they are (scripts/test.sh
#                                      has just built them)
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
"")
    bash scripts/build.sh --tests ondulix-k-render desktop_reference
    bash scripts/web.sh ondulix-k wait_check
    ;;
--built) ;;
*)
    echo "usage: $0 [--built]" >&2
    exit 2
    ;;
esac
bash scripts/browser-deps.sh

# Node runs each test file in a process of its own, this many at a time; the tests mostly
# wait for a browser, so two a core. Each engine the page is tested in gets test files of its
# own, so that the engines run side by side; what a browser needs installed goes into
# scripts/browser-deps.sh.
node --test --test-concurrency="${ONDULIX_WEB_TEST_JOBS:-$((2 * $(nproc)))}" tests/web/
