#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehavior-
# Sanitizer) in build-fuzz/ and runs each for FUZZ_SECONDS seconds (default
# 60) from its seeds in fuzz/corpus/<target>. FUZZ_TARGETS picks some targets
# by name. Inputs that reach new code go to build-fuzz/corpus/<target>, so the
# seeds in the repository stay small; an input that crashes, leaks, hangs or
# trips a sanitizer is kept in build-fuzz/crashes/ and fails the run. The run
# counts are printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-$(cd fuzz && ls ./*_fuzzer.cpp | sed 's|^\./||; s|\.cpp$||')}

launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$root
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSOLVANE_FUZZ=ON -DSOLVANE_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "${JOBS:-$(nproc)}" --target fuzzers

# Leaks are checked after every input. The quarantine of freed memory that
# catches late uses is kept small: the inputs are small, and at its default
# size it alone makes a run hold some 500 MB. Every allocation keeps only
# the allocator and its caller (as scripts/lsan.supp expects): a longer
# stack, unwound through the libraries built without frame pointers, comes
# out different almost every time, and the sanitizer keeps each one for the
# life of the process, some 30 MB a minute.
export ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=32:malloc_context_size=2
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/crashes
summary=()
status=0
for target in $targets; do
    mkdir -p "build-fuzz/corpus/$target"
    log=build-fuzz/$target.log
    echo "== $target: $seconds s"
    if "build-fuzz/fuzz/$target" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/crashes/$target-" >"$log" 2>&1; then
        result=ok
    else
        result=FALHOU
        status=1
        tail -40 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -1)
    summary+=("$target: $result, ${runs:-?} runs, peak ${rss:-?} MB")
done
printf '%s\n' "${summary[@]}"
exit $status
