#!/usr/bin/env bash
# Fuzzes each target under fuzz/ for a while with the sanitizers on.
# Usage: scripts/fuzz.sh [SECONDS-PER-TARGET]   (default 60)
#
# The targets are built in the clang preset's tree (address and undefined
# sanitizers, coverage feedback). Each starts from its committed seeds
# (fuzz/corpus/<Name>) with its dictionary; what it finds on the way is
# kept in a scratch folder only. A crash leaves its input in the scratch
# folder, printed, and fails the run: add it to the corpus once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset clang >/dev/null
cmake --build --preset clang --target pendrel_fuzz_Criterion pendrel_fuzz_FormFileReader \
  pendrel_fuzz_Splitter pendrel_fuzz_SqlText

scratch="$(mktemp -d /tmp/pendrel-fuzz-XXXXXX)"
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
total=0
for name in Criterion FormFileReader Splitter SqlText; do
  mkdir -p "$scratch/$name"
  cp fuzz/corpus/"$name"/* "$scratch/$name/"
  log="$scratch/$name.log"
  if ! build/clang/fuzz/pendrel_fuzz_"$name" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -dict=fuzz/"$name".dict -artifact_prefix="$scratch/$name-" \
      "$scratch/$name" >"$log" 2>&1; then
    tail -n 40 "$log"
    ls "$scratch"/"$name"-* 2>/dev/null || true
    trap - EXIT
    echo "fuzz: $name failed; inputs kept in $scratch"
    exit 1
  fi
  runs="$(grep -oE 'Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' || echo 0)"
  total=$((total + runs))
  echo "fuzz: $name: $runs runs in ${seconds} s, no failure"
done
echo "fuzz: $total runs in all"
