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
# No desktop (a server or a container): serve the window over VNC on this
# machine only, so that any VNC viewer here (or through an SSH tunnel) can
# show and use it, and nobody else on the network can.
PORT="${RX24_VNC_PORT:-5900}"
echo "No display found. The plug-in's window is served over VNC on localhost:"
echo "  open vnc://localhost:${PORT} (for example: vncviewer localhost:${PORT});"
echo "  from another machine: ssh -L ${PORT}:localhost:${PORT} <this machine>, then the same. End with Ctrl+C."
if command -v Xvfb >/dev/null && command -v x11vnc >/dev/null; then
  # A private X display, shared over VNC on the loopback interface only.
  for n in $(seq 99 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then DISP=":$n"; break; fi
  done
  # In sessions of their own: Ctrl+C reaches the plug-in, which closes first.
  setsid Xvfb "$DISP" -screen 0 1100x760x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB=$!
  trap 'kill "$XVFB" ${VNC:+"$VNC"} 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISP#:}" ] && break; sleep 0.1; done
  setsid x11vnc -display "$DISP" -localhost -rfbport "$PORT" -forever -shared -nopw -quiet >/dev/null 2>&1 &
  VNC=$!
  # The plug-in ends cleanly on SIGTERM: Ctrl+C or a stop of this script
  # closes its window, then the display goes.
  DISPLAY="$DISP" QT_QPA_PLATFORM=xcb "${PLUGIN[@]}" &
  APP=$!
  trap 'kill -TERM "$APP" 2>/dev/null || true' INT TERM
  status=0
  wait "$APP" || status=$?
  # A signal interrupts the first wait; the second one waits for the end.
  if kill -0 "$APP" 2>/dev/null; then wait "$APP" || status=$?; fi
  exit "$status"
else
  # Qt's own VNC server; it listens on every interface of the machine, so
  # keep the port closed to other machines.
  echo "  (x11vnc is missing: Qt's VNC server listens on every interface)"
  QT_QPA_PLATFORM="vnc:size=1100x760:port=${PORT}" exec "${PLUGIN[@]}"
fi
