#!/usr/bin/env bash
# Random clicks, keys and text into the program under a virtual display
# (scripts/monkey.py). Usage: scripts/monkey.sh PROGRAM_FOLDER [EVENTS] [SEED].
# A sanitizer build reports leaks at exit with the suppressions of
# scripts/lsan.supp.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
folder=$(cd "$1" && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=2}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}
exec xvfb-run -a -s "-screen 0 1600x1000x24" \
    python3 "$here/monkey.py" --program-folder "$folder" --events "${2:-1000}" --seed "${3:-1}"
