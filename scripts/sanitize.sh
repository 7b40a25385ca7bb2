#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/ and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$root
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSOLVANE_SANITIZE=ON -DSOLVANE_BENCHMARKS=OFF "${launcher[@]}"
cmake --build build-sanitize -j "$(nproc)"
cd build-sanitize
# Leaks are checked. Every allocation keeps only the allocator and its
# caller, so scripts/lsan.supp names only what the libraries below the
# program allocate and keep themselves (for the full allocation stack of a
# report, run that test again with malloc_context_size=30).
export ASAN_OPTIONS=detect_leaks=1:malloc_context_size=2
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$(nproc)"
