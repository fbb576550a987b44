#!/usr/bin/env bash
# Builds the release tree in build/: everything, or only the targets named.
#   bash scripts/build.sh [--tests] [TARGET...]
# With --tests the tree holds the tests, and their tools are installed first; without it
# the tests are built only when GoogleTest is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

tests=""
if [ "${1:-}" = "--tests" ]; then
    tests="--tests"
    shift
fi
bash scripts/install-deps.sh $tests

# Configuring takes seconds even when nothing changed, so it runs only for a new tree or
# one that must now hold the tests; the build configures again by itself when a
# CMakeLists.txt has changed.
options=(-DCMAKE_BUILD_TYPE=Release)
[ -n "$tests" ] && options+=(-DONDULIX_TESTS=ON)
if [ ! -f build/CMakeCache.txt ] ||
    { [ -n "$tests" ] && ! grep -q '^ONDULIX_TESTS:BOOL=ON' build/CMakeCache.txt; }; then
    cmake -S . -B build "${options[@]}" >/dev/null
elif [ $# -gt 0 ] && [ -n "$(find CMakeLists.txt cmake src tests bench fuzz \
    \( -name CMakeLists.txt -o -name '*.cmake' \) -newer build/Makefile -print -quit)" ]; then
    # make learns of a target added since the last configuring only after it has run the
    # targets it was asked for, so a target added by a pull would be "no rule to make".
    cmake build >/dev/null
fi

targets=()
for target in "$@"; do
    targets+=(--target "$target")
done
cmake --build build -j"$(nproc)" "${targets[@]}"
