#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
# Widget tests run on Qt's offscreen platform; the whole run sits inside a
# private session bus so that the D-Bus tests never touch the user's bus.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup-packages.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd "${BUILD_DIR:-build}"
exec dbus-run-session -- ctest --output-on-failure --timeout 300 -j"$(nproc)" "$@"
