#!/usr/bin/env bash
# Checks that every folder under src/ includes only headers of its own folder
# and of the folders it stands on, and that the public headers under
# include/pendrel/ are reached only where they may be.
# Usage: check-layering.sh <src-folder>
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"

# folder -> the folders it may include (itself included). A folder that is
# not listed here fails the check: every folder says what it stands on.
declare -A allowed=(
  [platform/vb]="platform/vb"
  [platform/win]="platform/vb platform/win"
  [platform/gfx]="platform/vb platform/win platform/gfx"
  [platform/host]="platform/vb platform/win platform/gfx platform/host"
  [platform/present]="platform/vb platform/win platform/gfx platform/host platform/present"
  [platform/controls]="platform/vb platform/win platform/gfx platform/host platform/controls"
  [platform/ado]="platform/vb platform/ado"
  [platform/grid]="platform/vb platform/win platform/gfx platform/host platform/controls platform/ado platform/grid"
  [diag]="platform/vb platform/win platform/gfx platform/host diag"
  [data]="platform/vb platform/win platform/gfx platform/host platform/controls platform/ado platform/grid diag data"
  [dropdown]="platform/vb platform/win platform/gfx platform/host platform/controls platform/ado platform/grid diag dropdown"
  [morvex]="platform/vb platform/win platform/gfx platform/host platform/controls platform/ado platform/grid diag data dropdown morvex"
)
# The public headers each folder may include: the data-source object's and
# the type library's from data, every one of them from morvex.
declare -A public=(
  [data]="pendrel/clsDataSource.h pendrel/TypeLibrary.h"
  [morvex]="*"
)

status=0
while IFS= read -r dir; do
  layer="${dir#"$src"/}"
  if [ -z "${allowed[$layer]+x}" ]; then
    echo "layering: folder $layer is not in the list of layers"
    status=1
    continue
  fi
  while IFS= read -r line; do
    file="${line%%:*}"
    inc="$(sed -E 's/.*#include[[:space:]]+"([^"]+)".*/\1/' <<<"${line#*:}")"
    ok=0
    case "$inc" in
      pendrel/*)
        read -r -a patterns <<<"${public[$layer]:-}"
        for p in "${patterns[@]}"; do
          # shellcheck disable=SC2053 # a pattern, matched as one
          [[ "$inc" == $p ]] && ok=1
        done
        ;;
      *)
        for a in ${allowed[$layer]}; do
          [ "$(dirname "$inc")" = "$a" ] && ok=1
        done
        ;;
    esac
    if [ "$ok" = 0 ]; then
      echo "layering: $file includes \"$inc\", which folder $layer does not stand on"
      status=1
    fi
  done < <(grep -H -E '^[[:space:]]*#include[[:space:]]+"[^"]+/[^"]+"' "$dir"/*.h "$dir"/*.cpp 2>/dev/null || true)
done < <(find "$src" -name '*.cpp' -o -name '*.h' | xargs -n1 dirname | sort -u)
if [ "$status" = 0 ]; then echo "layering: ok"; fi
exit $status
