#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo network when it is not
# there yet, lists it, and opens the window of the demo's partly configured device.
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
PLUGIN=("$BIN/tarvinaRX24" /COMMANDID:13 /CLASSID:7 '/OBJECTNAME:Demo\LNS System.Floor 1\RX24 Partial')
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "${PLUGIN[@]}"
fi
# No desktop (a server or a container): serve the window over VNC, so that
# any VNC viewer can show and use it. Qt's VNC server listens on every
# interface of the machine; keep the port closed to other machines.
PORT="${RX24_VNC_PORT:-5900}"
echo "No display found. The plug-in's window is served over VNC:"
echo "  open vnc://localhost:${PORT} (for example: vncviewer localhost:${PORT}); end with Ctrl+C"
export QT_QPA_PLATFORM="vnc:size=1100x760:port=${PORT}"
exec "${PLUGIN[@]}"
