#!/usr/bin/env bash
# Runs the benchmarks (release build) and prints one table: each figure, the
# baseline it is measured against in the same run, their ratio, the goal and
# whether it is met. Usage: scripts/bench.sh [--10m] [extra benchmark flags]
#   --10m  also the ten-million-row cases (their table takes a few minutes to
#          make, once; it is kept in $TMPDIR/pendrel-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--10m" ]; then
  export PENDREL_BENCH_10M=1
  shift
fi
cmake --preset release >/dev/null
cmake --build --preset release --target pendrel-bench >/dev/null
# Kept after the run: the table can be printed again from it.
out=build/release/bench/last-run.json
./build/release/bench/pendrel-bench --benchmark_repetitions=5 --benchmark_min_time=0.2 \
  --benchmark_out="$out" --benchmark_out_format=json "$@" >/dev/null
python3 scripts/bench-table.py "$out"
echo "(all figures: $out)"
