#!/usr/bin/env bash
# Builds the release tree and prints the time per frame.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build/bench/frame_bench
