#!/usr/bin/env bash
# Draws the pixel renderer's differential states and 60 ticks of each example natively and in
# WebAssembly (under Node.js), and reports how many frames and pixels differ between the two,
# for the window's renderer and for the reference. Builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target frame_hashes -j"$(nproc)" >/dev/null
bash scripts/web.sh >/dev/null

native=build/tests/web/frame_hashes
web=build-web/tests/web/frame_hashes.js
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$native" --write-states "$work/states" examples/*.okd
"$native" "$work/states" >"$work/native"
start=$(date +%s.%N)
node "$web" "$work/states" >"$work/web"
echo "WebAssembly run: $(echo "$(date +%s.%N) - $start" | bc) s for $(wc -l <"$work/states") states"

# Lines: index set fast-hash reference-hash.
paste -d' ' "$work/native" "$work/web" | awk '$3 != $7 || $4 != $8 { print $1 }' >"$work/differing"
mkdir "$work/native-dump" "$work/web-dump"
count_pixels() { # renderer-suffix -> differing pixels per differing frame, "index set pixels"
    while read -r i; do
        echo "$i $(sed -n "$((i + 1))p" "$work/native" | cut -d' ' -f2)" \
            "$("$native" --count "$work/native-dump/$i.$1" "$work/web-dump/$i.$1")"
    done <"$work/differing"
}
if [ -s "$work/differing" ]; then
    # Dump in batches so that an argument list never grows too long.
    split -l 500 "$work/differing" "$work/batch."
    for b in "$work"/batch.*; do
        "$native" "$work/states" --dump "$work/native-dump" $(cat "$b") >/dev/null
        node "$web" "$work/states" --dump "$work/web-dump" $(cat "$b") >/dev/null
    done
fi
for renderer in fast ref; do
    count_pixels "$renderer" >"$work/pixels.$renderer"
    echo "== $([ $renderer = fast ] && echo "window's renderer" || echo reference): frames and pixels that differ, native against WebAssembly"
    awk -v r="$renderer" '{ n[$2]++ } END { for (s in n) print s, n[s] }' "$work/native" | sort |
        while read -r set frames; do
            awk -v s="$set" -v f="$frames" '$2 == s && $3 > 0 { d++; p += $3 } END {
                printf "%-7s %4d frames: %d differ, %d pixels\n", s, f, d, p }' "$work/pixels.$renderer"
        done
done
if [ -n "${KEEP:-}" ]; then
    cp -r "$work" "$KEEP"
    echo "kept in $KEEP"
fi
