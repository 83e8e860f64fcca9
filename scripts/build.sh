#!/usr/bin/env bash
# Configures and builds into ./build (incremental; ccache when present).
# Arguments name the targets to build (the programs a script runs, say);
# without any, everything is built, the tests included.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Debug}
fi
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$BUILD_DIR" -j"$(nproc)" "${targets[@]}"
