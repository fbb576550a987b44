#!/usr/bin/env bash
# Installs what the browser tests and benchmarks need that is missing: Debian's Chromium and
# npm, then playwright-core from the committed package-lock.json (npm ci, only when
# node_modules does not hold the locked version yet). No browser is downloaded by npm:
# playwright-core drives /usr/bin/chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

# Some Node.js packages bring npm along; Debian's own comes as a package of its own.
npm=()
command -v npm >/dev/null || npm=(npm)
bash scripts/install-missing.sh chromium nodejs "${npm[@]}"

if [ ! -f node_modules/.package-lock.json ] || ! cmp -s <(node -e \
    "console.log(require('./package-lock.json').packages['node_modules/playwright-core'].version)") \
    <(node -e "console.log(require('./node_modules/.package-lock.json').packages['node_modules/playwright-core'].version)" 2>/dev/null); then
    npm ci --no-audit --no-fund
fi
