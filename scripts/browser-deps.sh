#!/usr/bin/env bash
# Installs what the browser tests and benchmarks need that is missing: Debian's Chromium,
# Firefox ESR, WebKitGTK's WebDriver (which brings its MiniBrowser), Xvfb and xauth for WebKit's
# display, and npm; then playwright-core and puppeteer-core from the committed
# package-lock.json (npm ci, only when node_modules does not hold the locked versions yet).
# npm downloads no browser: the drivers use the machine's.
set -euo pipefail
cd "$(dirname "$0")/.."

# Some Node.js packages bring npm along; Debian's own comes as a package of its own.
npm=()
command -v npm >/dev/null || npm=(npm)
bash scripts/install-missing.sh chromium firefox-esr webkit2gtk-driver xvfb xauth nodejs "${npm[@]}"

locked() { # lock file -> "name version" of each package it holds
    node -e "const p = require('./$1').packages; for (const k in p) if (k) console.log(k, p[k].version)" 2>/dev/null
}
if [ ! -f node_modules/.package-lock.json ] ||
    ! cmp -s <(locked package-lock.json) <(locked node_modules/.package-lock.json); then
    npm ci --no-audit --no-fund
fi
