#!/usr/bin/env bash
# Two ./run.sh on one machine without a display, on the programs already
# built: each serves its own window on a VNC port of its own (on the loopback
# interface only) and says so only once the server listens; a third one held
# to a port already taken fails with a message; stopped, each takes its
# servers with it.
#   run-twice.sh SOURCE_FOLDER PROGRAM_FOLDER
set -uo pipefail
SRC=$1
BIN=$2
for tool in Xvfb x11vnc; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup-packages.sh installs it)"; exit 1; }
done

HOME_DIR="$(mktemp -d)"
export XDG_CONFIG_HOME="$HOME_DIR/config" XDG_DATA_HOME="$HOME_DIR/data" XDG_RUNTIME_DIR="$HOME_DIR/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY RX24_VNC_PORT
export RX24_BIN="$BIN"

RUNS=()
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
finish() {
  # Whatever a failed check left running goes, by process group.
  for pid in "${RUNS[@]}"; do kill -TERM -- "-$pid" 2>/dev/null; done
  sleep 1
  for pid in "${RUNS[@]}"; do kill -KILL -- "-$pid" 2>/dev/null; done
  rm -rf "$HOME_DIR"
}
trap finish EXIT

# Starts run.sh in a process group of its own; output in $HOME_DIR/NAME.out, .err.
start() {
  setsid "$SRC/run.sh" >"$HOME_DIR/$1.out" 2>"$HOME_DIR/$1.err" &
  RUNS+=($!)
}
# The port a run says it serves on, once it says so (30 s at most).
port_of() {
  for _ in $(seq 300); do
    local port
    port="$(sed -n 's/.*served over VNC on localhost port \([0-9]*\):$/\1/p' "$HOME_DIR/$1.out")"
    [ -n "$port" ] && { echo "$port"; return 0; }
    sleep 0.1
  done
  return 1
}
display_of() {
  sed -n 's/.*(private display :\([0-9]*\)).*/\1/p' "$HOME_DIR/$1.out"
}
listening() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

start first
port1="$(port_of first)" || fail "the first run named no port: $(cat "$HOME_DIR/first.out" "$HOME_DIR/first.err")"
start second
port2="$(port_of second)" || fail "the second run named no port: $(cat "$HOME_DIR/second.out" "$HOME_DIR/second.err")"
if [ -n "${port1:-}" ] && [ -n "${port2:-}" ]; then
  [ "$port1" != "$port2" ] || fail "both runs serve on port $port1"
  listening "$port1" || fail "nothing listens on the first run's port $port1"
  listening "$port2" || fail "nothing listens on the second run's port $port2"
  [ "$(display_of first)" != "$(display_of second)" ] || fail "both runs share one display"
  # The address is given as viewers take it: a display number, or the port after "::".
  grep -q "vncviewer localhost:$((port2 - 5900)) " "$HOME_DIR/second.out" ||
    fail "the second run's address is not localhost:$((port2 - 5900)): $(cat "$HOME_DIR/second.out")"

  # Held to a port that is taken: a message and a failed run, no address.
  RX24_VNC_PORT="$port1" timeout 60 "$SRC/run.sh" >"$HOME_DIR/third.out" 2>"$HOME_DIR/third.err"
  status=$?
  [ "$status" = 1 ] || fail "a run on the taken port $port1 ended with $status, not 1"
  grep -q "cannot listen on localhost port $port1" "$HOME_DIR/third.err" ||
    fail "a run on a taken port says: $(cat "$HOME_DIR/third.err")"
  ! grep -q "vncviewer" "$HOME_DIR/third.out" || fail "a run on a taken port still gave an address"
fi

# Stopped like Ctrl+C or a service manager would: the plug-in closes, then the servers go.
displays=("$(display_of first)" "$(display_of second)")
for pid in "${RUNS[@]}"; do kill -TERM "$pid" 2>/dev/null; done
for pid in "${RUNS[@]}"; do
  for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "run.sh $pid did not end within 30 s of SIGTERM"
done
for port in ${port1:-} ${port2:-}; do
  listening "$port" && fail "port $port still listens after its run ended"
done
for n in "${displays[@]}"; do
  [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && fail "display :$n is still there after its run ended"
done

if ((failures)); then
  echo "run.sh twice: $failures failed"
  exit 1
fi
echo "run.sh twice: ports ${port1:-?} and ${port2:-?}, a taken port refused, everything stopped"
