#!/usr/bin/env bash
# Installs what Pendrel needs, builds the release preset and runs the demo:
# the order form in a window when there is a display, otherwise (and in
# continuous integration) the scripted run that writes pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
demo=./build/release/apps/pendrel-demo
if [ "$#" -eq 0 ] && [ -n "${CI:-}" ]; then
  set -- --png build/demo
fi
"$demo" --out build/demo "$@"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [[ " $* " == *" --png "* ]]; then
  echo
  echo "The pictures are in build/demo. For the form in a window, run this on a"
  echo "machine with a display, or on a virtual one with a script of input:"
  echo "  xvfb-run -s '-screen 0 1280x1024x24' $demo --script data/order.script"
fi
