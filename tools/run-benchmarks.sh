#!/usr/bin/env bash
# Runs every benchmark program of a build tree and prints its table.
set -euo pipefail
build=${1:-build/linux}
found=0
for b in "$build"/bench/*/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
[ "$found" = 1 ] || { echo "no benchmark programs in $build/bench" >&2; exit 1; }
