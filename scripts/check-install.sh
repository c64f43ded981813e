#!/usr/bin/env bash
# Checks the installed library as a host sees it: installs into a temporary
# prefix, compiles every installed header with only that prefix on the
# include path, builds examples/ out of tree against the CMake package and
# again with pkg-config, and runs both programs.
#
# Usage: scripts/check-install.sh [BUILD-TREE]
#   BUILD-TREE  an already configured build tree to install from (it is
#               brought up to date first); default: the release preset's.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
export CXX="${CXX:-g++}"

if [ $# -ge 1 ]; then
  tree="$(cd "$1" && pwd)"
  cmake --build "$tree"
else
  cmake --preset release >/dev/null
  cmake --build --preset release
  tree="$root/build/release"
fi

work="$(mktemp -d /tmp/pendrel-install-XXXXXX)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

echo "check-install: installing $tree into $prefix"
cmake --install "$tree" --prefix "$prefix" >/dev/null
if grep -rIlF -e "$root" -e "$tree" "$prefix"; then
  echo "check-install: the files above name the source or build tree"
  exit 1
fi
pc="$(find "$prefix" -name pendrel.pc)"
PKG_CONFIG_PATH="$(dirname "$pc")${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}"
export PKG_CONFIG_PATH
pkg-config --validate pendrel
read -r -a cflags <<<"$(pkg-config --cflags pendrel)"

echo "check-install: compiling the installed headers, together and one by one"
headers=()
while IFS= read -r h; do headers+=("$h"); done < <(cd "$prefix/include" && find pendrel -name '*.h' | sort)
printf '#include "%s"\n' "${headers[@]}" >"$work/all-headers.cpp"
"$CXX" -fsyntax-only "${cflags[@]}" "$work/all-headers.cpp"
# shellcheck disable=SC2016 # expanded by the inner shell, one header each
printf '%s\n' "${headers[@]}" | xargs -P 2 -I{} sh -c \
  'h="$1"; shift; printf "#include \"%s\"\n" "$h" | "$CXX" -fsyntax-only -x c++ "$@" -' \
  sh {} "${cflags[@]}"

# The example must report the three columns and three rows of its table.
run_example() {
  local program="$1" db="$2"
  local out
  out="$("$program" "$db")"
  echo "  ${out//$'\n'/$'\n'  }"
  if [ "$out" != $'ColumnCount: 3\nRecordCount: 3' ]; then
    echo "check-install: $program reported other counts"
    exit 1
  fi
}

echo "check-install: examples/ with find_package(Pendrel)"
cmake -S examples -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake"
run_example "$work/cmake/pendrel-example" "$work/cmake.db"

echo "check-install: examples/ with pkg-config"
read -r -a flags <<<"$(pkg-config --cflags --libs pendrel sqlite3)"
"$CXX" -o "$work/pc-example" examples/main.cpp "${flags[@]}"
run_example "$work/pc-example" "$work/pc.db"

echo "check-install: ok"
