#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo network when it is not
# there yet, lists it, and starts the plug-in on the demo's configured device.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup-packages.sh
./scripts/build.sh
BIN="${BUILD_DIR:-build}/bin"

# Creates the demo, completes one that an interrupted run left behind, or
# says that it is complete.
"$BIN/lnsdb" demo
"$BIN/lnsdb" list-devices Demo

# "\" separates the levels of the object name on the command line.
PLUGIN=("$BIN/tarvinaRX24" /COMMANDID:13 /CLASSID:7 '/OBJECTNAME:Demo\LNS System.Floor 1\RX24 Full')
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "${PLUGIN[@]}"
fi
# No desktop (a server or a container): run it on a virtual display.
echo "No display found; starting the plug-in on a virtual X display (xvfb-run)."
exec xvfb-run -a "${PLUGIN[@]}"
