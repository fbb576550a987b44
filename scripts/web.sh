#!/usr/bin/env bash
# Builds the browser edition in build-web/ with Debian's Emscripten, installing it (and what
# it needs) first when it is missing: everything, or only the targets named. The page,
# ondulix-k, comes with its site folder for a web server (build-web/site/), whose icons the
# machine's compiler and Qt paint.
#   bash scripts/web.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-missing.sh emscripten node-acorn nodejs cmake make build-essential qt6-base-dev

# Debian's Emscripten runs its JavaScript tools with the machine's Node.js, which finds
# Debian's acorn only here.
export NODE_PATH=/usr/share/nodejs
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null 2>&1 || emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release
targets=()
for target in "$@"; do
    targets+=(--target "$target")
    if [ "$target" = ondulix-k ]; then
        targets+=(--target ondulix-k-site)
    fi
done
cmake --build build-web -j"$(nproc)" "${targets[@]}"
# Whether a target was built just now: every one is when none was named.
built() { [ ${#targets[@]} -eq 0 ] || [[ " ${targets[*]} " == *" --target $1 "* ]]; }
# Waiting and exceptions must work together, or the page's boxes would break.
if built wait_check; then
    node build-web/tests/web/wait_check.js
fi
if built ondulix-k; then
    echo "build-web/ondulix-k.html: $(stat -c %s build-web/ondulix-k.html) bytes"
    echo "build-web/site/: $(du -sb build-web/site | cut -f1) bytes in $(find build-web/site -type f | wc -l) files"
fi
