#!/usr/bin/env bash
# Checks that every folder under src/ includes only headers of its own layer
# and the layers below it. Usage: check-layering.sh <src-folder>
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"

# layer -> the folders it may include (itself included).
declare -A allowed=(
  [platform/vb]="platform/vb"
  [platform/win]="platform/vb platform/win"
  [platform/gfx]="platform/vb platform/win platform/gfx"
  [platform/host]="platform/vb platform/win platform/gfx platform/host"
  [platform/controls]="platform/vb platform/win platform/gfx platform/host platform/controls"
  [platform/ado]="platform/vb platform/ado"
  [diag]="platform/vb platform/win platform/gfx platform/host diag"
  [platform/grid]="platform/vb platform/win platform/gfx platform/host platform/controls platform/ado platform/grid"
)
system="platform/vb platform/win platform/gfx platform/host platform/controls platform/ado platform/grid diag data control entry dropdown"
for layer in data control entry dropdown; do allowed[$layer]="$system"; done

status=0
for layer in "${!allowed[@]}"; do
  [ -d "$src/$layer" ] || continue
  while IFS= read -r line; do
    file="${line%%:*}"
    inc="$(sed -E 's/.*#include[[:space:]]+"([^"]+)".*/\1/' <<<"${line#*:}")"
    dir="$(dirname "$inc")"
    case "$inc" in pendrel/*) continue ;; esac
    ok=0
    for a in ${allowed[$layer]}; do
      if [ "$dir" = "$a" ]; then ok=1; fi
    done
    if [ "$ok" = 0 ]; then
      echo "layering: $file includes \"$inc\", above its layer $layer"
      status=1
    fi
  done < <(grep -H -E '^[[:space:]]*#include[[:space:]]+"[^"]+/[^"]+"' "$src/$layer"/*.h "$src/$layer"/*.cpp 2>/dev/null || true)
done
if [ "$status" = 0 ]; then echo "layering: ok"; fi
exit $status
