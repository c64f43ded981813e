#!/usr/bin/env bash
# Installs every Debian package Pendrel needs to build, test and run its demo.
# Idempotent: packages already present are left as they are.
set -euo pipefail

packages=(
  build-essential g++ clang cmake ninja-build pkg-config git
  libgtest-dev googletest libbenchmark-dev
  libsqlite3-dev sqlite3
  libpq-dev postgresql postgresql-client
  libcairo2-dev libpango1.0-dev libharfbuzz-dev libpixman-1-dev fontconfig fonts-dejavu-core
  libutf8proc-dev python3
  clang-format clang-tidy
  libsdl2-dev xvfb xauth xdotool imagemagick
  libfuzzer-14-dev libclang-rt-14-dev librapidcheck-dev gcovr
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
