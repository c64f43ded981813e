#!/usr/bin/env bash
# Line and branch coverage of src/ by the whole test suite.
# Usage: scripts/coverage.sh [MINIMUM-LINE-PERCENT]
#
# Builds the coverage preset (gcc --coverage), runs every test (with a
# private PostgreSQL server when PENDREL_PG is not set), prints the
# summary for src/ (branches counted without the exception paths the
# compiler adds) and fails when lines fall below the minimum.
set -euo pipefail
cd "$(dirname "$0")/.."
minimum="${1:-0}"

cmake --preset coverage >/dev/null
cmake --build --preset coverage
find build/coverage -name '*.gcda' -delete
if [ -z "${PENDREL_PG:-}" ]; then
  pgdir="$(mktemp -d /tmp/pendrel-pg-XXXXXX)"
  trap 'bash scripts/pg-test-server.sh stop "$pgdir"' EXIT
  eval "$(bash scripts/pg-test-server.sh start "$pgdir")"
  export PENDREL_PG PENDREL_REQUIRE_PG=1
fi
ctest --preset coverage -j "$(nproc)"

summary="$(gcovr --root . --filter 'src/' --object-directory build/coverage -j "$(nproc)" \
  --exclude-throw-branches --exclude-unreachable-branches --print-summary \
  --txt build/coverage/coverage.txt)"
echo "$summary" | grep -E '^(lines|branches):'
lines="$(echo "$summary" | sed -nE 's/^lines: ([0-9.]+)%.*/\1/p')"
echo "coverage: src/ lines ${lines}% (gate ${minimum}%), per file in build/coverage/coverage.txt"
awk -v l="$lines" -v m="$minimum" 'BEGIN { exit !(l + 0 >= m + 0) }' \
  || { echo "coverage: lines below the gate"; exit 1; }
