#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
# Widget tests run on Qt's offscreen platform; the whole run sits inside a
# private session bus so that the D-Bus tests never touch the user's bus, and
# the tests that need a PostgreSQL server get a throw-away one
# (scripts/pg-test-server.sh).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup-packages.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ROOT=$PWD
cd "${BUILD_DIR:-build}"
# CTest stops the tests' PostgreSQL server after the last test that needs it;
# a run that fails early, is interrupted or runs only part of the tests must
# not leave it behind.
stop_pg_server() {
  local dir
  for dir in "$PWD"/pgtest*/; do
    [ -d "$dir" ] || continue
    "$ROOT/scripts/pg-test-server.sh" stop "$dir" >/dev/null 2>&1 || true
  done
}
trap stop_pg_server EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
status=0
dbus-run-session -- ctest --output-on-failure --timeout 300 -j"$(nproc)" "$@" || status=$?
exit "$status"
