#!/usr/bin/env bash
# The failure loops at full length, for a long run by hand or at night;
# .ci/run runs each of them briefly. Usage: scripts/soak.sh [FUZZ-SECONDS]
#
#   - every numbered step of every trapped procedure failing once, with
#     each number its procedure treats apart (the morvex tests' StepFaults)
#   - every allocation of the embedded database failing, once and for good
#   - every provider call site failing
#   - 20000 random UI sequences (PENDREL_UI_SEQUENCES to change)
#   - each fuzz target for FUZZ-SECONDS (default 600) under the sanitizers
#
# The PostgreSQL sites need a server: one is started when PENDREL_PG is not
# set, as scripts/test.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds="${1:-600}"

cmake --preset debug >/dev/null
cmake --build --preset debug --target pendrel_morvex_tests pendrel_loops_tests
if [ -z "${PENDREL_PG:-}" ]; then
  pgdir="$(mktemp -d /tmp/pendrel-pg-XXXXXX)"
  trap 'bash scripts/pg-test-server.sh stop "$pgdir"' EXIT
  eval "$(bash scripts/pg-test-server.sh start "$pgdir")"
  export PENDREL_PG
fi
export PENDREL_REQUIRE_PG=1 PENDREL_LOOP_STRIDE=1
export PENDREL_UI_SEQUENCES="${PENDREL_UI_SEQUENCES:-20000}"
build/debug/tests/pendrel_morvex_tests --gtest_filter='StepFaults.*'
build/debug/tests/pendrel_loops_tests
bash scripts/fuzz.sh "$fuzz_seconds"
