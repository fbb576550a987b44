#!/usr/bin/env bash
# Starts the program. Without a display it says so before anything else; otherwise it
# installs whatever building and running still need and builds the program alone, which on
# a prepared machine with nothing changed takes a moment, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: run it on a desktop, or under Xvfb with: xvfb-run -a bash scripts/start.sh" >&2
    if ! command -v xvfb-run >/dev/null; then
        echo "(xvfb-run comes with the Debian packages xvfb and xauth)" >&2
    fi
    exit 1
fi
bash scripts/build.sh ondulix-k
exec build/src/app/ondulix-k
