#!/usr/bin/env bash
# Builds the browser edition and runs its tests in Chromium, Firefox ESR and WebKit against the
# desktop's build in build/ (ondulix-k-render draws the expected frames, desktop_reference saves
# the expected files). scripts/test.sh runs it; it installs what it needs itself. WebKit's
# MiniBrowser runs on an Xvfb server that the tests start themselves (tests/web/webkit.mjs).
#     web-test.sh [ENGINE,...]    (default: chromium,firefox,webkit)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --tests ondulix-k-render desktop_reference
bash scripts/web.sh
bash scripts/browser-deps.sh
ONDULIX_ENGINES="${1:-${ONDULIX_ENGINES:-chromium,firefox,webkit}}" npm test
