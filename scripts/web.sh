#!/usr/bin/env bash
# Builds the browser edition in build-web/ with Debian's Emscripten, installing it (and what
# it needs) first when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-missing.sh emscripten node-acorn nodejs cmake make

# Debian's Emscripten runs its JavaScript tools with the machine's Node.js, which finds
# Debian's acorn only here.
export NODE_PATH=/usr/share/nodejs
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null 2>&1 || emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release
cmake --build build-web -j"$(nproc)"
# Waiting and exceptions must work together, or the page's boxes would break.
node build-web/tests/web/wait_check.js
echo "build-web/ondulix-k.html: $(stat -c %s build-web/ondulix-k.html) bytes"
