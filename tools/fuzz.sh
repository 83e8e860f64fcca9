#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#
#   tools/fuzz.sh [seconds per target] [build folder]
#
# Defaults: 120 seconds, build folder ../build-fuzz beside the repository.
# Findings (crash-*, leak-*, timeout-*) land in <build>/fuzz/findings; the
# corpora grow in <build>/fuzz/corpus and are reused by the next run.
set -euo pipefail

seconds=${1:-120}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$repo/../build-fuzz}
jobs=$(nproc 2>/dev/null || echo 2)

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DRX24_BUILD_FUZZ=ON -DRX24_BUILD_TESTS=ON
cmake --build "$build" --target fuzz_parameter_file fuzz_raw_text -j "$jobs"

status=0
for target in fuzz_parameter_file fuzz_raw_text; do
  corpus="$build/fuzz/corpus/$target"
  findings="$build/fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  # Seeds: the shipped description file's style of INI text and a few RAW texts.
  if [ -z "$(ls -A "$corpus")" ]; then
    if [ "$target" = fuzz_parameter_file ]; then
      printf '\001;  *** Generic 2 Byte ***\r\nDelay_1 = 1,44\r\nMode_1 = 200\r\nLabel_1 = Hall ,\r\nFpt_1 = 83\t152\r\nTemp_1 = 2150\r\n' >"$corpus/settings"
      printf '\000[General]\r\nPlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E018040000\r\nDataFileVersion = 1\r\n\r\n[Settings]\r\nUse_1 = 1\r\n' >"$corpus/whole"
    else
      printf '\003\021255\t0\t12|1\t2\t3\t4|0' >"$corpus/raw"
    fi
  fi
  echo "== $target: $seconds s"
  (cd "$findings" && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
    "$build/bin/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -print_final_stats=1 "$corpus") || status=$?
done
exit $status
