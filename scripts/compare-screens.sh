#!/usr/bin/env bash
# Shows the real window of two builds under Xvfb in the same four situations and compares the
# screens pixel for pixel: at start-up, with the File menu open, with an input box open, and
# after ten single-frame steps of a four-source set-up. Run it after any change to a backend
# or the layout:
#
#     bash scripts/compare-screens.sh [BASE-REVISION]    (default: HEAD)
#
# The base revision is built in build-screens/base-build from a worktree in
# build-screens/base-src, the working tree in build/. The screens are kept in build-screens/{base,work}/ for a look; the command
# fails when any of them differs.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
base_rev="${1:-HEAD}"

bash scripts/install-missing.sh xvfb xauth xdotool imagemagick

out="$root/build-screens"
mkdir -p "$out"

# The base build: a worktree of the revision, built beside the working tree's build. It keeps
# its place so that its build tree can be reused.
base_tree="$out/base-src"
git worktree remove --force "$base_tree" >/dev/null 2>&1 || rm -rf "$base_tree"
git worktree prune
trap 'git -C "$root" worktree remove --force "$base_tree" >/dev/null 2>&1 || true' EXIT
git worktree add --detach -q "$base_tree" "$base_rev"
cmake -S "$base_tree" -B "$out/base-build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/base-build" --target ondulix-k -j"$(nproc)" >/dev/null
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target ondulix-k -j"$(nproc)" >/dev/null

# A four-source set-up stepped one frame per press (line 17, single frame, on) with the
# shortest tick, written here so that edits to examples/ do not change the screens.
setup="$out/four-sources.okd"
printf '%s\r\n' 60 25 20 20 30 20 0 -1 0 -1 -1 -1 -1 0 0 0 -1 \
    -120 -120 2000 12 0 120 -120 2000 12 90 -120 120 2000 12 180 120 120 2000 12 270 >"$setup"

# Runs one build's program and takes the four screens into $2.
shoot() {
    local program="$1" dir="$2"
    rm -rf "$dir"
    mkdir -p "$dir/home"
    HOME="$dir/home" xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$root/scripts/screens-session.sh" "$program" "$dir" "$setup"
}

shoot "$out/base-build/src/app/ondulix-k" "$out/base"
shoot "$root/build/src/app/ondulix-k" "$out/work"

status=0
for shot in startup file-menu input-box ten-frames; do
    # A screen with a blinking text cursor is taken four times over more than a blink: it
    # matches when each of its pictures equals one of the other build's.
    for a in "$out/work/$shot"*.png; do
        matched=no
        for b in "$out/base/$shot"*.png; do
            if [ "$(compare -metric AE "$a" "$b" null: 2>&1 || true)" = "0" ]; then
                matched=yes
                break
            fi
        done
        if [ "$matched" = yes ]; then
            echo "same:      $(basename "$a")"
        else
            echo "DIFFERENT: $(basename "$a")"
            status=1
        fi
    done
done
exit "$status"
