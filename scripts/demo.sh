#!/usr/bin/env bash
# Installs what Pendrel needs, builds the release preset and runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
./build/release/apps/pendrel-demo --out build/demo "$@"
