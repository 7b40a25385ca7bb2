#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/ and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSOLVANE_SANITIZE=ON -DSOLVANE_BENCHMARKS=OFF
cmake --build build-sanitize -j "$(nproc)"
cd build-sanitize
# Qt's own start-up leaks a little on purpose; the leak checker is off so
# reports point at our code.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$(nproc)"
