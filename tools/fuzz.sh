#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each, one after the other,
# for a bounded time.
#
#   tools/fuzz.sh [seconds per target] [build folder] [target...]
#
# Defaults: 120 seconds, build folder ../build-fuzz beside the repository,
# every target that tests/fuzz/CMakeLists.txt lists. Each target's corpus
# grows in <build>/fuzz/corpus/<target> and is reused by the next run; it
# starts from tests/fuzz/seeds/<target>, the shipped file the target reads
# and the saved findings in tests/fuzz/regressions/<target>. Findings
# (crash-*, leak-*, timeout-*, oom-*) land in <build>/fuzz/findings/<target>;
# the script ends non-zero when a target found one. A line per target sums
# up the run: executions, peak memory, findings.
set -euo pipefail

seconds=${1:-120}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$repo/../build-fuzz}
shift $(($# < 2 ? $# : 2))
# Two jobs at most: the machines this runs on are shared.
jobs=$(($(nproc 2>/dev/null || echo 2) < 2 ? 1 : 2))

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DRX24_BUILD_FUZZ=ON -DRX24_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target fuzz_all -j "$jobs"

# The shipped file a target reads, as its first seed.
shipped_seed() {
  case "$1" in
  fuzz_device_interface) echo "$repo/resources/data/RX24.xif" ;;
  fuzz_device_template) echo "$repo/resources/data/RX24.ini" ;;
  fuzz_description_file) echo "$repo/resources/data/tarvinaRX24.ini" ;;
  esac
}

declare -a summary
status=0
while read -r target max_len; do
  if [ $# -gt 0 ] && [[ " $* " != *" $target "* ]]; then
    continue
  fi
  corpus="$build/fuzz/corpus/$target"
  findings="$build/fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  seed=$(shipped_seed "$target")
  if [ -n "$seed" ] && [ ! -e "$corpus/shipped" ]; then
    cp "$seed" "$corpus/shipped"
  fi
  # libFuzzer writes new inputs to the first folder only; the others are read.
  inputs=("$corpus")
  for extra in "$repo/tests/fuzz/seeds/$target" "$repo/tests/fuzz/regressions/$target"; do
    [ -d "$extra" ] && inputs+=("$extra")
  done
  before=$(find "$findings" -type f | wc -l)
  log="$build/fuzz/$target.log"
  echo "== $target: $seconds s (inputs up to $max_len bytes)"
  # The database and template files of the targets go to memory, not disk.
  tmp=$([ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")
  target_status=0
  (cd "$findings" && TMPDIR="$tmp" QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
    "$build/bin/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "${inputs[@]}") \
    >"$log" 2>&1 || target_status=$?
  tail -n 15 "$log"
  found=$(($(find "$findings" -type f | wc -l) - before))
  if [ "$target_status" -ne 0 ] || [ "$found" -gt 0 ]; then
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n 1)
  summary+=("$(printf '%-24s %4s s  %10s runs  %6s MB peak  %d findings  exit %d' "$target" "$seconds" \
    "${runs:-?}" "${rss:-?}" "$found" "$target_status")")
done <"$build/fuzz/targets"

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
exit $status
