#!/usr/bin/env bash
# The demo in a real window on a virtual X display (Xvfb): xdotool clicks the
# first control's drop-down button, types two letters and presses Enter, as a
# person would. The window's screenshot (ImageMagick import) must equal, pixel
# for pixel, the picture the demo writes without a window for the same input
# as a script (docs/Scripts.md), and the event pane must show the key and
# update events the input raised.
# Usage: check-live-demo.sh [build tree]   (default build/debug; it must
# hold apps/pendrel-demo). The pictures stay in <build tree>/live-check.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/debug}"
if [ -z "${PENDREL_UNDER_XVFB:-}" ]; then
  # A 24-bit screen: the default of xvfb-run has 8 bits per pixel.
  exec env PENDREL_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build"
fi
demo="$build/apps/pendrel-demo"
out="$build/live-check"
rm -rf "$out" && mkdir -p "$out"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT

# 1. Without a window: the same input as a script, and its picture.
cat >"$out/script.txt" <<SCRIPT
click cboPlace.button
type ro
key Enter
wait-idle
snapshot $out/expected.png
SCRIPT
"$demo" --png "$out" --script "$out/script.txt" >"$out/headless.txt"

# 2. The window, the pointer away from it, until it says it is ready.
xdotool mousemove 0 0
"$demo" --out "$out" >"$out/live.txt" 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  grep -q '^  ready$' "$out/live.txt" && break
  kill -0 "$pid" 2>/dev/null || { cat "$out/live.txt"; echo "live-demo: the demo ended"; exit 1; }
  sleep 0.2
done
window=$(timeout 20 xdotool search --sync --name '^Pendrel demo$' | head -n1)
read -r x y < <(awk '$1 == "point:" && $2 == "cboPlace.button" { print $3, $4 }' "$out/live.txt")

# 3. A person's input.
xdotool mousemove --window "$window" "$x" "$y" click 1
xdotool type --delay 30 ro
xdotool key Return

# 4. The screen settles on the expected picture.
difference=unknown
for _ in $(seq 1 40); do
  import -window "$window" "$out/screenshot.png"
  difference=$(compare -metric AE "$out/screenshot.png" "$out/expected.png" "$out/diff.png" 2>&1 || true)
  [ "$difference" = 0 ] && break
  sleep 0.25
done
if [ "$difference" != 0 ]; then
  echo "live-demo: the window differs from the picture in $difference pixels ($out/diff.png)"
  exit 1
fi

# 5. The event pane: what the window showed is the picture, whose pane lists
# what the headless run printed; the live run printed the same events.
status=0
for event in KeyDown KeyPress KeyUp BeforeUpdate AfterUpdate; do
  for run in headless live; do
    grep -q "event: *cboPlace $event" "$out/$run.txt" || {
      echo "live-demo: no $event in the $run run"
      status=1
    }
  done
done
grep -v ' Paint$' "$out/live.txt" | grep 'event:' >"$out/live-events.txt" || true
grep -v ' Paint$' "$out/headless.txt" | grep 'event:' >"$out/headless-events.txt" || true
if ! diff -u "$out/headless-events.txt" "$out/live-events.txt"; then
  echo "live-demo: the window raised other events than the script"
  status=1
fi
[ "$status" = 0 ] && echo "live-demo: the window equals the picture, pixel for pixel; events: $(wc -l <"$out/live-events.txt")"
exit $status
