#!/usr/bin/env bash
# Builds the browser edition and runs its tests in headless Chromium against the desktop's
# build in build/ (ondulix-k-render draws the expected frames, desktop_reference saves the
# expected files). scripts/test.sh runs it; it installs what it needs itself.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --tests ondulix-k-render desktop_reference
bash scripts/web.sh
bash scripts/browser-deps.sh
npm test
