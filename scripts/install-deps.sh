#!/usr/bin/env bash
# Installs the Debian 12 packages that building and running the program need; with --tests
# also the tools that testing, fuzzing and measuring need (GoogleTest, clang, Xvfb, gettext). Only
# the packages that are missing are installed, so a prepared machine goes on at once.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev libgif-dev libpng-dev
    fonts-noto-cjk
)
case "${1:-}" in
"") ;;
--tests) packages+=(libgtest-dev clang libclang-rt-14-dev xvfb xauth gettext) ;;
*)
    echo "usage: $0 [--tests]" >&2
    exit 2
    ;;
esac

bash "$(dirname "$0")/install-missing.sh" "${packages[@]}"
