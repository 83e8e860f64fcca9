#!/usr/bin/env bash
# Installs what is missing, builds the two programs it runs, creates the demo
# network when it is not there yet, lists it, and opens the window of the
# demo's partly configured device.
#
#   RX24_VNC_PORT  without a display: serve on this port (default: the first
#                  free one from 5900 up)
#   RX24_BIN       run the programs of this folder as they are, without
#                  installing or building anything (the scripts' test does)
set -euo pipefail
cd "$(dirname "$0")"
if [ -n "${RX24_BIN:-}" ]; then
  BIN=$RX24_BIN
else
  ./scripts/setup-packages.sh
  ./scripts/build.sh tarvinaRX24 lnsdb
  BIN="${BUILD_DIR:-build}/bin"
fi

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
address() {
  # Viewers take a display number after one ":" (5900 + n) and a port after two.
  if (($1 >= 5900 && $1 < 6000)); then
    echo "  vncviewer localhost:$(($1 - 5900))   (the port itself: localhost::$1)"
  else
    echo "  vncviewer localhost::$1"
  fi
  echo "  from another machine: ssh -L $1:localhost:$1 <this machine>, then the same there."
  echo "End with Ctrl+C."
}

if ! command -v Xvfb >/dev/null || ! command -v x11vnc >/dev/null; then
  # Qt's own VNC server; it listens on every interface of the machine, so
  # keep the port closed to other machines.
  PORT="${RX24_VNC_PORT:-5900}"
  echo "No display found, and x11vnc is missing: Qt's VNC server serves the window on every interface:"
  address "$PORT"
  QT_QPA_PLATFORM="vnc:size=1100x760:port=${PORT}" exec "${PLUGIN[@]}"
fi

WORK="$(mktemp -d)"
SERVERS=()
stop_servers() {
  for pid in "${SERVERS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${SERVERS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap stop_servers EXIT
# A stop before the plug-in runs still takes the servers down.
trap 'exit 130' INT
trap 'exit 143' TERM
fail() {
  echo "run.sh: $1" >&2
  [ -s "$2" ] && tail -n 3 "$2" >&2
  exit 1
}
# Waits up to 10 s for a file to have content while the server lives.
await() {
  for _ in $(seq 100); do
    [ -s "$1" ] && return 0
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# A private X display. Xvfb takes a free display number itself and writes it
# to descriptor 3 once it accepts clients, so two runs never share one. In
# sessions of their own: Ctrl+C reaches the plug-in, which closes first.
setsid Xvfb -displayfd 3 -screen 0 1100x760x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
SERVERS+=($!)
await "$WORK/display" "$!" || fail "the virtual X display (Xvfb) did not start" "$WORK/xvfb.log"
DISP=":$(tr -dc 0-9 <"$WORK/display")"

# Title bars and frames, so that the window and its message boxes can be
# moved and told apart.
if command -v jwm >/dev/null; then
  setsid jwm -display "$DISP" -f "$PWD/scripts/vnc-desktop.jwmrc" >/dev/null 2>&1 &
  SERVERS+=($!)
fi

# x11vnc on the loopback interface only; it writes "PORT=n" once it listens.
if [ -n "${RX24_VNC_PORT:-}" ]; then PORTS=(-rfbport "$RX24_VNC_PORT"); else PORTS=(-autoport 5900); fi
setsid x11vnc -display "$DISP" -localhost "${PORTS[@]}" -forever -shared -nopw -quiet \
  >"$WORK/vnc.out" 2>"$WORK/vnc.log" &
SERVERS+=($!)
VNC=$!
for _ in $(seq 100); do
  grep -q '^PORT=' "$WORK/vnc.out" && break
  kill -0 "$VNC" 2>/dev/null || break
  sleep 0.1
done
PORT="$(sed -n 's/^PORT=\([0-9]*\).*/\1/p' "$WORK/vnc.out")"
[ -n "$PORT" ] || fail "the VNC server cannot listen on localhost port ${RX24_VNC_PORT:-5900 or above} (taken by another server?)" "$WORK/vnc.log"
echo "No display found. The plug-in's window (private display $DISP) is served over VNC on localhost port $PORT:"
address "$PORT"

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
