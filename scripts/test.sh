#!/usr/bin/env bash
# Builds the tests and runs them. Usage: scripts/test.sh [preset]   (default: debug)
#
# The PostgreSQL tests need a server: when PENDREL_PG is not set, a private
# server is started for this run (scripts/pg-test-server.sh) and stopped after.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-debug}"

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"

if [ -z "${PENDREL_PG:-}" ] && [ -f scripts/pg-test-server.sh ]; then
  pgdir="$(mktemp -d /tmp/pendrel-pg-XXXXXX)"
  trap 'bash scripts/pg-test-server.sh stop "$pgdir"' EXIT
  eval "$(bash scripts/pg-test-server.sh start "$pgdir")"
  export PENDREL_PG
  export PENDREL_REQUIRE_PG=1
fi

ctest --preset "$preset" -j "$(nproc)"
