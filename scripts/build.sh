#!/usr/bin/env bash
# Configures and builds into ./build (incremental; ccache when present).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Debug} "$@"
fi
cmake --build "$BUILD_DIR" -j"$(nproc)"
