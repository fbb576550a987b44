#!/usr/bin/env bash
# Installs what the browser tests and benchmarks need that is missing: Debian's Chromium and
# npm, then playwright-core from the committed package-lock.json (npm ci, only when
# node_modules does not hold the locked version yet). No browser is downloaded by npm:
# playwright-core drives /usr/bin/chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(chromium nodejs)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Some Node.js packages bring npm along; Debian's own comes as a package of its own.
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ ! -f node_modules/.package-lock.json ] || ! cmp -s <(node -e \
    "console.log(require('./package-lock.json').packages['node_modules/playwright-core'].version)") \
    <(node -e "console.log(require('./node_modules/.package-lock.json').packages['node_modules/playwright-core'].version)" 2>/dev/null); then
    npm ci --no-audit --no-fund
fi
