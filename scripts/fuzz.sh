#!/usr/bin/env bash
# Builds the fuzz targets with clang++ in build-fuzz/ and runs each one for a bounded time
# (default 20 seconds; pass another number of seconds per target as the first argument).
# Each run starts from a copy of the seed corpus, so the committed seeds never grow. Fails
# when any target crashes, leaks, times out or trips a sanitizer; the input that did it is
# kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-20}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds-per-target]" >&2
    exit 2
fi

cxx="$(command -v clang++ || command -v clang++-14 || true)"
if [[ -z "$cxx" ]]; then
    echo "clang++ is needed for libFuzzer" >&2
    exit 2
fi

cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)"

# A settings file or a link may hold lines longer than the part of a line the reader keeps (400
# bytes), so those targets get inputs large enough to reach that path.
declare -A max_len=([integer_text]=4096 [option_text]=4096 [settings_file]=4096 [setup_link]=4096)

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

mkdir -p build-fuzz/artifacts build-fuzz/logs
status=0
summary=()
for target in integer_text option_text settings_file setup_link; do
    work="build-fuzz/corpus/$target"
    rm -rf "$work"
    mkdir -p "$work"
    cp fuzz/corpus/"$target"/* "$work"/
    log="build-fuzz/logs/$target.log"
    echo "== fuzz_$target: ${seconds}s"
    if build-fuzz/fuzz_"$target" "$work" \
        -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" >"$log" 2>&1; then
        result="ok"
    else
        result="FAILED (see $log)"
        status=1
        tail -n 40 "$log" >&2
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    per_second="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
    summary+=("$(printf '%-14s %12s executions %9s/s  %s' "$target" "${runs:-?}" "${per_second:-?}" "$result")")
done

echo
printf '%s\n' "${summary[@]}"
exit "$status"
