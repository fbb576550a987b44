#!/usr/bin/env bash
# Runs the browser edition's tests in Chromium, Firefox ESR and WebKit against the desktop's
# build in build/ (ondulix-k-render draws the expected frames, desktop_reference saves the
# expected files). It installs what it needs itself. WebKit's MiniBrowser runs on an Xvfb server
# that the tests start themselves (tests/web/webkit.mjs).
#   bash scripts/web-test.sh [ENGINE,...]           builds the page and those two first
#   bash scripts/web-test.sh --built [ENGINE,...]   takes build/ and build-web/ as they are
#                                                   (scripts/test.sh has just built them)
# ENGINE is chromium, firefox or webkit; all three by default.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --built ]; then
    shift
else
    bash scripts/build.sh --tests ondulix-k-render desktop_reference
    bash scripts/web.sh ondulix-k wait_check
fi
case "${1:-}" in
"" | chromium* | firefox* | webkit*) ;;
*)
    echo "usage: $0 [--built] [ENGINE,...]" >&2
    exit 2
    ;;
esac
bash scripts/browser-deps.sh

# Node runs each test file in a process of its own, this many at a time; the tests mostly
# wait for a browser, so two a core. Each process starts the browsers it uses itself, each
# with a fresh profile (and WebKit with an X server of its own), so files share no state.
export ONDULIX_ENGINES="${1:-${ONDULIX_ENGINES:-chromium,firefox,webkit}}"
# A file that never ends (a server or a browser left open, a wait that never returns) ends the
# run after fifteen minutes instead of holding CI until its own limit. Node's own test timeout
# would bound each whole file as well, and the longest files take minutes.
timeout --kill-after=10 900 node --test \
    --test-concurrency="${ONDULIX_WEB_TEST_JOBS:-$((2 * $(nproc)))}" tests/web/
