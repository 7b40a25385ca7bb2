#!/usr/bin/env bash
# Runs every benchmark program of the build folder given (default build/).
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b"
done
