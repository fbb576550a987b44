#!/usr/bin/env bash
# Builds the release tree and the browser edition, prints the time per frame, then the frames
# per second the real window holds (under Xvfb when there is no display), then the same two
# for the page, with the browser's CPU, in Chromium, Firefox ESR and WebKit.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
bash scripts/build.sh frame_bench window_fps
bash scripts/web.sh >/dev/null
bash scripts/browser-deps.sh >/dev/null
frames=$(build/bench/frame_bench)
echo "$frames"
if [ -n "${DISPLAY:-}" ]; then
    build/bench/window_fps
else
    xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/window_fps
fi
# The browser edition in each engine, its largest frame against the native one above.
native=$(echo "$frames" | awk '/^frame n=50:/ { print $3 }')
node bench/web_speed.mjs "$native"
