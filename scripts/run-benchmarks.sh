#!/usr/bin/env bash
# Runs every benchmark program of a build folder, then the peer comparisons, which are
# given the build folder to time our side in the same run.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
for program in "$build"/bench/*/bench_*; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" --benchmark_min_time=0.2
done
for peer in "$here"/../bench/*/peer_*.py; do
  [ -f "$peer" ] || continue
  echo "== $(basename "$peer")"
  python3 "$peer" "$build"
done
