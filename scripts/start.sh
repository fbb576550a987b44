#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: run it under Xvfb with: xvfb-run -a bash scripts/start.sh" >&2
    exit 1
fi
exec build/src/app/ondulix-k
