#!/usr/bin/env bash
# Builds the release tree, prints the time per frame, then the frames per second the real
# window holds (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
bash scripts/build.sh frame_bench window_fps
build/bench/frame_bench
if [ -n "${DISPLAY:-}" ]; then
    build/bench/window_fps
else
    xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/window_fps
fi
